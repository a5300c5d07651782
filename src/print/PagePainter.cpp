#include "print/PagePainter.h"

#include <QCoreApplication>

#include "layout/PhotoFit.h"
#include "platform/MemoryPolicy.h"
#include "platform/Paths.h"
#include "print/CellDrawer.h"
#include "print/CellPicturePrefetch.h"
#include "print/HeaderFooter.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/Surface.h"

namespace {

// The per-picture lists of a job, cut at the cell limit and padded so every index has
// an entry.
struct JobLists {
  QStringList pictures;
  QStringList captions;
  QList<float> aspectOverrides;
};

JobLists paddedLists(const PrintJob& job, qsizetype cellLimit) {
  JobLists lists{job.pictures, job.captions, job.aspectOverrides};
  if (cellLimit >= 0 && lists.pictures.size() > cellLimit) lists.pictures.resize(cellLimit);
  const qsizetype n = lists.pictures.size();
  if (lists.aspectOverrides.size() < n) lists.aspectOverrides = QList<float>(n, 0.0f);
  while (lists.captions.size() < n) lists.captions.append(QString());
  return lists;
}

void writeHeaderFooter(PageCanvas& canvas, const PrintSettings& settings, bool isHeader,
                       const QString& text, const MacroValues& values) {
  if (text.isEmpty()) return;
  canvas.surface.setFont(isHeader ? canvas.headerFont : canvas.footerFont);
  const PageSetup& f = canvas.frame;
  const FilledHeaderFooter filled =
      FillHeaderFooter(isHeader, canvas.surface, text, values, f.paperWidth, f.paperHeight,
                       f.marginLeft, f.marginRight, f.headerFromTop, f.footerFromBottom,
                       isHeader ? settings.headerAlign : settings.footerAlign);
  canvas.surface.WriteTextAt(filled.x, filled.y, filled.text);
  canvas.surface.setFont(canvas.bodyFont);
}

void showProgress(ProgressWindowHost& progress, qsizetype done) {
  if (ProgressWindow* window = progress.window())
    window->setProgress(static_cast<int>(qMin<qsizetype>(done, ProgressWindow::kMaxSteps)));
}

}  // namespace

PaintOutcome PaintPages(PaintServices& services, PageCanvas& canvas, const PrintSettings& settings,
                        const PrintJob& job) {
  PaintOutcome outcome;
  const JobLists lists = paddedLists(job, canvas.cellLimit);
  const qsizetype n = lists.pictures.size();
  const int fitMode = NormalisedFitMode(canvas.frame.photoFit);
  outcome.totalPages = TotalPages(n, canvas.grid.shape);
  if (ProgressWindow* window = services.progress.window())
    window->setRange(static_cast<int>(qMin<qsizetype>(n, ProgressWindow::kMaxSteps)));

  const bool drawable = canvas.grid.cellsAreDrawable();
  QList<PictureHandle> handles(n, 0);
  CellPicturePrefetch prefetch(drawable ? lists.pictures : QStringList(), settings.optimiseLevel,
                               static_cast<int>(canvas.grid.cellWidth),
                               static_cast<int>(canvas.grid.cellHeight), canvas.pictureUse,
                               CellPicturePrefetch::defaultAhead(), canvas.shownScale);
  qsizetype k = 0;
  int pageNumber = 0;
  while (k < n && !outcome.stopped) {
    ++pageNumber;
    writeHeaderFooter(
        canvas, settings, true, job.headerText,
        PageMacroValues(job.macros, pageNumber, outcome.totalPages, services.clock()));
    for (int i = 0; i < canvas.grid.shape.rows && k < n && !outcome.stopped; ++i) {
      for (int j = 0; j < canvas.grid.shape.columns && k < n; ++j) {
        const QString& path = lists.pictures.at(k);
        if (drawable && !path.isEmpty()) {
          if (IsRegularFile(path)) handles[k] = prefetch.Load(services.pictures, k);
          if (handles[k] == 0) outcome.emptyCells.append(path);
        }
        DrawCell(canvas.surface, services.pictures, settings, handles[k], canvas.grid.cell(i, j),
                 lists.captions.at(k), lists.aspectOverrides.at(k), fitMode, canvas.naturalSize);
        ++k;
        showProgress(services.progress, k);
        // A page of large photos takes seconds: the bar moves and the hide button
        // answers after every cell, not only between pages.
        QCoreApplication::processEvents();
        if (canvas.stopRequested()) {
          outcome.stopped = true;
          break;
        }
      }
    }
    if (outcome.stopped) break;
    writeHeaderFooter(
        canvas, settings, false, job.footerText,
        PageMacroValues(job.macros, pageNumber, outcome.totalPages, services.clock()));
    const bool goOn = canvas.endPage(pageNumber);
    ReleaseFreedMemory();
    QCoreApplication::processEvents();
    if (!goOn) break;
  }
  for (PictureHandle handle : handles) services.pictures.UnloadPicture(handle);
  return outcome;
}
