#include "exchange/TableTextWriter.h"

#include "exchange/ScratchGrid.h"
#include "exchange/TableTextParser.h"

QString FieldText(QStringView cell) {
  QString field = TrimField(cell).toString();
  for (QChar& c : field)
    if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
  return field;
}

QString WriteTableText(const ScratchGrid& grid) {
  QString text;
  const QList<QStringList>& rows = grid.rows();
  const int columns = grid.columnCount();
  for (qsizetype row = 0; row < rows.size(); ++row) {
    if (row > 0) text += u'\n';
    const QStringList& cells = rows.at(row);
    for (int column = 0; column < columns; ++column) {
      if (column > 0) text += u'\t';
      if (column < cells.size()) text += FieldText(cells.at(column));
    }
  }
  // A last line of one empty field would read back as no line at all, and a lone
  // title line ending in an empty title without its column; a line end after it keeps
  // the row or the column.
  const bool lastLineEmpty = rows.size() > 1 && (text.isEmpty() || text.back() == u'\n');
  const bool loneTitlesEndInTab = rows.size() == 1 && text.endsWith(u'\t');
  if (lastLineEmpty || loneTitlesEndInTab) text += u'\n';
  return text;
}
