#include "print/PreviewGeometry.h"

#include <cmath>
#include <utility>

namespace preview {

int PreviewFontSize(int points) {
  return static_cast<int>(std::trunc(static_cast<double>(points) / 96.0 * 25.4));
}

PreviewPage WithDefaults(PreviewPage page) {
  if (page.paperWidth < 1 || page.paperHeight < 1) {
    page.paperWidth = 210;
    page.paperHeight = 297;
  }
  if (page.photoFit < 0 || page.photoFit > 4) page.photoFit = 0;
  if (page.rows < 1 || page.columns < 1) {
    page.rows = 5;
    page.columns = 5;
  }
  if (page.landscape == 1) std::swap(page.paperWidth, page.paperHeight);
  return page;
}

void RepairLayout(CardRect& photoArea, CardRect& textArea, int bodyFontPoints, int captionLines,
                  float cellHeight) {
  constexpr float kEmpty = 0.0001f;
  if (textArea.width < kEmpty || textArea.height < kEmpty) {
    float h = 0.0f;
    if (cellHeight > 0.0f) {
      h = static_cast<float>(static_cast<double>(bodyFontPoints) / 96.0 * captionLines * 25.4) /
          cellHeight;
    }
    textArea = CardRect{0.0f, 1.0f - h, 1.0f, h};
  }
  if (photoArea.width < kEmpty || photoArea.height < kEmpty) {
    photoArea = CardRect{0.0f, 0.0f, 1.0f, textArea.y};
  }
}

}  // namespace preview
