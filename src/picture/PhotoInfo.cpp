#include "picture/PhotoInfo.h"

#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <vips/vips8>

#include "picture/Orientation.h"
#include "picture/PictureKind.h"
#include "picture/PictureLimits.h"
#include "picture/PictureReader.h"
#include "picture/VipsStart.h"
#include "platform/Paths.h"

using vips::VError;
using vips::VImage;

namespace {

// A camera photo's headers (EXIF of at most 64 KB, maker notes, a colour profile) fit
// into this much of its start; one read takes it.
constexpr qint64 kHeadBytes = 96 * 1024;

QString FieldOf(const VImage& header, const char* name) {
  if (!header.get_typeof(name)) return {};
  return ExifFieldValue(QString::fromUtf8(header.get_string(name)));
}

QString SizeOf(const VImage& header) {
  if (!pictureSizeAllowed(header.width(), header.height())) return {};
  const int orientation = header.get_typeof("orientation") ? header.get_int("orientation") : 1;
  return PixelsText(UprightSize(QSize(header.width(), header.height()), orientation));
}

bool CarriesExif(PictureKind kind) {
  return kind == PictureKind::Jpeg || isVipsPictureKind(kind);
}

// The header through the loader of the kind the bytes show. Finding a loader by trying
// each of libvips' in turn would cost several times the header itself.
PhotoInfo FromHeader(PictureKind kind, const vips::VSource& source) {
  const auto options = [] { return VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL); };
  VImage header;
  switch (kind) {
    case PictureKind::Jpeg:
      header = VImage::jpegload_source(source, options());
      break;
    case PictureKind::Png:
      header = VImage::pngload_source(source, options());
      break;
    case PictureKind::Tiff:
      header = VImage::tiffload_source(source, options());
      break;
    case PictureKind::WebP:
      header = VImage::webpload_source(source, options());
      break;
    default:
      header = VImage::heifload_source(source, options());
      break;
  }
  return {TakenAtText(FieldOf(header, "exif-ifd2-DateTimeOriginal")),
          CameraText(FieldOf(header, "exif-ifd0-Make"), FieldOf(header, "exif-ifd0-Model")),
          SizeOf(header)};
}

}  // namespace

// The file is read, never mapped: unmapping stops every thread of the program, and
// the search reads many photos side by side.
PhotoInfo ReadPhotoInfo(const QString& fileName) {
  QFile file;
  if (!OpenForReading(file, fileName)) return {};
  const QByteArray head = file.read(kHeadBytes);
  const bool whole = file.atEnd();
  const PictureKind kind = recognisePictureKind(head);
  if (CarriesExif(kind)) {
    ensureVipsStarted();
    try {
      return FromHeader(
          kind, vips::VSource::new_from_memory(head.constData(), static_cast<size_t>(head.size())));
    } catch (const VError&) {
    }
    // Headers longer than the start read, or a picture libvips cannot read.
    if (!whole) {
      try {
        ::lseek(file.handle(), 0, SEEK_SET);
        // libvips reads through a copy of the descriptor, which shares its position.
        return FromHeader(kind, vips::VSource::new_from_descriptor(file.handle()));
      } catch (const VError&) {
      }
    }
  }
  // Kinds without EXIF, and pictures libvips could not read: the size alone, as the
  // program's own route reads it.
  if (whole) return {{}, {}, PixelsText(ReadUprightPictureSize(head))};
  file.close();
  return {{}, {}, PixelsText(ReadUprightPictureSize(fileName))};
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
  QString maker = make.simplified();
  QString name = model.simplified();
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
