#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "model/PrintJob.h"
#include "model/PrintSettings.h"
#include "print/PageGeometry.h"

// What a run would print, checked before any paper is used: every photo's header read
// once, the photos that cannot be printed, and those too small for the size they are
// printed at. The pages window and `quillmere print --check` show the same check.

// Below this many pixels per inch at its printed size a photo prints soft.
inline constexpr int kDefaultMinimumPpi = 150;

struct PhotoProblem {
  enum class Kind { Missing, Unreadable, Refused, LowResolution };
  Kind kind = Kind::Missing;
  int page = 0;  // in the run, from 1
  int cell = 0;  // on its page, from 1, row by row
  QString picture;
  QString reason;  // in the user's words
  int ppi = 0;     // LowResolution: the effective resolution

  // Missing, unreadable and refused photos leave their cells empty.
  bool leavesCellEmpty() const { return kind != Kind::LowResolution; }
  friend bool operator==(const PhotoProblem&, const PhotoProblem&) = default;
};

struct RunCheck {
  int jobs = 0;
  int pages = 0;
  int photos = 0;  // cells that name a photo
  QList<PhotoProblem> problems;
  bool stopped = false;

  int emptyCells() const;
  friend bool operator==(const RunCheck&, const RunCheck&) = default;
};

// Checks the run's jobs as the page files lay them out with the settings' page, cell
// areas and fit mode. stopRequested, when given, is asked between photos; a stopped
// check holds what was found so far.
RunCheck CheckRun(const QList<PrintJob>& jobs, const PrintSettings& settings, int minimumPpi,
                  const std::function<bool()>& stopRequested = {});

// The pixels per inch of a photo of `photo` pixels (upright) as the cell prints it:
// fitted into the photo area by the fit mode, the lower of the two directions; 0 when
// nothing of it is printed.
int EffectivePpi(QSize photo, const CellRect& cell, const PrintSettings& settings,
                 float aspectOverride);

// "第 3 页第 2 格：照片只有 96 ppi，低于 150 ppi（/photos/a.jpg）"
QString ProblemLine(const PhotoProblem& problem);
// "共 2 个作业，3 页，12 张照片，4 个问题。"
QString CheckSummary(const RunCheck& check);
