#include "print/JobPlanning.h"

#include "print/ColumnDetection.h"
#include "print/TableText.h"

namespace planning {

QList<TableRow> ReadRows(const QAbstractItemModel& table, const ColumnMap& map) {
  const int count = tabletext::RowCount(table);
  QList<TableRow> rows;
  rows.reserve(count);
  for (int r = 0; r < count; ++r) {
    TableRow row;
    row.picture = tabletext::Cell(table, r, map.pictureColumn);
    row.category = tabletext::Cell(table, r, map.categoryColumn);
    row.caption = columns::CaptionOfRow(
        [&](int column) { return tabletext::Cell(table, r, column); }, map.captionColumns);
    rows.append(std::move(row));
  }
  return rows;
}

QList<RowRange> CutByCategory(const QList<TableRow>& rows) {
  QList<RowRange> ranges;
  for (int r = 0; r < rows.size(); ++r) {
    if (ranges.isEmpty() || rows[r].category != rows[r - 1].category) {
      ranges.append(RowRange{r, 0});
    }
    ranges.last().count += 1;
  }
  return ranges;
}

QList<RowRange> CutByPage(int rowCount, int cellsPerPage) {
  QList<RowRange> ranges;
  if (cellsPerPage <= 0) return ranges;
  for (int first = 0; first < rowCount; first += cellsPerPage) {
    ranges.append(RowRange{first, qMin(cellsPerPage, rowCount - first)});
  }
  return ranges;
}

QList<PlannedJob> PlanJobs(const QList<TableRow>& rows, bool byCategory, int cellsPerPage) {
  QList<PlannedJob> jobs;
  if (byCategory) {
    for (const RowRange& range : CutByCategory(rows))
      jobs.append({range, JobMacros{rows[range.first].category}});
    return jobs;
  }
  const QList<RowRange> pages = CutByPage(static_cast<int>(rows.size()), cellsPerPage);
  const int totalPages = static_cast<int>(pages.size());
  for (int page = 0; page < totalPages; ++page) {
    const RowRange& range = pages[page];
    jobs.append(
        {range, JobMacros{rows[range.first + range.count - 1].category, page + 1, totalPages}});
  }
  return jobs;
}

PrintJob JobOfRows(const QList<TableRow>& rows, const PlannedJob& planned, const QString& header,
                   const QString& footer) {
  const RowRange range = planned.rows;
  PrintJob job;
  job.pictures.reserve(range.count);
  job.captions.reserve(range.count);
  for (int r = range.first; r < range.first + range.count && r < rows.size(); ++r) {
    job.pictures.append(rows[r].picture);
    job.captions.append(rows[r].caption);
  }
  job.headerText = header;
  job.footerText = footer;
  job.macros = planned.macros;
  return job;
}

QList<PrintJob> JobsOfRun(const QList<TableRow>& rows, bool byCategory, int cellsPerPage,
                          const QString& header, const QString& footer) {
  QList<PrintJob> jobs;
  for (const PlannedJob& planned : PlanJobs(rows, byCategory, cellsPerPage))
    jobs.append(JobOfRows(rows, planned, header, footer));
  return jobs;
}

}  // namespace planning
