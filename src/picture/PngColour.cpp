#include "picture/PngColour.h"

#include <QBuffer>
#include <QIODevice>
#include <algorithm>

#include "picture/ColourProfile.h"

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
// Colour chunks come before the image data, seldom behind more than a few others.
constexpr int kMostChunks = 64;

quint32 bigEndian32(const QByteArray& bytes, int at) {
  return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16 |
         quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
}

double fraction(const QByteArray& bytes, int at) {
  return bigEndian32(bytes, at) / 100000.0;
}

PngColour readChunks(QIODevice& device) {
  PngColour colour;
  if (device.read(8) != QByteArray(kSignature, 8)) return colour;
  for (int n = 0; n < kMostChunks; ++n) {
    const QByteArray head = device.read(8);
    if (head.size() != 8) return {};
    const quint32 length = bigEndian32(head, 0);
    const QByteArray type = head.mid(4);
    if (type == "IDAT" || type == "IEND") return colour;
    if (type == "gAMA" || type == "cHRM" || type == "sRGB") {
      if (length > 64) return {};
      const QByteArray body = device.read(length);
      if (body.size() != qsizetype(length) || device.read(4).size() != 4) return {};
      if (type == "sRGB") colour.srgb = true;
      if (type == "gAMA" && length == 4) colour.gamma = fraction(body, 0);
      if (type == "cHRM" && length == 32) {
        colour.chromaticities = true;
        double* points[] = {colour.white, colour.red, colour.green, colour.blue};
        for (int p = 0; p < 4; ++p) {
          points[p][0] = fraction(body, p * 8);
          points[p][1] = fraction(body, p * 8 + 4);
        }
      }
      continue;
    }
    if (type == "iCCP") colour.embeddedProfile = true;
    if (!device.seek(device.pos() + qint64(length) + 4)) return {};
  }
  return colour;
}

}  // namespace

PngColour ReadPngColour(QIODevice& device) {
  const qint64 position = device.pos();
  if (device.isSequential() || !device.seek(0)) return {};
  const PngColour colour = readChunks(device);
  device.seek(position);
  return colour;
}

PngColour ReadPngColour(const QByteArray& data) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  return ReadPngColour(buffer);
}

QByteArray PngStatedProfile(const PngColour& colour) {
  if (colour.embeddedProfile || colour.srgb || colour.gamma <= 0.01 || colour.gamma > 10) return {};
  // Without cHRM the primaries are taken as sRGB's, as viewers do.
  RgbChromaticities space;
  if (colour.chromaticities) {
    std::copy_n(colour.white, 2, space.white);
    std::copy_n(colour.red, 2, space.red);
    std::copy_n(colour.green, 2, space.green);
    std::copy_n(colour.blue, 2, space.blue);
  }
  return MakeRgbProfile(space, 1.0 / colour.gamma);
}
