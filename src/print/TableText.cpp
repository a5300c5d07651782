#include "print/TableText.h"

namespace tabletext {

int RowCount(const QAbstractItemModel& table) {
  return table.rowCount();
}

int ColumnCount(const QAbstractItemModel& table) {
  return table.columnCount();
}

QString ColumnTitle(const QAbstractItemModel& table, int column) {
  if (column < 0 || column >= table.columnCount()) return {};
  return table.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QStringList ColumnTitles(const QAbstractItemModel& table) {
  QStringList titles;
  const int count = table.columnCount();
  titles.reserve(count);
  for (int i = 0; i < count; ++i) titles.append(ColumnTitle(table, i));
  return titles;
}

QString Cell(const QAbstractItemModel& table, int row, int column) {
  if (row < 0 || column < 0 || row >= table.rowCount() || column >= table.columnCount()) return {};
  return table.data(table.index(row, column), Qt::DisplayRole).toString();
}

}  // namespace tabletext
