#pragma once

#include <QImage>

#include "model/FontDescription.h"
#include "model/PageSetup.h"
#include "model/PrintSettings.h"
#include "print/PagePainter.h"
#include "render/DrawPanel.h"

class PictureRegistry;

// The hidden page panel of the page files and the canvas the page painter draws on it
// through: one pixel per 0.1 mm, the origin at the paper's corner, a landscape page
// drawn lying, fonts scaled to the panel's pixels. The page-file loop and the pages
// window draw their pages on it alike, so a page shown is the page written.
class PageFilePanel {
public:
  // A body font of no size and no face (never chosen) is 宋体 9.
  PageFilePanel(PictureRegistry& pictures, const PrintSettings& settings, const PageSetup& page,
                const FontDescription& bodyFont);
  PageFilePanel(const PageFilePanel&) = delete;
  PageFilePanel& operator=(const PageFilePanel&) = delete;

  DrawPanel& panel() { return panel_; }
  PageCanvas& canvas() { return canvas_; }
  bool landscape() const { return landscape_; }

  // The page drawn so far as its page file holds it: a landscape page turned upright.
  QImage UprightPage() const;

private:
  DrawPanel panel_;
  bool landscape_;
  PageCanvas canvas_;
};
