#include <gtest/gtest.h>

#include "print/HeaderFooter.h"

namespace {

const QDateTime kWhen(QDate(2010, 3, 5), QTime(9, 7, 4));

MacroValues On(int page, int total, const QString& category = QString()) {
  return {page, total, category, kWhen};
}

TEST(HeaderFooterMacros, PageOfTotalInEitherCase) {
  EXPECT_EQ(FillHeaderFooterMacros("Page &p of &A", On(2, 5)), "Page 2 of 5");
  EXPECT_EQ(FillHeaderFooterMacros("Page &P of &a", On(2, 5)), "Page 2 of 5");
}

TEST(HeaderFooterMacros, DateAndTimeWithoutLeadingZerosAndTheCategory) {
  EXPECT_EQ(FillHeaderFooterMacros("&y-&m-&d &h:&s &f", On(1, 1, "旅行")), "2010-3-5 9:4 旅行");
  EXPECT_EQ(FillHeaderFooterMacros("&Y&M&D&H&S&F", On(1, 1, "x")), "20103594x");
}

TEST(HeaderFooterMacros, EveryOccurrenceInOnePass) {
  EXPECT_EQ(FillHeaderFooterMacros("&p/&p &&pa", On(12, 30)), "12/12 &12a");
  EXPECT_EQ(FillHeaderFooterMacros("no macros & here &", On(1, 1)), "no macros & here &");
  EXPECT_EQ(FillHeaderFooterMacros(QString(), On(1, 1)), QString());
  // a value brings no macros of its own, and takes no letter from what follows it
  EXPECT_EQ(FillHeaderFooterMacros("&f&f", On(1, 1, "&P&")), "&P&&P&");
  EXPECT_EQ(FillHeaderFooterMacros("&fa", On(3, 4, "&")), "&a");
}

TEST(HeaderFooterMacros, AJobOfARunCountsItsPagesOnFromTheRun) {
  EXPECT_EQ(PageMacroValues(JobMacros{"A"}, 2, 3, kWhen), On(2, 3, "A"));
  EXPECT_EQ(PageMacroValues(JobMacros{"B", 4, 9}, 1, 1, kWhen), On(4, 9, "B"));
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
