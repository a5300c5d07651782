#include "exchange/TableTextParser.h"

#include <QStringList>
#include <algorithm>
#include <utility>

#include "exchange/ScratchGrid.h"

namespace {

constexpr QChar kTab = u'\t';
constexpr QChar kEndOfFile = u'\x1A';  // Ctrl-Z, which old DOS tools write after a text

bool isFieldBlank(QChar c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

TableShape shapeOf(QStringView text, const QList<QStringView>& lines) {
  if (lines.isEmpty()) return TableShape{};
  int columns = CountFields(lines.first(), kTab);
  // A title line that is the whole text, without a line end, was not cut from a
  // spreadsheet row: a TAB at its very end closes its last title and opens no column.
  if (lines.size() == 1 && lines.first().size() == text.size() && text.endsWith(kTab)) --columns;
  return TableShape{int(lines.size()), columns};
}

bool isControl(QChar c) {
  return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// A control character in a field (a stray byte in a capture list) becomes a blank.
QString cellText(QStringView field) {
  const QStringView trimmed = TrimField(field);
  if (std::none_of(trimmed.begin(), trimmed.end(), isControl)) return trimmed.toString();
  QString cell = trimmed.toString();
  std::replace_if(cell.begin(), cell.end(), isControl, QChar(u' '));
  return TrimField(cell).toString();
}

void pasteLines(ScratchGrid& grid, const QList<QStringView>& lines) {
  const int rows = std::min(int(lines.size()), grid.rowCount());
  const int columns = grid.columnCount();
  for (int row = 0; row < rows; ++row) {
    const QStringView line = lines.at(row);
    QStringList cells;
    qsizetype start = 0;
    while (cells.size() < columns) {
      const qsizetype tab = line.indexOf(kTab, start);
      const qsizetype end = tab < 0 ? line.size() : tab;
      cells.append(cellText(line.sliced(start, end - start)));
      if (tab < 0) break;
      start = tab + 1;
    }
    grid.setRow(row, std::move(cells));
  }
}

}  // namespace

QStringView TextBeforeNul(QStringView text) {
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  return nul < 0 ? text : text.first(nul);
}

QStringView TableTextOf(QStringView text) {
  QStringView table = TextBeforeNul(text);
  while (table.endsWith(kEndOfFile)) table.chop(1);
  return table;
}

QList<QStringView> SplitTableLines(QStringView text) {
  QList<QStringView> lines;
  qsizetype start = 0;
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    lines.append(text.sliced(start, i - start));
    if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < size) lines.append(text.sliced(start));
  return lines;
}

int CountFields(QStringView line, QChar separator) {
  return int(line.count(separator)) + 1;
}

TableShape CountTableShape(QStringView text) {
  return shapeOf(text, SplitTableLines(text));
}

QStringView TrimField(QStringView field) {
  qsizetype begin = 0;
  qsizetype end = field.size();
  while (begin < end && isFieldBlank(field[begin])) ++begin;
  while (end > begin && isFieldBlank(field[end - 1])) --end;
  return field.sliced(begin, end - begin);
}

void PasteTableText(ScratchGrid& grid, QStringView text) {
  pasteLines(grid, SplitTableLines(text));
}

void ReadTableText(ScratchGrid& grid, QStringView text) {
  const QList<QStringView> lines = SplitTableLines(text);
  const TableShape shape = shapeOf(text, lines);
  grid.Resize(shape.rows, shape.columns);
  pasteLines(grid, lines);
}
