#include "picture/JpegHeader.h"

#include <QBuffer>
#include <QIODevice>

namespace {

constexpr quint8 kApp1 = 0xE1;
constexpr quint8 kApp2 = 0xE2;
constexpr quint8 kStartOfScan = 0xDA;
constexpr quint8 kEndOfImage = 0xD9;
constexpr char kExifHeader[] = "Exif\0\0";
constexpr qint64 kExifHeaderSize = 6;
// "ICC_PROFILE\0", then the chunk's number and the number of chunks.
constexpr char kIccHeader[] = "ICC_PROFILE";
constexpr qint64 kIccHeaderSize = 14;

bool isFrameHeader(quint8 marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isStandalone(quint8 marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

class SegmentReader {
public:
  explicit SegmentReader(QIODevice& device, JpegHeader& header)
      : device_(device), header_(header) {}

  QByteArray read(qint64 count) {
    QByteArray bytes = device_.read(count);
    header_.bytesRead += bytes.size();
    return bytes.size() == count ? bytes : QByteArray();
  }

  QByteArray peek(qint64 count) { return device_.peek(count); }

  // Markers and lengths are read a byte at a time, without a buffer of their own each.
  bool readByte(quint8& byte) {
    char c = 0;
    if (!device_.getChar(&c)) return false;
    ++header_.bytesRead;
    byte = quint8(c);
    return true;
  }

  // A big-endian 16-bit number; -1 at the end of the data.
  int read16() {
    quint8 high = 0;
    quint8 low = 0;
    return readByte(high) && readByte(low) ? high << 8 | low : -1;
  }

  bool skip(qint64 count) {
    if (device_.isSequential()) return read(count).size() == count;
    return device_.seek(device_.pos() + count);
  }

  // The next marker byte, past any fill bytes; 0 at the end of the data.
  quint8 nextMarker() {
    quint8 byte = 0;
    if (!readByte(byte) || byte != 0xFF) return 0;
    while (readByte(byte) && byte == 0xFF) {
    }
    return byte == 0xFF ? 0 : byte;
  }

private:
  QIODevice& device_;
  JpegHeader& header_;
};

int bigEndian16(const QByteArray& bytes, int at) {
  return quint8(bytes[at]) << 8 | quint8(bytes[at + 1]);
}

}  // namespace

QByteArray JoinedIccProfile(const QList<QByteArray>& segments) {
  QList<QByteArray> chunks;
  for (const QByteArray& segment : segments)
    if (segment.size() > kIccHeaderSize &&
        segment.startsWith(QByteArrayView(kIccHeader, sizeof kIccHeader)))
      chunks.append(segment);
  if (chunks.isEmpty()) return {};
  const int count = quint8(chunks.first()[13]);
  QList<QByteArray> ordered(count);
  for (const QByteArray& chunk : chunks) {
    const int number = quint8(chunk[12]);
    if (quint8(chunk[13]) != count || number < 1 || number > count || !ordered[number - 1].isNull())
      return {};
    ordered[number - 1] = chunk.mid(kIccHeaderSize);
  }
  QByteArray profile;
  for (const QByteArray& part : ordered) {
    if (part.isNull()) return {};
    profile += part;
  }
  return profile;
}

JpegHeader ReadJpegHeader(QIODevice& device) {
  JpegHeader header;
  QList<QByteArray> iccChunks;
  SegmentReader reader(device, header);
  if (reader.read16() != 0xFFD8) return header;
  for (;;) {
    const quint8 marker = reader.nextMarker();
    if (marker == 0 || marker == kStartOfScan || marker == kEndOfImage) return header;
    if (isStandalone(marker)) continue;
    const int segmentLength = reader.read16();
    if (segmentLength < 0) return header;
    const qint64 length = segmentLength - 2;
    if (length < 0) return header;
    if (isFrameHeader(marker)) {
      const QByteArray frame = reader.read(length);
      if (frame.size() < 6) return header;
      header.storedSize = QSize(bigEndian16(frame, 3), bigEndian16(frame, 1));
      header.components = quint8(frame[5]);
      header.iccProfile = JoinedIccProfile(iccChunks);
      header.valid = true;
      return header;
    }
    if (marker == kApp1 && header.exif.isEmpty() && length >= kExifHeaderSize &&
        reader.peek(kExifHeaderSize) == QByteArrayView(kExifHeader, kExifHeaderSize)) {
      // Other APP1 blocks (XMP) are told apart by their first bytes and skipped.
      header.exif = reader.read(length);
      if (header.exif.isEmpty()) return header;
      continue;
    }
    if (marker == kApp2 && length > kIccHeaderSize) {
      const QByteArray chunk = reader.read(length);
      if (chunk.isEmpty()) return header;
      iccChunks.append(chunk);
      continue;
    }
    if (!reader.skip(length)) return header;
  }
}

bool EndsWithEndMarker(QIODevice& device) {
  const qint64 size = device.size();
  const qint64 position = device.pos();
  if (device.isSequential() || size < 4 || !device.seek(size - 2)) return false;
  const QByteArray tail = device.read(2);
  return device.seek(position) && tail == QByteArrayView("\xFF\xD9", 2);
}

bool JpegIsCmyk(const QByteArray& data) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  return ReadJpegHeader(buffer).components == 4;
}
