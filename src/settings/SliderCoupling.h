#pragma once

#include <QString>

// The rows and columns sliders move four steps per cell and run from 1 to 61.
inline constexpr int kSliderMinimum = 1;
inline constexpr int kSliderMaximum = 61;
inline constexpr int kSliderStart = 20;

// The count a user's slider move writes into its box: position ÷ 4, truncated.
int CountFromSliderPosition(int position);

// Where a box's text puts its slider: trunc(number × 4), held to the slider's range.
int SliderPositionFromText(const QString& text);
