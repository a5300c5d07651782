#include <gtest/gtest.h>

#include <limits>

#include "settings/SliderCoupling.h"
#include "settings/TextNumbers.h"

TEST(TextNumbers, NumberIsTheLeadingDecimalNumber) {
  EXPECT_DOUBLE_EQ(NumberOfText("12.5"), 12.5);
  EXPECT_DOUBLE_EQ(NumberOfText("  -3.25mm"), -3.25);
  EXPECT_DOUBLE_EQ(NumberOfText(".5"), 0.5);
  EXPECT_DOUBLE_EQ(NumberOfText("7."), 7.0);
  EXPECT_DOUBLE_EQ(NumberOfText("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(NumberOfText(""), 0.0);
  EXPECT_DOUBLE_EQ(NumberOfText("-"), 0.0);
  EXPECT_DOUBLE_EQ(NumberOfText("abc12"), 0.0);
}

TEST(TextNumbers, StoredTenthsTruncateTowardZeroWithoutBinaryRounding) {
  EXPECT_EQ(StoredTenthsOfText("12.5"), 125);
  EXPECT_EQ(StoredTenthsOfText("12.75"), 127);
  EXPECT_EQ(StoredTenthsOfText("215.9"), 2159);
  EXPECT_EQ(StoredTenthsOfText("279.4"), 2794);
  EXPECT_EQ(StoredTenthsOfText("0.3"), 3);
  EXPECT_EQ(StoredTenthsOfText("-12.75"), -127);
  EXPECT_EQ(StoredTenthsOfText("210"), 2100);
  EXPECT_EQ(StoredTenthsOfText(""), 0);
  EXPECT_EQ(StoredTenthsOfText("x"), 0);
  // Every tenth from 0.0 to 999.9 survives the trip through text.
  for (int tenths = 0; tenths < 10000; ++tenths)
    ASSERT_EQ(StoredTenthsOfText(ShownMillimetres(tenths)), tenths) << tenths;
}

TEST(TextNumbers, IntegerIsTheLeadingWholeNumberClampedTo32Bits) {
  EXPECT_EQ(IntegerOfText("12.7"), 12);
  EXPECT_EQ(IntegerOfText("-5x"), -5);
  EXPECT_EQ(IntegerOfText("--5"), 0);
  EXPECT_EQ(IntegerOfText("2147483647"), std::numeric_limits<int>::max());
  EXPECT_EQ(IntegerOfText("2147483648"), std::numeric_limits<int>::max());
  EXPECT_EQ(IntegerOfText("99999999999999999999999"), std::numeric_limits<int>::max());
  EXPECT_EQ(IntegerOfText("-99999999999999999999999"), std::numeric_limits<int>::min());
  EXPECT_EQ(StoredTenthsOfText("300000000"), std::numeric_limits<int>::max());
}

TEST(TextNumbers, ShownMillimetresUseTheShortestForm) {
  EXPECT_EQ(ShownMillimetres(2100), "210");
  EXPECT_EQ(ShownMillimetres(2159), "215.9");
  EXPECT_EQ(ShownMillimetres(0), "0");
  EXPECT_EQ(ShownMillimetres(5), "0.5");
  EXPECT_EQ(ShownMillimetres(-5), "-0.5");
  EXPECT_EQ(ShownMillimetres(-120), "-12");
  EXPECT_EQ(ShownMillimetres(std::numeric_limits<int>::min()), "-214748364.8");
}

TEST(TextNumbers, IntegerBoxLosingFocusKeepsItsWholeNumberAndEmptiesZero) {
  EXPECT_EQ(NormalisedIntegerText("12.7"), "12");
  EXPECT_EQ(NormalisedIntegerText("007"), "7");
  EXPECT_EQ(NormalisedIntegerText("0"), "");
  EXPECT_EQ(NormalisedIntegerText("-0"), "");
  EXPECT_EQ(NormalisedIntegerText("-"), "");
  EXPECT_EQ(NormalisedIntegerText("-3-"), "-3");
  EXPECT_EQ(NormalisedIntegerText("99999999999"), "2147483647");
}

TEST(SliderCoupling, FourStepsPerCell) {
  EXPECT_EQ(CountFromSliderPosition(1), 0);
  EXPECT_EQ(CountFromSliderPosition(3), 0);
  EXPECT_EQ(CountFromSliderPosition(4), 1);
  EXPECT_EQ(CountFromSliderPosition(20), 5);
  EXPECT_EQ(CountFromSliderPosition(61), 15);
}

TEST(SliderCoupling, BoxMovesItsSliderWithinItsRange) {
  EXPECT_EQ(SliderPositionFromText("5"), 20);
  EXPECT_EQ(SliderPositionFromText("2.5"), 10);
  EXPECT_EQ(SliderPositionFromText("20"), 61);
  EXPECT_EQ(SliderPositionFromText(""), 1);
  EXPECT_EQ(SliderPositionFromText("-4"), 1);
  EXPECT_EQ(SliderPositionFromText("99999999999999"), 61);
}
