#include "pdf/PdfTextMap.h"

#include <QFile>
#include <QRawFont>

namespace {

// Code points below the unified ideographs that CJK fonts draw with an ideograph's glyph.
constexpr char16_t kRadicalRanges[][2] = {{0x2E80, 0x2FDF}, {0x31C0, 0x31EF}};
constexpr char16_t kIdeographsFirst = 0x4E00;
constexpr char16_t kIdeographsLast = 0x9FFF;

const QByteArray kSectionBegin = "beginbfrange";
const QByteArray kSectionEnd = "endbfrange";

QString codesFrom(char16_t first, char16_t last) {
  QString text;
  text.reserve(last - first + 1);
  for (char32_t c = first; c <= last; ++c) text.append(QChar(static_cast<char16_t>(c)));
  return text;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code of a four-digit <XXXX> token at text[at]; -1 when there is none.
int fourDigitCode(const QByteArray& text, qsizetype at) {
  if (at + 5 >= text.size() || text[at] != '<' || text[at + 5] != '>') return -1;
  int code = 0;
  for (int i = 1; i <= 4; ++i) {
    const int digit = hexValue(text[at + i]);
    if (digit < 0) return -1;
    code = code * 16 + digit;
  }
  return code;
}

bool replaceCode(QByteArray& text, qsizetype at, const QHash<char16_t, char16_t>& ideographs) {
  const int code = fourDigitCode(text, at);
  if (code < 0) return false;
  const auto it = ideographs.constFind(static_cast<char16_t>(code));
  if (it == ideographs.constEnd()) return false;
  const QByteArray hex = QByteArray::number(it.value(), 16).toUpper().rightJustified(4, '0');
  text.replace(at + 1, 4, hex);
  return true;
}

// One line "<first> <last> <code>" or "<first> <last> [<code> <code> …]". A range of
// consecutive codes (first below last with one code) is left as it is.
int repairLine(QByteArray& text, qsizetype start, qsizetype end,
               const QHash<char16_t, char16_t>& ideographs) {
  const qsizetype open = text.indexOf('[', start);
  int replaced = 0;
  if (open >= 0 && open < end) {
    for (qsizetype at = text.indexOf('<', open); at >= 0 && at < end;
         at = text.indexOf('<', at + 1))
      replaced += replaceCode(text, at, ideographs) ? 1 : 0;
    return replaced;
  }
  const int first = fourDigitCode(text, start);
  const qsizetype second = text.indexOf('<', start + 1);
  const qsizetype third = second < 0 ? -1 : text.indexOf('<', second + 1);
  if (first < 0 || third < 0 || third >= end || fourDigitCode(text, second) != first) return 0;
  return replaceCode(text, third, ideographs) ? 1 : 0;
}

}  // namespace

QHash<char16_t, char16_t> SharedGlyphIdeographs(const QRawFont& font) {
  QHash<quint32, char16_t> radicalOfGlyph;
  for (const auto& range : kRadicalRanges) {
    const QString codes = codesFrom(range[0], range[1]);
    const QList<quint32> glyphs = font.glyphIndexesForString(codes);
    for (qsizetype i = 0; i < glyphs.size() && i < codes.size(); ++i)
      if (glyphs[i] != 0 && !radicalOfGlyph.contains(glyphs[i]))
        radicalOfGlyph.insert(glyphs[i], codes[i].unicode());
  }
  QHash<char16_t, char16_t> ideographs;
  if (radicalOfGlyph.isEmpty()) return ideographs;
  const QString codes = codesFrom(kIdeographsFirst, kIdeographsLast);
  const QList<quint32> glyphs = font.glyphIndexesForString(codes);
  for (qsizetype i = 0; i < glyphs.size() && i < codes.size(); ++i) {
    const auto it = radicalOfGlyph.constFind(glyphs[i]);
    if (glyphs[i] != 0 && it != radicalOfGlyph.constEnd() && !ideographs.contains(it.value()))
      ideographs.insert(it.value(), codes[i].unicode());
  }
  return ideographs;
}

int RepairToUnicodeText(QByteArray& text, const QHash<char16_t, char16_t>& ideographs) {
  int replaced = 0;
  for (qsizetype begin = text.indexOf(kSectionBegin); begin >= 0;
       begin = text.indexOf(kSectionBegin, begin + 1)) {
    const qsizetype end = text.indexOf(kSectionEnd, begin);
    if (end < 0) break;
    qsizetype line = text.indexOf('\n', begin) + 1;
    while (line > 0 && line < end) {
      qsizetype lineEnd = text.indexOf('\n', line);
      if (lineEnd < 0 || lineEnd > end) lineEnd = end;
      replaced += repairLine(text, line, lineEnd, ideographs);
      line = lineEnd + 1;
    }
    begin = end;
  }
  return replaced;
}

bool RepairToUnicodeFile(const QString& fileName, const QHash<char16_t, char16_t>& ideographs) {
  if (ideographs.isEmpty()) return true;
  QFile file(fileName);
  if (!file.open(QIODevice::ReadWrite)) return false;
  // The file is read in pieces: a PDF of camera photos need not fit in memory twice.
  constexpr qint64 kPiece = 4 * 1024 * 1024;
  // A section holds at most 100 lines of at most 256 codes each.
  constexpr qint64 kLongestSection = 100 * 256 * 8 + 1024;
  qint64 offset = 0;
  const qint64 size = file.size();
  while (offset < size) {
    if (!file.seek(offset)) return false;
    const QByteArray piece = file.read(kPiece);
    if (piece.isEmpty()) return false;
    const qsizetype at = piece.indexOf(kSectionBegin);
    if (at < 0) {
      if (offset + piece.size() >= size) break;
      offset += piece.size() - kSectionBegin.size();
      continue;
    }
    const qint64 sectionStart = offset + at;
    if (!file.seek(sectionStart)) return false;
    QByteArray section = file.read(kLongestSection);
    const qsizetype end = section.indexOf(kSectionEnd);
    if (end < 0) break;
    section.truncate(end + kSectionEnd.size());
    if (RepairToUnicodeText(section, ideographs) > 0) {
      if (!file.seek(sectionStart) || file.write(section) != section.size()) return false;
    }
    offset = sectionStart + section.size();
  }
  return file.flush();
}
