#include "picture/ExifThumbnail.h"

#include <optional>

namespace {

constexpr char kExifHeader[] = "Exif\0\0";
constexpr qsizetype kExifHeaderSize = 6;
constexpr qsizetype kEntrySize = 12;

constexpr quint16 kTagCompression = 0x0103;
constexpr quint16 kTagOrientation = 0x0112;
constexpr quint16 kTagThumbnailOffset = 0x0201;
constexpr quint16 kTagThumbnailLength = 0x0202;
constexpr quint16 kTypeShort = 3;
constexpr quint16 kTypeLong = 4;
constexpr quint32 kCompressionJpeg = 6;

// The TIFF structure inside the block: offsets count from its first byte.
class TiffReader {
public:
  explicit TiffReader(QByteArrayView tiff) : tiff_(tiff) {}

  bool readByteOrder() {
    if (tiff_.size() < 8) return false;
    if (tiff_[0] == 'I' && tiff_[1] == 'I')
      little_ = true;
    else if (tiff_[0] == 'M' && tiff_[1] == 'M')
      little_ = false;
    else
      return false;
    return u16(2) == 42;
  }

  std::optional<quint32> u32At(qsizetype pos) const {
    if (pos < 0 || pos + 4 > tiff_.size()) return std::nullopt;
    return u32(pos);
  }

  quint16 u16(qsizetype pos) const {
    const auto b0 = static_cast<quint8>(tiff_[pos]);
    const auto b1 = static_cast<quint8>(tiff_[pos + 1]);
    return little_ ? quint16(b0 | b1 << 8) : quint16(b0 << 8 | b1);
  }

  quint32 u32(qsizetype pos) const {
    const quint32 a = u16(pos);
    const quint32 b = u16(pos + 2);
    return little_ ? (a | b << 16) : (a << 16 | b);
  }

  // A SHORT or LONG value held in the entry itself; nullopt for other types.
  std::optional<quint32> entryValue(qsizetype entry) const {
    const quint16 type = u16(entry + 2);
    if (u32(entry + 4) != 1) return std::nullopt;
    if (type == kTypeShort) return u16(entry + 8);
    if (type == kTypeLong) return u32(entry + 8);
    return std::nullopt;
  }

  qsizetype size() const { return tiff_.size(); }

private:
  QByteArrayView tiff_;
  bool little_ = true;
};

struct Directory {
  qsizetype firstEntry = 0;
  int entries = 0;
  qsizetype next = 0;  // offset of the next directory, 0 when none
};

std::optional<Directory> directoryAt(const TiffReader& tiff, quint32 offset) {
  if (offset < 8 || qsizetype(offset) + 2 > tiff.size()) return std::nullopt;
  Directory dir;
  dir.entries = tiff.u16(offset);
  dir.firstEntry = qsizetype(offset) + 2;
  const qsizetype end = dir.firstEntry + dir.entries * kEntrySize;
  if (end > tiff.size()) return std::nullopt;
  dir.next = tiff.u32At(end).value_or(0);
  return dir;
}

std::optional<quint32> tagValue(const TiffReader& tiff, const Directory& dir, quint16 tag) {
  for (int i = 0; i < dir.entries; ++i) {
    const qsizetype entry = dir.firstEntry + i * kEntrySize;
    if (tiff.u16(entry) == tag) return tiff.entryValue(entry);
  }
  return std::nullopt;
}

}  // namespace

ExifThumbnail ParseExifThumbnail(QByteArrayView payload) {
  ExifThumbnail result;
  if (payload.size() < kExifHeaderSize ||
      payload.first(kExifHeaderSize) != QByteArrayView(kExifHeader, kExifHeaderSize))
    return result;
  const QByteArrayView tiffBytes = payload.sliced(kExifHeaderSize);
  TiffReader tiff(tiffBytes);
  if (!tiff.readByteOrder()) return result;

  const std::optional<Directory> ifd0 = directoryAt(tiff, tiff.u32(4));
  if (!ifd0) return result;
  const quint32 orientation = tagValue(tiff, *ifd0, kTagOrientation).value_or(1);
  if (orientation >= 1 && orientation <= 8) result.orientation = static_cast<int>(orientation);

  // The directory after IFD0 describes the thumbnail.
  if (ifd0->next == 0 || ifd0->next == qsizetype(tiff.u32(4))) return result;
  const std::optional<Directory> ifd1 = directoryAt(tiff, static_cast<quint32>(ifd0->next));
  if (!ifd1) return result;
  const std::optional<quint32> compression = tagValue(tiff, *ifd1, kTagCompression);
  if (compression && *compression != kCompressionJpeg) return result;
  const std::optional<quint32> offset = tagValue(tiff, *ifd1, kTagThumbnailOffset);
  const std::optional<quint32> length = tagValue(tiff, *ifd1, kTagThumbnailLength);
  if (!offset || !length || *length < 4) return result;
  if (qint64(*offset) + qint64(*length) > tiff.size()) return result;
  const QByteArrayView stream = tiffBytes.sliced(*offset, *length);
  if (static_cast<quint8>(stream[0]) != 0xFF || static_cast<quint8>(stream[1]) != 0xD8)
    return result;
  result.offset = kExifHeaderSize + qsizetype(*offset);
  result.length = qsizetype(*length);
  return result;
}
