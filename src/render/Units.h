#pragma once

// Unit codes of both drawing surfaces: 0 device pixels, 1 0.1 mm, 2 0.01 mm,
// 3 0.01 inch, 4 0.001 inch, 5 1/1440 inch. Codes outside 0..5 are clamped.
namespace units {

enum Code : int {
  Pixels = 0,
  TenthMm = 1,
  HundredthMm = 2,
  HundredthInch = 3,
  ThousandthInch = 4,
  Twip = 5
};

int clamp(int code);

// Device pixels at dpi to the unit, and back (unit 0 is the device pixel itself).
double fromPixels(double pixels, double dpi, int code);
double toPixels(double value, double dpi, int code);

}  // namespace units
