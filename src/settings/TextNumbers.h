#pragma once

#include <QString>

// How the settings window reads and writes numbers in its text boxes. A box's number
// is the decimal number its text begins with (leading blanks skipped, a sign allowed,
// anything else stops it); an empty or non-numeric text is 0.

// The leading decimal number of a text.
double NumberOfText(const QString& text);

// The leading number of a text multiplied by 10^decimals and truncated toward zero,
// worked out on the digits themselves so that "215.9" × 10 is exactly 2159. Clamped to
// the signed 32-bit range. decimals 0 gives the integer of a text ("12.7" → 12).
int TruncatedNumberOfText(const QString& text, int decimals);

// The leading whole number of a text, clamped to the signed 32-bit range.
int IntegerOfText(const QString& text);

// A length typed in millimetres as stored: trunc(number × 10) in 0.1 mm.
int StoredTenthsOfText(const QString& text);

// A stored 0.1 mm length shown in millimetres, shortest form: 2100 → "210", 2159 → "215.9".
QString ShownMillimetres(int tenths);

// What an integer box holds after losing the focus: its leading whole number, or
// nothing when that is 0.
QString NormalisedIntegerText(const QString& text);
