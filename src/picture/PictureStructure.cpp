#include "picture/PictureStructure.h"

#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "picture/PictureKind.h"

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

bool jpegIsComplete(QByteArrayView data, int strayBytesAllowed) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  const qsizetype size = data.size();
  if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
  qsizetype pos = 2;
  while (pos < size) {
    for (int stray = 0; pos < size && bytes[pos] != 0xFF; ++pos)
      if (++stray > strayBytesAllowed) return false;
    if (pos >= size) return false;
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

namespace {

constexpr quint32 kBmpRgb = 0, kBmpRle8 = 1, kBmpRle4 = 2, kBmpBitfields = 3;

// Whether a run-length coded body paints every pixel: each row filled to its end by
// runs and closed by an end-of-line code, no jumps, and the data lasting to the last
// pixel. The decoder leaves pixels that a body skips as they were in memory, and a
// run cut off by the end of the data repeats a byte it never read.
bool rleCoversEveryPixel(const uchar* bytes, qsizetype size, qint64 width, qint64 height,
                         bool fourBits) {
  qsizetype pos = 0;
  qint64 x = 0, y = 0;
  while (y < height && pos < size) {
    if (pos + 1 == size) {
      if (bytes[pos] != 0) return false;
      break;
    }
    const int count = bytes[pos];
    const int code = bytes[pos + 1];
    pos += 2;
    if (count > 0) {  // a run of one colour
      if (x + count > width) return false;
      x += count;
    } else if (code == 0) {  // end of line
      if (x < width) return false;
      x = 0;
      ++y;
    } else if (code == 1) {  // end of picture
      break;
    } else if (code == 2) {  // a jump over pixels
      return false;
    } else {  // code pixels given one by one, padded to whole 16-bit words
      if (x + code > width) return false;
      const qsizetype stored = fourBits ? (code + 1) / 2 : code;
      if (pos + stored > size) return false;
      pos += stored + (stored & 1);
      x += code;
    }
  }
  return y == height || (y == height - 1 && x == width);
}

}  // namespace

// The decoder reads the sizes of any header but the four Windows ones as the old core
// header, and the pixels from the pixel offset or from the end of the colour table,
// whichever lies further on.
bool bmpIsComplete(QByteArrayView data) {
  const auto* bytes = reinterpret_cast<const uchar*>(data.data());
  const qsizetype size = data.size();
  if (size < 26 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const qint64 pixelsAt = qFromLittleEndian<quint32>(bytes + 10);
  const qint64 infoSize = qFromLittleEndian<quint32>(bytes + 14);
  if (infoSize < 12 || 14 + infoSize > size) return false;
  const bool windowsHeader = infoSize == 40 || infoSize == 64 || infoSize == 108 || infoSize == 124;
  qint64 width = 0, height = 0, coloursUsed = 0;
  int bitCount = 0;
  quint32 compression = kBmpRgb;
  if (windowsHeader) {
    width = qFromLittleEndian<qint32>(bytes + 18);
    height = std::llabs(qFromLittleEndian<qint32>(bytes + 22));
    bitCount = qFromLittleEndian<quint16>(bytes + 28);
    compression = qFromLittleEndian<quint32>(bytes + 30);
    coloursUsed = qFromLittleEndian<quint32>(bytes + 46);
  } else {
    width = qFromLittleEndian<qint16>(bytes + 18);
    height = std::llabs(qFromLittleEndian<qint16>(bytes + 20));
    bitCount = qFromLittleEndian<quint16>(bytes + 24);
  }
  if (width <= 0 || height <= 0) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return false;
  const qint64 colours = bitCount <= 8 ? (coloursUsed ? coloursUsed : qint64{1} << bitCount) : 0;
  if (colours > 256) return false;
  const qint64 masks = (infoSize < 108 && compression == kBmpBitfields) ? 12 : 0;
  const qint64 colourTableEnd = 14 + infoSize + masks + colours * (infoSize == 12 ? 3 : 4);
  const qint64 start = std::max(pixelsAt, colourTableEnd);
  if (start >= size) return false;
  const auto* pixels = bytes + start;
  const qsizetype stored = size - start;
  switch (compression) {
    case kBmpRgb:
    case kBmpBitfields: {
      const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
      return stored / rowBytes >= height;
    }
    case kBmpRle8:
      return bitCount == 8 && rleCoversEveryPixel(pixels, stored, width, height, false);
    case kBmpRle4:
      return bitCount == 4 && rleCoversEveryPixel(pixels, stored, width, height, true);
    default:
      return false;
  }
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

bool pictureIsWhole(const QByteArray& data) {
  switch (recognisePictureKind(data)) {
    case PictureKind::Jpeg:
      return jpegIsComplete(data);
    case PictureKind::Bmp:
      return bmpIsComplete(data);
    case PictureKind::Gif:
      return gifIsComplete(data);
    default:
      return true;
  }
}
