#include "print/RunPages.h"

QList<RunPage> PagesOfRun(const QList<PrintJob>& jobs, GridShape shape) {
  QList<RunPage> pages;
  for (int j = 0; j < jobs.size(); ++j) {
    const int count = TotalPages(jobs[j].pictures.size(), shape);
    for (int p = 0; p < count; ++p) pages.append({j, p, count});
  }
  return pages;
}

PrintJob PageOfJob(const PrintJob& job, int pageInJob, GridShape shape) {
  const qsizetype cells = qsizetype(shape.rows) * shape.columns;
  const qsizetype first = pageInJob * cells;
  PrintJob page;
  page.pictures = job.pictures.mid(first, cells);
  page.captions = job.captions.mid(first, cells);
  if (job.aspectOverrides.size() >= job.pictures.size())
    page.aspectOverrides = job.aspectOverrides.mid(first, cells);
  page.headerText = job.headerText;
  page.footerText = job.footerText;
  page.macros = job.macros;
  page.macros.firstPage = job.macros.firstPage + pageInJob;
  if (page.macros.totalPages <= 0) page.macros.totalPages = TotalPages(job.pictures.size(), shape);
  return page;
}
