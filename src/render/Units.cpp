#include "render/Units.h"

#include <algorithm>

namespace units {

int clamp(int code) {
  return std::clamp(code, 0, 5);
}

namespace {
// How many units make one inch, for the codes above 0.
double perInch(int code) {
  switch (clamp(code)) {
    case TenthMm:
      return 254.0;
    case HundredthMm:
      return 2540.0;
    case HundredthInch:
      return 100.0;
    case ThousandthInch:
      return 1000.0;
    case Twip:
      return 1440.0;
    default:
      return 0.0;
  }
}
}  // namespace

double fromPixels(double pixels, double dpi, int code) {
  if (clamp(code) == Pixels || dpi <= 0.0) return pixels;
  return pixels / dpi * perInch(code);
}

double toPixels(double value, double dpi, int code) {
  if (clamp(code) == Pixels || dpi <= 0.0) return value;
  return value / perInch(code) * dpi;
}

}  // namespace units
