#pragma once

// The printer's font rule. The font property holds a screen font whose size in points
// is its character height in 96 dpi screen pixels × 72 / 96; the printer font gets the
// same face with a character height of points × k in the printer unit, truncated.
namespace printerfont {

// k of the unit: unit 0 the printer's vertical dots per inch / 72; unit 1
// 3.5250987027636778; unit 2 35.250987027636775; unit 3 100 / 72; unit 4 1000 / 72;
// unit 5 20.
double factor(int unitCode, double printerDpiY);

// Points of a font of `points` as the 96 dpi screen holds it (9 stays 9, 10 becomes 9.75).
double screenPoints(int points);

// Character height in the unit, truncated.
int characterHeight(int points, int unitCode, double printerDpiY);

}  // namespace printerfont
