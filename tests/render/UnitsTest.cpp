#include <gtest/gtest.h>

#include "render/Units.h"

TEST(Units, CodesOutsideTheRangeAreClamped) {
  EXPECT_EQ(units::clamp(-3), 0);
  EXPECT_EQ(units::clamp(9), 5);
  EXPECT_EQ(units::clamp(3), 3);
}

TEST(Units, TenthMillimetresAtSixHundredDpi) {
  // a 600-pixel picture on a 600 dpi printer measures one inch: 254 tenths of a mm
  EXPECT_DOUBLE_EQ(units::fromPixels(600, 600, units::TenthMm), 254.0);
  EXPECT_DOUBLE_EQ(units::toPixels(254, 600, units::TenthMm), 600.0);
  EXPECT_DOUBLE_EQ(units::fromPixels(17, 600, units::Pixels), 17.0);
}
