#include "settings/SliderCoupling.h"

#include <algorithm>
#include <cmath>

#include "settings/TextNumbers.h"

int CountFromSliderPosition(int position) {
  return position / 4;
}

int SliderPositionFromText(const QString& text) {
  const double steps = std::trunc(NumberOfText(text) * 4.0);
  return static_cast<int>(std::clamp(steps, double{kSliderMinimum}, double{kSliderMaximum}));
}
