#include "settings/SliderCoupling.h"

#include "settings/TextNumbers.h"

#include <algorithm>
#include <cmath>

int CountFromSliderPosition(int position) { return position / 4; }

int SliderPositionFromText(const QString& text) {
  const double steps = std::trunc(NumberOfText(text) * 4.0);
  return static_cast<int>(std::clamp(steps, double{kSliderMinimum}, double{kSliderMaximum}));
}
