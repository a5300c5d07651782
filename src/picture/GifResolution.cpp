#include "picture/GifResolution.h"

#include <QtEndian>

namespace {

constexpr char kApplication[] = "MGK8BIM0000";
constexpr quint16 kResolutionResource = 0x03ED;
constexpr quint16 kPixelsPerInch = 1;
// "8BIM", id, empty name, size, then the 16 bytes of the resolution info.
constexpr qsizetype kResourceSize = 28;

// Offset of the first block after the header, screen descriptor and global colour
// table; -1 when the data is too short to be a GIF.
qsizetype firstBlock(const QByteArray& gif) {
  if (gif.size() < 13 || !(gif.startsWith("GIF87a") || gif.startsWith("GIF89a"))) return -1;
  const auto packed = static_cast<unsigned char>(gif[10]);
  qsizetype offset = 13;
  if (packed & 0x80) offset += 3 * (qsizetype{1} << ((packed & 7) + 1));
  return offset <= gif.size() ? offset : -1;
}

void appendBigEndian16(QByteArray& out, quint16 v) {
  out.append(static_cast<char>(v >> 8)).append(static_cast<char>(v & 0xFF));
}
void appendBigEndian32(QByteArray& out, quint32 v) {
  appendBigEndian16(out, static_cast<quint16>(v >> 16));
  appendBigEndian16(out, static_cast<quint16>(v & 0xFFFF));
}

}  // namespace

QByteArray withGifResolution(const QByteArray& gif, int xDpi, int yDpi) {
  const qsizetype at = firstBlock(gif);
  if (at < 0 || xDpi <= 0 || yDpi <= 0) return gif;

  QByteArray info;  // ResolutionInfo: 16.16 fixed resolutions, each with its units
  appendBigEndian32(info, static_cast<quint32>(xDpi) << 16);
  appendBigEndian16(info, kPixelsPerInch);
  appendBigEndian16(info, 1);
  appendBigEndian32(info, static_cast<quint32>(yDpi) << 16);
  appendBigEndian16(info, kPixelsPerInch);
  appendBigEndian16(info, 1);

  QByteArray resource("8BIM");
  appendBigEndian16(resource, kResolutionResource);
  resource.append('\0').append('\0');  // empty name, padded to even length
  appendBigEndian32(resource, static_cast<quint32>(info.size()));
  resource.append(info);

  QByteArray extension("\x21\xFF\x0B", 3);
  extension.append(kApplication, 11);
  extension.append(static_cast<char>(resource.size()));  // one sub-block: 28 bytes
  extension.append(resource);
  extension.append('\0');

  QByteArray out = gif;
  out.insert(at, extension);
  return out;
}

bool readGifResolution(const QByteArray& gif, int& xDpi, int& yDpi) {
  const qsizetype at = firstBlock(gif);
  if (at < 0) return false;
  const QByteArray marker = QByteArray("\x21\xFF\x0B", 3) + QByteArray(kApplication, 11);
  const qsizetype found = gif.indexOf(marker, at);
  // resource: block length, then "8BIM", id, name (2), size (4), x at +12 and y at +20
  const qsizetype data = found + marker.size() + 1;
  if (found < 0 || data + kResourceSize > gif.size() || gif.mid(data, 4) != "8BIM") return false;
  const auto* p = reinterpret_cast<const uchar*>(gif.constData() + data);
  if (qFromBigEndian<quint16>(p + 4) != kResolutionResource) return false;
  xDpi = static_cast<int>(qFromBigEndian<quint32>(p + 12) >> 16);
  yDpi = static_cast<int>(qFromBigEndian<quint32>(p + 20) >> 16);
  return true;
}
