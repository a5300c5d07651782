#include "render/PrinterFont.h"

#include <cmath>

#include "render/FontMapping.h"
#include "render/Units.h"

namespace printerfont {

double factor(int unitCode, double printerDpiY) {
  switch (units::clamp(unitCode)) {
    case units::Pixels:
      return printerDpiY / 72.0;
    case units::TenthMm:
      return 3.5250987027636778;
    case units::HundredthMm:
      return 35.250987027636775;
    case units::HundredthInch:
      return 1.3888888888888888;
    case units::ThousandthInch:
      return 13.888888888888888;
    default:
      return 20.0;
  }
}

double screenPoints(int points) {
  return screenFontPixels(points) * 72.0 / 96.0;
}

int characterHeight(int points, int unitCode, double printerDpiY) {
  return static_cast<int>(std::trunc(screenPoints(points) * factor(unitCode, printerDpiY)));
}

}  // namespace printerfont
