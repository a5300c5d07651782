#pragma once

#include <QAbstractItemModel>
#include <QList>
#include <QString>

#include "model/ColumnMap.h"
#include "model/PrintJob.h"

// Cutting the rows of the picture table into print jobs, each with the values of the
// header and footer macros that the job owns (&f category, and for page jobs &a and &p).
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

// One job as planned: its rows and what its own macros stand for.
struct PlannedJob {
  RowRange rows;
  JobMacros macros;
  friend bool operator==(const PlannedJob&, const PlannedJob&) = default;
};

// The jobs of a run. By category: one per run of equal categories, &f its category,
// &p and &a counted by the page loop within the job. By page: one per page of
// cellsPerPage rows, &f the category of the page's last row, &p the page's number in
// the run and &a the run's page count (the row count divided by cellsPerPage, rounded up).
QList<PlannedJob> PlanJobs(const QList<TableRow>& rows, bool byCategory, int cellsPerPage);

// The pictures and captions of a planned job's rows with the header and footer
// templates; aspect overrides stay empty.
PrintJob JobOfRows(const QList<TableRow>& rows, const PlannedJob& planned, const QString& header,
                   const QString& footer);

// Every job of a run as PlanJobs cuts it, each with the header and footer templates.
QList<PrintJob> JobsOfRun(const QList<TableRow>& rows, bool byCategory, int cellsPerPage,
                          const QString& header, const QString& footer);

}  // namespace planning
