#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a job's own header and footer macros stand for. The page loop fills them together
// with the page's own macros, in one pass, so nothing they bring in is read as a macro.
struct JobMacros {
  QString category;    // &f
  int firstPage = 1;   // &p of the job's first page: a page of a longer run counts on from it
  int totalPages = 0;  // &a; 0 stands for the job's own page count

  friend bool operator==(const JobMacros&, const JobMacros&) = default;
};

// One unit of output work: a picture path per cell, its caption (lines joined by
// CR LF), optional aspect overrides (below 0.001 = none), the header and footer
// templates and the values of the job's macros.
struct PrintJob {
  QStringList pictures;
  QStringList captions;
  QList<float> aspectOverrides;
  QString headerText;
  QString footerText;
  JobMacros macros{};

  friend bool operator==(const PrintJob&, const PrintJob&) = default;
};
