#include "exchange/ScratchGrid.h"

#include <algorithm>
#include <utility>

ScratchGrid::ScratchGrid() {
  Resize(1, 1);
}

void ScratchGrid::Resize(int rows, int columns) {
  columns_ = std::max(columns, 1);
  rows_ = QList<QStringList>(std::max(rows, 1));
}

QString ScratchGrid::cell(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columns_) return QString();
  const QStringList& cells = rows_.at(row);
  return column < cells.size() ? cells.at(column) : QString();
}

void ScratchGrid::setRow(int row, QStringList cells) {
  if (row < 0 || row >= rowCount()) return;
  if (cells.size() > columns_) cells.resize(columns_);
  rows_[row] = std::move(cells);
}

void ScratchGrid::Assign(QList<QStringList> rows, int columns) {
  columns_ = std::max(columns, 1);
  rows_ = std::move(rows);
  if (rows_.isEmpty()) rows_.append(QStringList());
  for (QStringList& row : rows_)
    if (row.size() > columns_) row.resize(columns_);
}
