#pragma once

#include <QList>
#include <QStringList>
#include <ostream>

#include "exchange/ScratchGrid.h"

// The grid as rows of exactly columnCount() cells, so tests compare whole tables.
inline QList<QStringList> GridCells(const ScratchGrid& grid) {
  QList<QStringList> cells;
  for (int row = 0; row < grid.rowCount(); ++row) {
    QStringList line;
    for (int column = 0; column < grid.columnCount(); ++column) line.append(grid.cell(row, column));
    cells.append(line);
  }
  return cells;
}

inline void PrintTo(const QStringList& row, std::ostream* os) {
  *os << '[' << row.join(QStringLiteral(" | ")).toStdString() << ']';
}

inline void PrintTo(const QList<QStringList>& rows, std::ostream* os) {
  *os << '{';
  for (const QStringList& row : rows) PrintTo(row, os);
  *os << '}';
}

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
