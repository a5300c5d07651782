#include "exchange/CaptureListText.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

#include "exchange/TableTextParser.h"

namespace {

enum class Encoding { Binary, Utf8OrGbk, Utf8Bom, Utf16LE, Utf16BE };

Encoding byteOrderMarkOf(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return Encoding::Utf8Bom;
  if (bytes.startsWith("\xFF\xFE")) return Encoding::Utf16LE;
  if (bytes.startsWith("\xFE\xFF")) return Encoding::Utf16BE;
  return Encoding::Utf8OrGbk;
}

// The length of the byte-order mark the bytes start with when it is the one of the
// encoding; UTF-16 LE may come without one.
qsizetype markLength(Encoding encoding, QByteArrayView bytes) {
  if (byteOrderMarkOf(bytes) != encoding) return 0;
  switch (encoding) {
    case Encoding::Utf8Bom:
      return 3;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
      return 2;
    default:
      return 0;
  }
}

bool isUtf16(Encoding encoding) {
  return encoding == Encoding::Utf16LE || encoding == Encoding::Utf16BE;
}

// The first bytes are enough to tell a text from a picture or a program.
constexpr qsizetype kSniffBytes = 64 * 1024;

// Units are bytes or UTF-16 code units; both have their control characters below 0x20.
// A stray control byte, a NUL inside the text or NUL padding after it leave a text a
// text; a binary file has controls and NULs all through (random bytes: one in eight).
template <typename Units, typename ToCode>
bool unitsLookBinary(const Units& units, ToCode code) {
  qsizetype size = units.size();
  while (size > 0 && code(units[size - 1]) == 0) --size;  // padding
  qsizetype odd = 0;
  for (qsizetype i = 0; i < size; ++i) {
    const unsigned c = code(units[i]);
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != 0x1A) || c == 0x7F) ++odd;
  }
  return odd >= 2 && odd * 50 > size;
}

bool bytesLookBinary(QByteArrayView bytes) {
  return unitsLookBinary(bytes, [](char c) { return unsigned(static_cast<unsigned char>(c)); });
}

QString decodeUtf16(Encoding encoding, QByteArrayView bytes) {
  const auto converter =
      encoding == Encoding::Utf16LE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
  QStringDecoder decoder(converter, QStringConverter::Flag::Stateless);
  return decoder.decode(bytes.first(bytes.size() & ~qsizetype{1}));
}

bool utf16LooksBinary(const QString& text) {
  return unitsLookBinary(text, [](QChar c) { return unsigned(c.unicode()); });
}

// Characters a table of picture names is written in: ASCII, Latin and other
// alphabets, punctuation, CJK. Bytes that are no UTF-16 text decode to a spread of
// code units far beyond these.
bool isTableCharacter(char16_t c) {
  return c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c < 0x7F) ||
         (c >= 0xA0 && c < 0x2500) || (c >= 0x3000 && c < 0x3100) || (c >= 0x3400 && c < 0xA000) ||
         (c >= 0xF900 && c < 0xFB00) || (c >= 0xFF00 && c < 0xFFF0);
}

// UTF-16 LE without a byte-order mark, as some Windows tools save: ASCII characters and
// the TABs and line ends of a table show as a byte followed by a NUL.
bool looksLikeUtf16Le(QByteArrayView sample) {
  QString text = decodeUtf16(Encoding::Utf16LE, sample);
  while (!text.isEmpty() && text.back() == QChar(u'\0')) text.chop(1);
  if (!text.contains(u'\t') && !text.contains(u'\n') && !text.contains(u'\r')) return false;
  const qsizetype table = std::count_if(text.cbegin(), text.cend(),
                                        [](QChar c) { return isTableCharacter(c.unicode()); });
  return table * 100 >= text.size() * 98;
}

Encoding encodingOf(QByteArrayView bytes) {
  const Encoding marked = byteOrderMarkOf(bytes);
  const QByteArrayView sample = bytes.first(std::min(bytes.size(), kSniffBytes));
  if (isUtf16(marked))
    return utf16LooksBinary(decodeUtf16(marked, sample.sliced(2))) ? Encoding::Binary : marked;
  if (!bytesLookBinary(sample)) return marked;
  if (marked == Encoding::Utf8OrGbk && looksLikeUtf16Le(sample)) return Encoding::Utf16LE;
  return Encoding::Binary;
}

// Where the text ends: at its first NUL byte, or its first NUL code unit in UTF-16;
// looked for from `from` on, -1 when there is none.
qsizetype textEnd(Encoding encoding, QByteArrayView bytes, qsizetype from = 0) {
  if (!isUtf16(encoding)) return bytes.indexOf('\0', from);
  for (qsizetype i = std::max(markLength(encoding, bytes), from & ~qsizetype{1});
       i + 1 < bytes.size(); i += 2)
    if (bytes[i] == '\0' && bytes[i + 1] == '\0') return i;
  return -1;
}

QString decodeUtf8OrGbk(QByteArrayView bytes) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
  if (!gbk.isValid()) gbk = QStringDecoder("GB18030", QStringConverter::Flag::Stateless);
  return gbk.isValid() ? gbk.decode(bytes) : QString::fromLatin1(bytes);
}

QString decodeText(Encoding encoding, QByteArrayView bytes) {
  const qsizetype end = textEnd(encoding, bytes);
  const QByteArrayView text =
      bytes.first(end < 0 ? bytes.size() : end).sliced(markLength(encoding, bytes));
  switch (encoding) {
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
      return decodeUtf16(encoding, text);
    case Encoding::Utf8Bom:
      return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless).decode(text);
    default:
      return decodeUtf8OrGbk(text);
  }
}

// Files are read in chunks; reading stops at the chunk where the text ends.
constexpr qint64 kChunkBytes = 64 * 1024;

}  // namespace

bool LooksBinary(QByteArrayView bytes) {
  return encodingOf(bytes) == Encoding::Binary;
}

QString DecodeCaptureList(QByteArrayView bytes) {
  const Encoding encoding = encodingOf(bytes);
  return encoding == Encoding::Binary ? QString() : decodeText(encoding, bytes);
}

CaptureListFile ReadCaptureList(const QString& path, qint64 maxBytes) {
  CaptureListFile result;
  // Devices, pipes and folders are no lists (reading /dev/zero or a FIFO never ends).
  if (!QFileInfo(path).isFile()) return result;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return result;
  QByteArray bytes;
  Encoding encoding = Encoding::Utf8OrGbk;
  for (;;) {
    const QByteArray chunk = file.read(std::min(kChunkBytes, maxBytes + 1 - bytes.size()));
    if (file.error() != QFileDevice::NoError) return result;
    if (chunk.isEmpty()) break;
    const qsizetype before = bytes.size();
    bytes += chunk;
    if (before == 0) {
      // A binary file shows itself in its first bytes and is not read further.
      encoding = encodingOf(bytes);
      if (encoding == Encoding::Binary) {
        result.outcome = CaptureListOutcome::Binary;
        return result;
      }
    }
    if (textEnd(encoding, bytes, before) >= 0) break;
    if (bytes.size() > maxBytes) {
      result.outcome = CaptureListOutcome::TooLarge;
      return result;
    }
  }
  result.outcome = CaptureListOutcome::Text;
  result.text = decodeText(encoding, bytes);
  return result;
}
