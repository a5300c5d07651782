#pragma once

#include <QDateTime>
#include <QString>

#include "model/PrintSettings.h"

class DrawPanel;

struct PageFileResult {
  QString fileName;  // the name written, or tried
  bool written = false;
  QString reason;  // why it was not written
};

// Writes the page drawn on the page panel as one picture file at its true density of
// 254 dpi (one pixel per 0.1 mm), tagged sRGB where the format carries a profile, named
// from the date, the time and the page number in folder (never replacing a file already
// there); a landscape page, drawn lying, is turned upright first. Then clears the panel
// for the next page.
PageFileResult SavePageAsPictureFile(DrawPanel& panel, const QString& folder, int page,
                                     PageFileFormat format, bool landscape, const QDateTime& now,
                                     const QString& programFolder);
