#pragma once

#include <QDateTime>
#include <QStringList>
#include <functional>

#include "model/FontDescription.h"
#include "model/PageSetup.h"
#include "model/PrintJob.h"
#include "model/PrintSettings.h"
#include "print/CellPicture.h"
#include "print/PageGeometry.h"

class PictureRegistry;
class ProgressWindowHost;
class Surface;

// Where and how the pages of a run are painted: the only things in which the printer,
// the page files and the page preview differ.
struct PageCanvas {
  Surface& surface;
  PageGrid grid;
  FontDescription bodyFont;
  FontDescription headerFont;
  FontDescription footerFont;
  // Where header and footer go: the frame's paper is the area they are placed on, its
  // margins and distances are counted from that area's edges.
  PageSetup frame;
  // false: photos are measured at one unit per 11.8 pixels (the page preview's scale).
  bool naturalSize = true;
  // Preview: photos may be drawn from the shortcuts a screen preview allows.
  CellPictureUse pictureUse = CellPictureUse::Print;
  // Preview: screen pixels per surface unit the page is seen at (0: the page's own).
  double shownScale = 0.0;
  // Ends a page; false stops the run.
  std::function<bool(int page)> endPage = [](int) { return true; };
  // Asked after every cell; true stops the run with the page part drawn.
  std::function<bool()> stopRequested = [] { return false; };
  // Cells beyond this many are not painted; below 0 means no limit.
  qsizetype cellLimit = -1;
};

struct PaintServices {
  PictureRegistry& pictures;
  ProgressWindowHost& progress;
  std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
};

struct PaintOutcome {
  int totalPages = 0;
  bool stopped = false;  // by stopRequested, mid-page
  // The photo of each cell that was left empty because its file is missing or could not
  // be read, in drawing order.
  QStringList emptyCells;
};

// The page loop of every run: header, cells row by row, footer, end of page, until
// the job's pictures are used up. The progress window, when it is open, shows one
// step per cell; window events run after every cell.
PaintOutcome PaintPages(PaintServices& services, PageCanvas& canvas, const PrintSettings& settings,
                        const PrintJob& job);
