#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "print/JobOutput.h"
#include "print/PageFileWriter.h"
#include "render/PrinterQueries.h"

class PrinterObject;
class PictureRegistry;
class ProgressWindowHost;
struct SettingsSession;

// What the page loops draw with. The settings (fonts, areas, alignments, optimisation,
// printer names, copies) are read from session.printSettings; the picture-file loop
// falls back to session.lastJob when it is given no job. Each run makes the printer
// object or page panel it draws on and holds it to its end; the progress window only
// shows how far it is.
struct PageLoopServices {
  PageLoopServices(SettingsSession& session_, PictureRegistry& pictures_,
                   ProgressWindowHost& progress_)
      : session(session_), pictures(pictures_), progress(progress_) {}

  SettingsSession& session;
  PictureRegistry& pictures;
  ProgressWindowHost& progress;
  // Makes the named printer the system default; the real one by default.
  std::function<bool(const QString&)> setDefaultPrinter = SetDefaultPrinter;
  std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
  // Where page files go when no folder is given: the program's own folder by default.
  QString programFolder;
  // Non-empty: the printer job goes to this PDF file instead of a queue.
  QString printerPdfOutput;
};

// How a page loop ended; the caller turns it into words for the user.
struct PageRunResult {
  int totalPages = 0;
  int pagesDone = 0;
  bool jobStarted = true;   // printer: false when the job could not be started
  bool jobAborted = false;  // printer: the job was cancelled or the spooler failed
  QString printerError;     // printer: why it did not start or end, when known
  QString documentName;     // printer: the spooler job's name
  QStringList writtenFiles;
  QList<PageFileResult> failedFiles;
  QStringList emptyCells;  // the photos whose cells were left empty (PaintOutcome)

  bool succeeded() const { return jobStarted && !jobAborted && failedFiles.isEmpty(); }
};

// Draws every page of the job on a printer object of its own and sends it to the
// chosen printer (made the system default for the job, the previous default restored).
// Zero or negative paper sizes mean 2100 × 2970; rows or columns below 1 mean 5 × 5.
PageRunResult PrintPagesToPrinter(PageLoopServices& services, const PrinterPageArgs& pages);

// The printer loop's pages on a printer object whose destination is already chosen:
// sets the unit, body font and margins, starts the job in the settings' paper and
// orientation, draws every page and ends the job; result says how far it got.
void DrawPrinterPages(PageLoopServices& services, PrinterObject& printer,
                      const PrinterPageArgs& pages, bool showStatusDialog, PageRunResult& result);

// Hides and closes the progress window a page loop opened.
void CloseProgress(ProgressWindowHost& progress);

// Draws every page on a hidden page panel of its own, one pixel per 0.1 mm, and writes
// each as a numbered picture file. Values left at zero take their defaults: A4, fit
// mode 0, 5 × 5, 宋体 9; without useThisJob the last job is drawn.
PageRunResult PrintPagesToPictureFiles(PageLoopServices& services,
                                       const PictureFilePageArgs& pages);

// The loop's outcome as the job driver reports it to the user.
JobOutputReport ReportOf(const PageRunResult& result);

// A point size on the page panel, whose pixels are 0.1 mm.
int PanelFontSize(int points);
