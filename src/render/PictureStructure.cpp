#include "render/PictureStructure.h"

#include <QtEndian>
#include <cstdlib>
#include <cstring>

namespace {

bool isStandalone(unsigned char marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// Position of the first marker after entropy-coded data, or -1 when there is none.
qsizetype endOfScan(QByteArrayView data, qsizetype pos) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  const qsizetype size = data.size();
  while (pos < size) {
    const void* hit = std::memchr(bytes + pos, 0xFF, static_cast<size_t>(size - pos));
    if (!hit) return -1;
    pos = static_cast<const unsigned char*>(hit) - bytes;
    if (pos + 1 >= size) return -1;
    const unsigned char next = bytes[pos + 1];
    if (next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == 0xFF) {
      pos += 1;
      continue;
    }
    return pos;
  }
  return -1;
}

}  // namespace

bool jpegIsComplete(QByteArrayView data) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  const qsizetype size = data.size();
  if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
  qsizetype pos = 2;
  while (pos < size) {
    if (bytes[pos] != 0xFF) return false;
    while (pos < size && bytes[pos] == 0xFF) ++pos;  // fill bytes
    if (pos >= size) return false;
    const unsigned char marker = bytes[pos++];
    if (marker == 0xD9) return true;
    if (isStandalone(marker)) continue;
    if (pos + 2 > size) return false;
    const int length = (bytes[pos] << 8) | bytes[pos + 1];
    if (length < 2) return false;
    pos += length;
    if (pos > size) return false;
    if (marker == 0xDA) {
      pos = endOfScan(data, pos);
      if (pos < 0) return false;
    }
  }
  return false;
}

bool bmpIsComplete(QByteArrayView data) {
  const auto* bytes = reinterpret_cast<const uchar*>(data.data());
  const qsizetype size = data.size();
  if (size < 26 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const qint64 pixelsAt = qFromLittleEndian<quint32>(bytes + 10);
  const quint32 infoSize = qFromLittleEndian<quint32>(bytes + 14);
  qint64 width = 0, height = 0;
  int bitCount = 0;
  quint32 compression = 0;
  if (infoSize == 12) {  // the old core header: 16-bit sizes
    width = qFromLittleEndian<quint16>(bytes + 18);
    height = qFromLittleEndian<quint16>(bytes + 20);
    bitCount = qFromLittleEndian<quint16>(bytes + 24);
  } else {
    if (size < 34) return false;
    width = qFromLittleEndian<qint32>(bytes + 18);
    height = std::llabs(qFromLittleEndian<qint32>(bytes + 22));
    bitCount = qFromLittleEndian<quint16>(bytes + 28);
    compression = qFromLittleEndian<quint32>(bytes + 30);
  }
  constexpr quint32 kRgb = 0, kBitfields = 3;
  if (compression != kRgb && compression != kBitfields) return true;
  if (width <= 0 || height <= 0 || bitCount <= 0) return false;
  const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
  return pixelsAt + rowBytes * height <= size;
}

namespace {

// Skips a chain of data sub-blocks; the position after its terminator, or -1 when the
// data ends first.
qsizetype skipSubBlocks(const uchar* bytes, qsizetype size, qsizetype pos) {
  while (pos < size) {
    const int length = bytes[pos];
    pos += 1 + length;
    if (length == 0) return pos;
  }
  return -1;
}

qsizetype colourTableSize(uchar flags) {
  return (flags & 0x80) ? 3 * (qsizetype{1} << ((flags & 7) + 1)) : 0;
}

}  // namespace

bool gifIsComplete(QByteArrayView data) {
  const auto* bytes = reinterpret_cast<const uchar*>(data.data());
  const qsizetype size = data.size();
  if (size < 13) return false;
  qsizetype pos = 13 + colourTableSize(bytes[10]);
  while (pos < size) {
    switch (bytes[pos]) {
      case 0x21:  // extension: label, then sub-blocks
        pos = pos + 2 > size ? -1 : skipSubBlocks(bytes, size, pos + 2);
        break;
      case 0x2C: {  // image: descriptor, local colour table, code size, sub-blocks
        if (pos + 10 > size) return false;
        pos += 10 + colourTableSize(bytes[pos + 9]);
        if (pos >= size) return false;
        return skipSubBlocks(bytes, size, pos + 1) >= 0;
      }
      default:
        return false;  // the trailer or anything else before any picture
    }
    if (pos < 0) return false;
  }
  return false;
}

bool jpegIsCmyk(QByteArrayView data) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  const qsizetype size = data.size();
  if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
  qsizetype pos = 2;
  while (pos + 4 <= size && bytes[pos] == 0xFF) {
    while (pos < size && bytes[pos] == 0xFF) ++pos;  // fill bytes
    if (pos + 3 > size) return false;
    const unsigned char marker = bytes[pos++];
    if (isStandalone(marker)) continue;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) return pos + 8 <= size && bytes[pos + 7] == 4;
    if (marker == 0xDA || marker == 0xD9) return false;
    pos += (bytes[pos] << 8) | bytes[pos + 1];
  }
  return false;
}
