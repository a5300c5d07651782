#include "exchange/TableTransfer.h"

#include <algorithm>
#include <utility>

#include "collect/PictureTableModel.h"
#include "exchange/ScratchGrid.h"

void GridToList(const ScratchGrid& grid, PictureTableModel& list) {
  const QList<QStringList>& gridRows = grid.rows();
  QList<PictureTableModel::Column> columns(grid.columnCount());
  for (PictureTableModel::Column& column : columns) column.widenToTitle = true;
  if (list.ColumnCount() > 0) {
    const PictureTableModel::Column& former = list.columnInfo(0);
    columns[0].width = former.width;
    columns[0].alignment = former.alignment;
    columns[0].widenToTitle = false;  // shown exactly as wide as the user left it
  }
  for (int column = 0; column < grid.columnCount(); ++column)
    columns[column].title = grid.cell(0, column);
  list.ReplaceTable(std::move(columns), gridRows.mid(1));
}

void ListToGrid(const PictureTableModel& list, ScratchGrid& grid) {
  const int columns = list.ColumnCount();
  const int rows = list.RowCount();
  QList<QStringList> cells;
  cells.reserve(qsizetype(rows) + 1);
  QStringList titles;
  titles.reserve(columns);
  for (int column = 0; column < columns; ++column) titles.append(list.ColumnTitle(column));
  cells.append(std::move(titles));
  for (int row = 0; row < rows; ++row) {
    // Empty cells at a row's end stay absent: a wide, sparse table keeps its size.
    int used = columns;
    while (used > 0 && list.Cell(row, used - 1).isEmpty()) --used;
    QStringList line;
    line.reserve(used);
    for (int column = 0; column < used; ++column) line.append(list.Cell(row, column));
    cells.append(std::move(line));
  }
  grid.Assign(std::move(cells), std::max(columns, 1));
}
