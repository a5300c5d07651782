#include "picture/PhotoInfo.h"

#include <libexif/exif-data.h>

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <memory>
#include <vips/vips8>

#include "picture/JpegHeader.h"
#include "picture/Orientation.h"
#include "picture/PictureKind.h"
#include "picture/PictureLimits.h"
#include "picture/PictureReader.h"
#include "picture/VipsPictureReader.h"
#include "picture/VipsStart.h"
#include "platform/Paths.h"

using vips::VError;
using vips::VImage;

namespace {

// Most photos' headers end within this much of their start (a JPEG's EXIF block is at
// most 64 KB); the rest are read again from the file. Every byte read counts when a search
// reads thousands.
constexpr qsizetype kHeadBytes = 64 * 1024;

// The three tags of an EXIF block, and the orientation the stored size turns by.
struct ExifTags {
  QString takenAt;
  QString make;
  QString model;
  int orientation = 1;
};

QString TextOf(ExifData* data, ExifIfd ifd, ExifTag tag) {
  ExifEntry* entry = exif_content_get_entry(data->ifd[ifd], tag);
  if (entry == nullptr || entry->format != EXIF_FORMAT_ASCII || entry->data == nullptr) return {};
  const auto* text = reinterpret_cast<const char*>(entry->data);
  return QString::fromUtf8(text, static_cast<qsizetype>(qstrnlen(text, entry->size)));
}

int OrientationOf(ExifData* data) {
  ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
  if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->size < 2) return 1;
  const int orientation = exif_get_short(entry->data, exif_data_get_byte_order(data));
  return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

// libexif's parse of an EXIF block, with or without the "Exif\0\0" it starts with in a JPEG.
ExifTags ParseExif(QByteArray block) {
  static const QByteArray kExifStart("Exif\0\0", 6);
  if (block.isEmpty()) return {};
  if (!block.startsWith(kExifStart)) block.prepend(kExifStart);
  const std::unique_ptr<ExifData, decltype(&exif_data_unref)> data(exif_data_new(),
                                                                   exif_data_unref);
  if (!data) return {};
  // Only reading: no entries added to make the block complete, none kept that are not known.
  exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
  exif_data_set_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
  exif_data_load_data(data.get(), reinterpret_cast<const unsigned char*>(block.constData()),
                      static_cast<unsigned int>(block.size()));
  return {TextOf(data.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL),
          TextOf(data.get(), EXIF_IFD_0, EXIF_TAG_MAKE),
          TextOf(data.get(), EXIF_IFD_0, EXIF_TAG_MODEL), OrientationOf(data.get())};
}

PhotoInfo InfoOf(const ExifTags& tags, QSize stored, int orientation) {
  const QString pixels = pictureSizeAllowed(stored.width(), stored.height())
                             ? PixelsText(UprightSize(stored, orientation))
                             : QString();
  return {TakenAtText(tags.takenAt), CameraText(tags.make, tags.model), pixels};
}

// A JPEG's segments are walked up to the frame header, in the head read already and in the
// rest of the file only when the head ends before it.
PhotoInfo FromJpeg(const QByteArray& head, const QString& fileName) {
  QBuffer start;
  start.setData(head);
  start.open(QIODevice::ReadOnly);
  JpegHeader header = ReadJpegHeader(start);
  QFile file;
  if (!header.valid && head.size() == kHeadBytes && OpenForReading(file, fileName))
    header = ReadJpegHeader(file);
  const ExifTags tags = ParseExif(header.exif);
  return InfoOf(tags, header.valid ? header.storedSize : QSize(), tags.orientation);
}

PhotoInfo FromVipsHeader(PictureKind kind, const vips::VSource& source) {
  const VImage header = ReadVipsHeader(kind, source);
  ExifTags tags;
  if (header.get_typeof(VIPS_META_EXIF_NAME)) {
    size_t length = 0;
    const void* block = header.get_blob(VIPS_META_EXIF_NAME, &length);
    tags = ParseExif(QByteArray(static_cast<const char*>(block), static_cast<qsizetype>(length)));
  }
  const int orientation =
      header.get_typeof(VIPS_META_ORIENTATION) ? header.get_int(VIPS_META_ORIENTATION) : 1;
  return InfoOf(tags, QSize(header.width(), header.height()), orientation);
}

PhotoInfo FromVips(PictureKind kind, const QByteArray& head, const QString& fileName) {
  ensureVipsStarted();
  try {
    return FromVipsHeader(
        kind, vips::VSource::new_from_memory(head.constData(), static_cast<size_t>(head.size())));
  } catch (const VError&) {
  }
  QFile file;
  if (head.size() < kHeadBytes || !OpenForReading(file, fileName)) return {};
  // Headers longer than the head.
  try {
    return FromVipsHeader(kind, vips::VSource::new_from_descriptor(file.handle()));
  } catch (const VError&) {
  }
  return {};
}

}  // namespace

// The file is read, never mapped: unmapping stops every thread of the program, and
// the search reads many photos side by side.
PhotoInfo ReadPhotoInfo(const QString& fileName) {
  // One read takes the headers of nearly every photo, into a buffer each thread keeps: a
  // fresh 64 KB for each photo would have the allocator give its pages back and fault them
  // in again every time. Nothing handed on points into it.
  thread_local QByteArray buffer;
  if (!ReadFileStart(fileName, kHeadBytes, buffer)) return {};
  const QByteArray& head = buffer;
  const PictureKind kind = recognisePictureKind(head);
  if (kind == PictureKind::Jpeg) return FromJpeg(head, fileName);
  if (isVipsPictureKind(kind)) return FromVips(kind, head, fileName);
  // Kinds without EXIF: the size alone, as the program's own route reads it.
  if (head.size() < kHeadBytes) return {{}, {}, PixelsText(ReadUprightPictureSize(head))};
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
