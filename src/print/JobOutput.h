#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "model/FontDescription.h"
#include "model/PrintJob.h"
#include "model/PrintSettings.h"

// What the job driver hands to the printer page loop: the job's lists and the layout
// values in the order the loop takes them. Width and height are already swapped for a
// landscape page, because the loop lays the page out in the turned size.
struct PrinterPageArgs {
  QStringList pictures;
  int rows = 0;
  int columns = 0;
  int rowSpacing = 0;
  int columnSpacing = 0;
  QList<float> aspectOverrides;
  QStringList captions;
  int paperWidth = 0;
  int paperHeight = 0;
  int photoFit = 0;
  QString headerText;
  QString footerText;
  int headerFromTop = 0;
  int footerFromBottom = 0;

  friend bool operator==(const PrinterPageArgs&, const PrinterPageArgs&) = default;
};

// What the job driver hands to the picture-file page loop; the loop turns landscape
// pages itself, so width and height are the settings' own.
struct PictureFilePageArgs {
  QString folder;
  int paperWidth = 0;
  int paperHeight = 0;
  int photoFit = 0;
  int rows = 0;
  int columns = 0;
  int rowSpacing = 0;
  int columnSpacing = 0;
  FontDescription bodyFont;
  int marginTop = 0;
  int marginBottom = 0;
  int marginLeft = 0;
  int marginRight = 0;
  int headerFromTop = 0;
  int footerFromBottom = 0;
  int landscape = 0;
  int pictureFormat = 0;
  bool useThisJob = true;
  PrintJob job;

  friend bool operator==(const PictureFilePageArgs&, const PictureFilePageArgs&) = default;
};

// What the job driver hands to the PDF-file loop: the printer loop's pages and the
// folder the one PDF of the job goes into.
struct PdfFileArgs {
  QString folder;
  PrinterPageArgs pages;

  friend bool operator==(const PdfFileArgs&, const PdfFileArgs&) = default;
};

// How a page loop went, as far as the user must hear of it.
struct JobOutputReport {
  bool started = true;         // false: the printer job could not start, nothing came out
  QString startError;          // why, when the loop can tell
  QStringList unwrittenFiles;  // page files that could not be written, each "name：reason"
};

PrinterPageArgs PrinterArgsFor(const PrintJob& job, const PrintSettings& settings);
PdfFileArgs PdfFileArgsFor(const QString& folder, const PrintJob& job,
                           const PrintSettings& settings);
PictureFilePageArgs PictureFileArgsFor(const QString& folder, const PrintJob& job,
                                       const PrintSettings& settings);
