#pragma once

// What a margin or a header / footer distance may be, in 0.1 mm, wherever it comes in
// (the settings window, the settings file, the command line): measured from the paper's
// edge inward, so never negative — a negative one puts photos and text off the paper —
// and at most ten metres.
inline constexpr int kMarginLowest = 0;
inline constexpr int kMarginHighest = 100000;

constexpr bool MarginInRange(int tenths) {
  return tenths >= kMarginLowest && tenths <= kMarginHighest;
}
