#include "render/PictureKind.h"

namespace {
bool startsWith(const QByteArray& data, std::initializer_list<unsigned char> bytes) {
  if (data.size() < static_cast<qsizetype>(bytes.size())) return false;
  qsizetype i = 0;
  for (unsigned char b : bytes) {
    if (static_cast<unsigned char>(data[i++]) != b) return false;
  }
  return true;
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
  return PictureKind::Unsupported;
}
