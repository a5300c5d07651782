#include "picture/PcxDecoder.h"

#include <algorithm>
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

// The most bytes a run-length body of this many bytes unpacks to: every two bytes one
// run of 63.
constexpr qint64 kLongestRun = 63;
qint64 largestExpansion(qsizetype bodyBytes) {
  return (bodyBytes + 1) / 2 * kLongestRun;
}

// Run-length decoding of the picture body, one row of planes at a time. A run may
// cross the end of a row, as some writers do.
class RunLengthRows {
public:
  RunLengthRows(const QByteArray& data, qsizetype end) : data_(data), end_(end) {}

  // False when the data ends before the row is full.
  bool next(uchar* row, qsizetype rowBytes) {
    qsizetype filled = 0;
    while (filled < rowBytes) {
      if (runLeft_ == 0 && !readRun()) return false;
      const qsizetype count = std::min(runLeft_, rowBytes - filled);
      std::fill_n(row + filled, count, runByte_);
      filled += count;
      runLeft_ -= count;
    }
    return true;
  }

private:
  bool readRun() {
    if (pos_ >= end_) return false;
    int byte = u8(data_, pos_++);
    runLeft_ = 1;
    if ((byte & 0xC0) == 0xC0) {
      runLeft_ = byte & 0x3F;
      if (pos_ >= end_) return false;
      byte = u8(data_, pos_++);
    }
    runByte_ = static_cast<uchar>(byte);
    return true;
  }

  const QByteArray& data_;
  const qsizetype end_;
  qsizetype pos_ = kHeaderSize;
  qsizetype runLeft_ = 0;
  uchar runByte_ = 0;
};

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
  // What the header declares is checked against what the body can unpack to before
  // the picture is allocated: a few hundred bytes cannot fill gigabytes.
  const qsizetype rowBytes = static_cast<qsizetype>(bytesPerLine) * planes;
  if (rowBytes * height > largestExpansion(end - kHeaderSize)) return {};

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

  std::vector<uchar> rowBuffer(static_cast<size_t>(rowBytes));
  const uchar* row = rowBuffer.data();
  RunLengthRows rows(data, end);
  for (int y = 0; y < height; ++y) {
    if (!rows.next(rowBuffer.data(), rowBytes)) return {};
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
