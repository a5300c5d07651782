#include <gtest/gtest.h>

#include "print/HeaderFooter.h"

namespace {

const QDateTime kWhen(QDate(2010, 3, 5), QTime(9, 7, 4));

TEST(HeaderFooterMacros, PageOfTotalInEitherCase) {
  EXPECT_EQ(FillHeaderFooterMacros("Page &p of &A", 2, 5, kWhen), "Page 2 of 5");
  EXPECT_EQ(FillHeaderFooterMacros("Page &P of &a", 2, 5, kWhen), "Page 2 of 5");
}

TEST(HeaderFooterMacros, DateAndTimeWithoutLeadingZeros) {
  EXPECT_EQ(FillHeaderFooterMacros("&y-&m-&d &h:&f:&s", 1, 1, kWhen), "2010-3-5 9:7:4");
  EXPECT_EQ(FillHeaderFooterMacros("&Y&M&D&H&F&S", 1, 1, kWhen), "201035974");
}

TEST(HeaderFooterMacros, ReplacedInOrderAndEveryOccurrence) {
  // a page number is filled before anything that might read it back
  EXPECT_EQ(FillHeaderFooterMacros("&p/&p &&pa", 12, 30, kWhen), "12/12 &12a");
  EXPECT_EQ(FillHeaderFooterMacros("no macros & here", 1, 1, kWhen), "no macros & here");
  EXPECT_EQ(FillHeaderFooterMacros(QString(), 1, 1, kWhen), QString());
}

TEST(HeaderFooterPlacement, HeaderAlignments) {
  // page 1900 wide, margins 50 / 150, text 300 wide, header 110 from the top
  EXPECT_EQ(PlaceHeaderFooter(true, HeaderAlign::Left, 300, 1900, 2590, 50, 150, 110, 140),
            QPoint(50, 110));
  EXPECT_EQ(PlaceHeaderFooter(true, HeaderAlign::Right, 300, 1900, 2590, 50, 150, 110, 140),
            QPoint(1450, 110));
  EXPECT_EQ(PlaceHeaderFooter(true, HeaderAlign::Centre, 300, 1900, 2590, 50, 150, 110, 140),
            QPoint(750, 110));
  EXPECT_EQ(PlaceHeaderFooter(true, HeaderAlign(9), 301, 1900, 2590, 50, 150, 110, 140),
            QPoint(749, 110));
}

TEST(HeaderFooterPlacement, FooterCountsFromTheBottom) {
  EXPECT_EQ(PlaceHeaderFooter(false, HeaderAlign::Left, 300, 2100, 2970, 0, 0, 110, 140),
            QPoint(0, 2830));
}

TEST(HeaderFooterPlacement, TextWiderThanThePageStartsBeforeTheMargin) {
  EXPECT_EQ(PlaceHeaderFooter(true, HeaderAlign::Centre, 3001, 2100, 2970, 0, 0, 0, 0).x(), -450);
}

}  // namespace
