#include <gtest/gtest.h>

#include "render/PrinterFont.h"
#include "render/PrinterQueries.h"

TEST(PrinterFont, CharacterHeightPerUnit) {
  EXPECT_EQ(printerfont::characterHeight(9, 1, 600), 31);  // 9 × 3.5251 = 31.7
  EXPECT_EQ(printerfont::characterHeight(9, 2, 600), 317);
  EXPECT_EQ(printerfont::characterHeight(9, 3, 600), 12);  // 9 × 100 / 72 = 12.5
  EXPECT_EQ(printerfont::characterHeight(9, 4, 600),
            124);  // 13.888888888888888 × 9 falls just short of 125
  EXPECT_EQ(printerfont::characterHeight(9, 5, 600), 180);
  EXPECT_EQ(printerfont::characterHeight(9, 0, 600), 75);  // device pixels at 600 dpi
  EXPECT_EQ(printerfont::characterHeight(9, 0, 300), 37);
  EXPECT_EQ(printerfont::characterHeight(9, 7, 600), 180);  // codes clamp
}

TEST(PrinterFont, PointsAreThoseTheScreenHolds) {
  EXPECT_DOUBLE_EQ(printerfont::screenPoints(9), 9.0);    // 12 pixels
  EXPECT_DOUBLE_EQ(printerfont::screenPoints(10), 9.75);  // 13 pixels
  EXPECT_EQ(printerfont::characterHeight(10, 1, 600), 34);
  EXPECT_EQ(printerfont::characterHeight(-9, 1, 600), 31);  // a negative height counts by its size
}

TEST(PaperFormUnits, ThousandthsThenTruncated) {
  EXPECT_EQ(tenthsOfMillimetre(210.0), 2100);
  EXPECT_EQ(tenthsOfMillimetre(215.9), 2159);  // 215.9 is not exact in binary
  EXPECT_EQ(tenthsOfMillimetre(279.4), 2794);
  EXPECT_EQ(tenthsOfMillimetre(4.2333), 42);
  EXPECT_EQ(tenthsOfMillimetre(0.0), 0);
}

TEST(PaperForms, StandardFormByNameWhenNoPrinterOffersIt) {
  PaperForm form;
  form.marginTop = 99;
  ASSERT_TRUE(GetPaperForm(QStringLiteral("A4"), form) || GetPaperForm(QStringLiteral("a4"), form));
  EXPECT_EQ(form.width, 2100);
  EXPECT_EQ(form.height, 2970);
  PaperForm unknown;
  unknown.width = 7;
  EXPECT_FALSE(GetPaperForm(QStringLiteral("No such paper 123"), unknown));
  EXPECT_EQ(unknown.width, 7);  // left as it was
  EXPECT_FALSE(ListPaperForms().isEmpty());
}
