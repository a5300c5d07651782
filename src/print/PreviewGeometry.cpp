#include "print/PreviewGeometry.h"

#include <cmath>
#include <utility>

namespace preview {

int PreviewFontSize(int points) {
  return static_cast<int>(std::trunc(static_cast<double>(points) / 96.0 * 25.4));
}

PreviewPage WithDefaults(PreviewPage page) {
  if (page.numbers.paperWidth < 1 || page.numbers.paperHeight < 1) {
    page.numbers.paperWidth = 210;
    page.numbers.paperHeight = 297;
  }
  if (page.numbers.photoFit < 0 || page.numbers.photoFit > 4) page.numbers.photoFit = 0;
  if (page.numbers.rows < 1 || page.numbers.columns < 1) {
    page.numbers.rows = 5;
    page.numbers.columns = 5;
  }
  if (page.numbers.landscape) std::swap(page.numbers.paperWidth, page.numbers.paperHeight);
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
