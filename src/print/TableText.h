#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <QStringList>

// Reading the picture table as the print engine sees it: titled columns and text
// cells, row and column 0-based. Works on any table model (the picture table lives in
// a subsystem the print engine does not link), and a cell outside the table is empty.
namespace tabletext {

int RowCount(const QAbstractItemModel& table);
int ColumnCount(const QAbstractItemModel& table);
QString ColumnTitle(const QAbstractItemModel& table, int column);
QStringList ColumnTitles(const QAbstractItemModel& table);
QString Cell(const QAbstractItemModel& table, int row, int column);

}  // namespace tabletext
