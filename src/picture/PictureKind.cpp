#include "picture/PictureKind.h"

#include <QByteArrayList>
#include <algorithm>

namespace {
bool startsWith(const QByteArray& data, std::initializer_list<unsigned char> bytes) {
  if (data.size() < static_cast<qsizetype>(bytes.size())) return false;
  qsizetype i = 0;
  for (unsigned char b : bytes) {
    if (static_cast<unsigned char>(data[i++]) != b) return false;
  }
  return true;
}

// An ISO base media file whose brands say HEIF still image or AVIF: the file-type
// box first, then its major brand and the compatible brands.
bool isHeif(const QByteArray& data) {
  if (data.size() < 16 || data.mid(4, 4) != "ftyp") return false;
  const quint32 boxSize = (quint32(uchar(data[0])) << 24) | (quint32(uchar(data[1])) << 16) |
                          (quint32(uchar(data[2])) << 8) | quint32(uchar(data[3]));
  static const QByteArrayList kBrands = {"heic", "heix", "heim", "heis", "hevc",
                                         "hevx", "mif1", "msf1", "avif", "avis"};
  if (kBrands.contains(data.mid(8, 4))) return true;
  const qsizetype end = std::min<qsizetype>(data.size(), boxSize);
  for (qsizetype at = 16; at + 4 <= end; at += 4)
    if (kBrands.contains(data.mid(at, 4))) return true;
  return false;
}
}  // namespace

PictureKind recognisePictureKind(const QByteArray& data) {
  if (data.startsWith("BM")) return PictureKind::Bmp;
  if (startsWith(data, {0xFF, 0xD8})) return PictureKind::Jpeg;
  if (startsWith(data, {0x00, 0x00, 0x01, 0x00})) return PictureKind::Icon;
  if (startsWith(data, {0x00, 0x00, 0x02, 0x00})) return PictureKind::Cursor;
  if (data.startsWith("GIF87a") || data.startsWith("GIF89a")) return PictureKind::Gif;
  if (data.size() >= 4 && static_cast<unsigned char>(data[0]) == 0x0A) {
    const auto version = static_cast<unsigned char>(data[1]);
    const auto encoding = static_cast<unsigned char>(data[2]);
    const auto bits = static_cast<unsigned char>(data[3]);
    if (version <= 5 && encoding == 0x01 && bits == 0x08) return PictureKind::Pcx8;
    if (version == 0x03 && encoding == 0x01 && bits == 0x01) return PictureKind::Pcx1;
  }
  if (startsWith(data, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return PictureKind::Png;
  if (startsWith(data, {'I', 'I', 42, 0}) || startsWith(data, {'M', 'M', 0, 42}) ||
      startsWith(data, {'I', 'I', 43, 0}) || startsWith(data, {'M', 'M', 0, 43}))
    return PictureKind::Tiff;
  if (data.size() >= 12 && data.startsWith("RIFF") && data.mid(8, 4) == "WEBP")
    return PictureKind::WebP;
  if (isHeif(data)) return PictureKind::Heif;
  return PictureKind::Unsupported;
}

bool isVipsPictureKind(PictureKind kind) {
  return kind == PictureKind::Png || kind == PictureKind::Tiff || kind == PictureKind::WebP ||
         kind == PictureKind::Heif;
}
