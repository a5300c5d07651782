#include "picture/PcxDecoder.h"

#include <vector>

#include "picture/PictureLimits.h"

namespace {

constexpr qsizetype kHeaderSize = 128;
constexpr qsizetype kPaletteSize = 768;

int u8(const QByteArray& d, qsizetype i) {
  return static_cast<unsigned char>(d[i]);
}
int u16(const QByteArray& d, qsizetype i) {
  return u8(d, i) | (u8(d, i + 1) << 8);
}

// Run-length decoding of the whole picture body into rows × rowBytes bytes. A run may
// cross the end of a row, as some writers do. False when the data ends too early.
bool unpackRows(const QByteArray& data, qsizetype end, qsizetype total, std::vector<uchar>& out) {
  out.assign(static_cast<size_t>(total), 0);
  qsizetype pos = kHeaderSize;
  qsizetype filled = 0;
  while (filled < total) {
    if (pos >= end) return false;
    int byte = u8(data, pos++);
    qsizetype count = 1;
    if ((byte & 0xC0) == 0xC0) {
      count = byte & 0x3F;
      if (pos >= end) return false;
      byte = u8(data, pos++);
    }
    for (qsizetype i = 0; i < count && filled < total; ++i)
      out[static_cast<size_t>(filled++)] = static_cast<uchar>(byte);
  }
  return true;
}

}  // namespace

QImage decodePcx(const QByteArray& data) {
  if (data.size() < kHeaderSize || u8(data, 0) != 0x0A || u8(data, 2) != 1) return {};
  const int bits = u8(data, 3);
  const int width = u16(data, 8) - u16(data, 4) + 1;
  const int height = u16(data, 10) - u16(data, 6) + 1;
  const int planes = u8(data, 65);
  const int bytesPerLine = u16(data, 66);
  if (!pictureSizeAllowed(width, height)) return {};

  const bool palette256 = bits == 8 && planes == 1;
  const bool rgb = bits == 8 && planes == 3;
  const bool planar1 = bits == 1 && planes >= 1 && planes <= 4;
  if (!palette256 && !rgb && !planar1) return {};
  const qint64 minLine = bits == 8 ? width : (width + 7) / 8;
  if (bytesPerLine < minLine) return {};

  qsizetype end = data.size();
  if (palette256) {
    end = data.size() - kPaletteSize - 1;
    if (end < kHeaderSize || u8(data, end) != 0x0C) return {};
  }
  const qsizetype rowBytes = static_cast<qsizetype>(bytesPerLine) * planes;
  std::vector<uchar> body;
  if (!unpackRows(data, end, rowBytes * height, body)) return {};

  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return {};
  QRgb colours[256];
  if (palette256) {
    for (int i = 0; i < 256; ++i) {
      const qsizetype p = end + 1 + i * 3;
      colours[i] = qRgb(u8(data, p), u8(data, p + 1), u8(data, p + 2));
    }
  } else if (planar1 && planes == 1) {
    colours[0] = qRgb(0, 0, 0);
    colours[1] = qRgb(255, 255, 255);
  } else if (planar1) {
    for (int i = 0; i < 16; ++i)
      colours[i] = qRgb(u8(data, 16 + i * 3), u8(data, 17 + i * 3), u8(data, 18 + i * 3));
  }

  for (int y = 0; y < height; ++y) {
    const uchar* row = body.data() + static_cast<qsizetype>(y) * rowBytes;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if (palette256) {
        line[x] = colours[row[x]];
      } else if (rgb) {
        line[x] = qRgb(row[x], row[bytesPerLine + x], row[2 * bytesPerLine + x]);
      } else {
        int index = 0;
        for (int p = 0; p < planes; ++p) {
          const int bit = (row[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1;
          index |= bit << p;
        }
        line[x] = colours[index];
      }
    }
  }
  return image;
}
