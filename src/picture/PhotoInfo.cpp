#include "picture/PhotoInfo.h"

#include <QDateTime>
#include <QRegularExpression>
#include <optional>
#include <vips/vips8>

#include "picture/PictureKind.h"
#include "picture/PictureReader.h"
#include "picture/VipsStart.h"
#include "platform/MappedFile.h"

using vips::VError;
using vips::VImage;

namespace {

struct ExifTexts {
  QString dateTime;
  QString make;
  QString model;
};

QString FieldOf(const VImage& header, const char* name) {
  if (!header.get_typeof(name)) return {};
  return ExifFieldValue(QString::fromUtf8(header.get_string(name)));
}

// The loader of the kind the bytes show, asked for the header only. Kinds that carry
// no EXIF block are not opened at all; finding a loader by trying each of libvips'
// in turn costs several times the header itself.
std::optional<VImage> OpenHeader(const QByteArray& data) {
  const auto source = [&data] {
    return vips::VSource::new_from_memory(data.constData(), static_cast<size_t>(data.size()));
  };
  const auto options = [] { return VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL); };
  switch (recognisePictureKind(data)) {
    case PictureKind::Jpeg:
      return VImage::jpegload_source(source(), options());
    case PictureKind::Png:
      return VImage::pngload_source(source(), options());
    case PictureKind::Tiff:
      return VImage::tiffload_source(source(), options());
    case PictureKind::WebP:
      return VImage::webpload_source(source(), options());
    case PictureKind::Heif:
      return VImage::heifload_source(source(), options());
    default:
      return std::nullopt;
  }
}

ExifTexts ReadExifTexts(const QByteArray& data) {
  ensureVipsStarted();
  try {
    const std::optional<VImage> header = OpenHeader(data);
    if (!header) return {};
    return {FieldOf(*header, "exif-ifd2-DateTimeOriginal"), FieldOf(*header, "exif-ifd0-Make"),
            FieldOf(*header, "exif-ifd0-Model")};
  } catch (const VError&) {
    return {};
  }
}

}  // namespace

PhotoInfo ReadPhotoInfo(const QString& fileName) {
  const MappedFile file(fileName);
  if (file.data().isEmpty()) return {};
  const ExifTexts exif = ReadExifTexts(file.data());
  return {TakenAtText(exif.dateTime), CameraText(exif.make, exif.model),
          PixelsText(ReadUprightPictureSize(file.data()))};
}

QString TakenAtText(const QString& exifDateTime) {
  static const QRegularExpression form(
      QStringLiteral("^\\s*(\\d{4})[:-](\\d{2})[:-](\\d{2})[ T](\\d{2}):(\\d{2})"));
  const QRegularExpressionMatch match = form.match(exifDateTime);
  if (!match.hasMatch()) return {};
  const auto number = [&match](int part) { return match.captured(part).toInt(); };
  const QDateTime taken(QDate(number(1), number(2), number(3)), QTime(number(4), number(5)));
  if (!taken.isValid()) return {};
  return taken.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString CameraText(const QString& make, const QString& model) {
  const QString maker = make.simplified();
  const QString name = model.simplified();
  if (maker.isEmpty()) return name;
  if (name.isEmpty()) return maker;
  // "NIKON CORPORATION" names itself in "NIKON D850" by its first word.
  const QString firstWord = maker.section(u' ', 0, 0);
  if (name.compare(firstWord, Qt::CaseInsensitive) == 0 ||
      name.startsWith(firstWord + u' ', Qt::CaseInsensitive) ||
      name.startsWith(maker, Qt::CaseInsensitive))
    return name;
  return maker + u' ' + name;
}

QString PixelsText(QSize upright) {
  if (!upright.isValid() || upright.isEmpty()) return {};
  return QStringLiteral("%1×%2").arg(upright.width()).arg(upright.height());
}

QString ExifFieldValue(const QString& field) {
  // libvips writes "VALUE (SHOWN, FORMAT, N components, M bytes)", where SHOWN is
  // libexif's rendering of the value.
  static const QRegularExpression described(
      QStringLiteral(", [A-Za-z ]+, \\d+ components, \\d+ bytes\\)$"));
  const QRegularExpressionMatch match = described.match(field);
  if (!match.hasMatch()) return field.trimmed();
  const QString both = field.left(match.capturedStart());  // "VALUE (SHOWN"
  // For a text field SHOWN is VALUE again, which tells where VALUE ends even when it
  // holds " (" itself.
  const qsizetype half = (both.size() - 2) / 2;
  if (both.size() % 2 == 0 && both.mid(half, 2) == u" (" && both.left(half) == both.mid(half + 2))
    return both.left(half).trimmed();
  const qsizetype open = both.lastIndexOf(QStringLiteral(" ("));
  return (open < 0 ? both : both.left(open)).trimmed();
}
