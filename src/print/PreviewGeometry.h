#pragma once

#include <QString>
#include <optional>

#include "model/CardLayout.h"
#include "model/FontDescription.h"
#include "model/PageSetup.h"
#include "model/PrintJob.h"

// The page preview's page: one pixel per millimetre of paper.

// Lengths in whole millimetres, spacings included.
struct PreviewPage {
  PageSetup numbers;
  FontDescription bodyFont;
  std::optional<PrintJob> lists;  // omitted: the last job's pictures, captions, overrides
  QString headerText;
  QString footerText;
};

namespace preview {

// A font of `points` points on the millimetre page: trunc(points ÷ 96 × 25.4).
int PreviewFontSize(int points);

// Bad arguments replaced: paper below 1 mm gives A4, a fit mode outside 0..4 gives 0,
// rows or columns below 1 give 5 × 5; a landscape page has width and height swapped.
PreviewPage WithDefaults(PreviewPage page);

// An empty text area becomes a full-width band of captionLines lines of the body font
// at the foot of the cell, and an empty photo area then fills the cell above it.
void RepairLayout(CardRect& photoArea, CardRect& textArea, int bodyFontPoints, int captionLines,
                  float cellHeight);

}  // namespace preview
