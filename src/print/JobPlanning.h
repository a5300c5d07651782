#pragma once

#include <QAbstractItemModel>
#include <QList>
#include <QString>
#include <QStringView>

#include "model/ColumnMap.h"
#include "model/PrintJob.h"

// Cutting the rows of the picture table into print jobs and filling the header and
// footer macros that a job owns (&f category, and for page jobs &a and &p).
namespace planning {

struct TableRow {
  QString picture;
  QString category;
  QString caption;
};

// The first `count` rows starting at `first`.
struct RowRange {
  int first = 0;
  int count = 0;
  friend bool operator==(const RowRange&, const RowRange&) = default;
};

// The rows as the run prints them, read once when the run starts, so that a table
// changed while the run waits for the user (a new search) cannot mix into it.
// map holds 0-based picture and category columns and 1-based caption columns.
QList<TableRow> ReadRows(const QAbstractItemModel& table, const ColumnMap& map);

// One range per run of consecutive rows with the same category text (exact
// comparison): categories A, A, B, A give three ranges.
QList<RowRange> CutByCategory(const QList<TableRow>& rows);

// Consecutive pages of cellsPerPage rows, the last one holding the rest.
QList<RowRange> CutByPage(int rowCount, int cellsPerPage);

// Every occurrence of macro, in any letter case, replaced by value.
QString ReplaceMacro(const QString& text, QStringView macro, const QString& value);

// A category job: every "&f" becomes the category; "&a" and "&p" stay for the page loop.
QString FillCategoryMacros(const QString& text, const QString& category);

// A page job: "&a" becomes the total pages, then "&f" the page's category, then "&p"
// the page number.
QString FillPageMacros(const QString& text, int totalPages, const QString& category, int page);

// The pictures and captions of a range of rows; aspect overrides stay empty.
PrintJob JobOfRows(const QList<TableRow>& rows, RowRange range, const QString& header,
                   const QString& footer);

}  // namespace planning
