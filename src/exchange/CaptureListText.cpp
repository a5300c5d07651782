#include "exchange/CaptureListText.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

#include "exchange/TableTextParser.h"

namespace {

enum class ByteOrderMark { None, Utf8, Utf16LE, Utf16BE };

ByteOrderMark byteOrderMarkOf(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return ByteOrderMark::Utf8;
  if (bytes.startsWith("\xFF\xFE")) return ByteOrderMark::Utf16LE;
  if (bytes.startsWith("\xFE\xFF")) return ByteOrderMark::Utf16BE;
  return ByteOrderMark::None;
}

int markLength(ByteOrderMark mark) {
  switch (mark) {
    case ByteOrderMark::Utf8:
      return 3;
    case ByteOrderMark::Utf16LE:
    case ByteOrderMark::Utf16BE:
      return 2;
    case ByteOrderMark::None:
      break;
  }
  return 0;
}

// Units are bytes or UTF-16 code units; both have their control characters below 0x20.
template <typename Units, typename ToCode>
bool unitsLookBinary(const Units& units, ToCode code) {
  qsizetype i = 0;
  const qsizetype size = units.size();
  for (; i < size; ++i) {
    const unsigned c = code(units[i]);
    if (c == 0) break;
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return true;
  }
  for (; i < size; ++i)
    if (code(units[i]) != 0) return true;
  return false;
}

QString decodeWith(QStringDecoder decoder, QByteArrayView bytes) {
  return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

QString decodeUtf16(ByteOrderMark mark, QByteArrayView bytes) {
  const auto encoding =
      mark == ByteOrderMark::Utf16LE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
  return decodeWith(QStringDecoder(encoding, QStringConverter::Flag::Stateless),
                    bytes.sliced(markLength(mark)));
}

QString decodeUtf8OrGbk(QByteArrayView bytes) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
  if (!gbk.isValid()) gbk = QStringDecoder("GB18030", QStringConverter::Flag::Stateless);
  return decodeWith(std::move(gbk), bytes);
}

// Files are read in chunks; reading stops at the first chunk holding a NUL, where
// the text ends.
constexpr qint64 kChunkBytes = 64 * 1024;

}  // namespace

bool LooksBinary(QByteArrayView bytes) {
  const ByteOrderMark mark = byteOrderMarkOf(bytes);
  if (mark == ByteOrderMark::Utf16LE || mark == ByteOrderMark::Utf16BE) {
    const QString text = decodeUtf16(mark, bytes);
    return unitsLookBinary(text, [](QChar c) { return unsigned(c.unicode()); });
  }
  return unitsLookBinary(bytes, [](char c) { return unsigned(static_cast<unsigned char>(c)); });
}

QString DecodeCaptureList(QByteArrayView bytes) {
  if (LooksBinary(bytes)) return QString();
  const ByteOrderMark mark = byteOrderMarkOf(bytes);
  switch (mark) {
    case ByteOrderMark::Utf16LE:
    case ByteOrderMark::Utf16BE:
      return TextBeforeNul(decodeUtf16(mark, bytes)).toString();
    case ByteOrderMark::Utf8:
    case ByteOrderMark::None:
      break;
  }
  QByteArrayView text = bytes.sliced(markLength(mark));
  const qsizetype nul = text.indexOf('\0');
  if (nul >= 0) text = text.first(nul);
  if (mark == ByteOrderMark::Utf8)
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless).decode(text);
  return decodeUtf8OrGbk(text);
}

CaptureListFile ReadCaptureList(const QString& path, qint64 maxBytes) {
  CaptureListFile result;
  // Devices, pipes and folders are no lists (reading /dev/zero or a FIFO never ends).
  if (!QFileInfo(path).isFile()) return result;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return result;
  QByteArray bytes;
  bool sniffed = false;
  for (;;) {
    const QByteArray chunk = file.read(std::min(kChunkBytes, maxBytes + 1 - bytes.size()));
    if (file.error() != QFileDevice::NoError) return result;
    if (chunk.isEmpty()) break;
    bytes += chunk;
    if (chunk.contains('\0')) break;
    // A binary file without an early NUL still shows itself in its first bytes.
    if (!sniffed && LooksBinary(bytes)) break;
    sniffed = true;
    if (bytes.size() > maxBytes) {
      result.outcome = CaptureListOutcome::TooLarge;
      return result;
    }
  }
  result.outcome = CaptureListOutcome::Text;
  result.text = DecodeCaptureList(bytes);
  return result;
}
