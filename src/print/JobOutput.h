#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "model/FontDescription.h"
#include "model/PageSetup.h"
#include "model/PrintJob.h"
#include "model/PrintSettings.h"

// What the job driver hands to the printer page loop. Paper width and height are
// already swapped for a landscape page, because the loop lays the page out in the
// turned size.
struct PrinterPageArgs {
  PageSetup page;
  PrintJob job;

  friend bool operator==(const PrinterPageArgs&, const PrinterPageArgs&) = default;
};

// What the job driver hands to the picture-file page loop; the loop turns landscape
// pages itself, so width and height are the settings' own.
struct PictureFilePageArgs {
  QString folder;
  PageSetup page;
  FontDescription bodyFont;
  PageFileFormat pictureFormat = PageFileFormat::Jpg;
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
  QStringList emptyCells;      // photos whose cells were left empty: missing or unreadable
};

// A reason as the user reads it: what went wrong in words first, then the technical
// detail of the page encoder, the printer or libvips (often English), when there is one.
QString ReasonInWords(const QString& words, const QString& detail);

PrinterPageArgs PrinterArgsFor(const PrintJob& job, const PrintSettings& settings);
PdfFileArgs PdfFileArgsFor(const QString& folder, const PrintJob& job,
                           const PrintSettings& settings);
PictureFilePageArgs PictureFileArgsFor(const QString& folder, const PrintJob& job,
                                       const PrintSettings& settings);
