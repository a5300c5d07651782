#pragma once

#include <QDateTime>
#include <QPoint>
#include <QString>

#include "model/PrintJob.h"
#include "model/PrintSettings.h"

class Surface;

// What the macros of a header or footer stand for on one page.
struct MacroValues {
  int page = 0;        // &p
  int totalPages = 0;  // &a
  QString category;    // &f
  QDateTime now;       // &y &m &d &h &s: year, month, day, hour, second

  friend bool operator==(const MacroValues&, const MacroValues&) = default;
};

// The values on page pageInJob of a job that makes pagesInJob pages: the job's category,
// and its page count and numbering unless the job brings those of a longer run.
MacroValues PageMacroValues(const JobMacros& job, int pageInJob, int pagesInJob,
                            const QDateTime& now);

// Fills every macro of the template in one pass from one table, in any letter case:
// &p page, &a total pages, &f category, &y year, &m month, &d day, &h hour, &s second;
// numbers without leading zeros. A value is put in as it is, never read for macros
// itself, so a category "R&D" prints "R&D". An "&" before any other character stays.
QString FillHeaderFooterMacros(const QString& text, const MacroValues& values);

// Top-left corner of a header or footer line of textWidth: left, right, or (for any
// other value) centred between the margins. A header sits headerFromTop below the
// page's top, a footer footerFromBottom above its bottom.
QPoint PlaceHeaderFooter(bool isHeader, HeaderAlign align, int textWidth, int pageWidth,
                         int pageHeight, int leftMargin, int rightMargin, int headerFromTop,
                         int footerFromBottom);

struct FilledHeaderFooter {
  QString text;
  int x = 0;
  int y = 0;
};

// Fills the template and places it, measuring with the surface's current font (the
// printer for printed pages, the page panel for picture files and the preview).
FilledHeaderFooter FillHeaderFooter(bool isHeader, Surface& surface, const QString& text,
                                    const MacroValues& values, int pageWidth, int pageHeight,
                                    int leftMargin, int rightMargin, int headerFromTop,
                                    int footerFromBottom, HeaderAlign align);
