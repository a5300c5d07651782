#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The scratch table 高级表格_中间结果 that imports and exports pass through: text cells
// addressed (row, column) from 0, row 0 an ordinary row (it holds the titles). It keeps
// the last imported or exported table until the next exchange.
class ScratchGrid {
public:
  ScratchGrid();

  // Empties the grid and gives it exactly max(rows, 1) × max(columns, 1) cells.
  void Resize(int rows, int columns);

  int rowCount() const { return int(rows_.size()); }
  int columnCount() const { return columns_; }

  // Empty outside the grid.
  QString cell(int row, int column) const;
  // Replaces one row's cells; cells beyond the last column and rows outside the grid
  // are dropped.
  void setRow(int row, QStringList cells);

  // A row holds at most columnCount() cells and may hold fewer: cells after its last
  // written one are absent and read as empty, so memory follows the text, not the
  // shape (a title line of many TABs over many short lines stays small).
  const QList<QStringList>& rows() const { return rows_; }
  // Replaces the whole grid; rows longer than "columns" are cut (at least one row and
  // one column remain, as after Resize).
  void Assign(QList<QStringList> rows, int columns);

private:
  QList<QStringList> rows_;
  int columns_ = 1;
};
