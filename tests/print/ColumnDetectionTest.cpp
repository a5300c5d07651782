#include <gtest/gtest.h>

#include <limits>

#include "print/ColumnDetection.h"

using namespace columns;

namespace {
const QStringList kSearchTitles = {QStringLiteral("序号"), QStringLiteral("图片名全称"),
                                   QStringLiteral("图片类别"), QStringLiteral("图片说明")};
}

TEST(ColumnDetection, SearchTableProposesColumnsTwoThreeFour) {
  ColumnMap map;
  map.captionColumns = {QString()};
  const QString listing = DetectColumns(kSearchTitles, map);
  EXPECT_EQ(listing, QStringLiteral("1_序号 2_图片名全称 3_图片类别 4_图片说明 "));
  EXPECT_EQ(map.pictureColumn, 1);
  EXPECT_EQ(map.categoryColumn, 2);
  EXPECT_EQ(map.captionColumns, QStringList{QStringLiteral("3")});
  ProposeOneBased(map);
  EXPECT_EQ(map.pictureColumn, 2);
  EXPECT_EQ(map.categoryColumn, 3);
  EXPECT_EQ(map.captionColumns, QStringList{QStringLiteral("4")});
}

TEST(ColumnDetection, TitlesMatchExactlyAndTheLastOneWins) {
  ColumnMap map;
  map.captionColumns = {QString()};
  DetectColumns(
      {QStringLiteral("图片名全称"), QStringLiteral("图片名全称 "), QStringLiteral("图片类别"),
       QStringLiteral("图片名全称"), QStringLiteral("图片类别")},
      map);
  EXPECT_EQ(map.pictureColumn, 3);
  EXPECT_EQ(map.categoryColumn, 4);
}

TEST(ColumnDetection, MissingTitlesKeepThePreviousRunsValues) {
  ColumnMap map;
  map.pictureColumn = 6;
  map.categoryColumn = 2;
  map.captionColumns = {QString()};
  const QString listing = DetectColumns({QStringLiteral("a"), QString()}, map);
  EXPECT_EQ(listing, QStringLiteral("1_a 2_ "));
  ProposeOneBased(map);
  EXPECT_EQ(map.pictureColumn, 7);
  EXPECT_EQ(map.categoryColumn, 3);
  // no caption title: the empty entry counts as 0 and proposes column 1
  EXPECT_EQ(map.captionColumns, QStringList{QStringLiteral("1")});
}

TEST(ColumnDetection, ShiftingSaturatesInsteadOfOverflowing) {
  ColumnMap map;
  map.pictureColumn = std::numeric_limits<int>::min();
  map.categoryColumn = std::numeric_limits<int>::max();
  ShiftColumns(map, -1);
  EXPECT_EQ(map.pictureColumn, std::numeric_limits<int>::min());
  ShiftColumns(map, 1);
  EXPECT_EQ(map.categoryColumn, std::numeric_limits<int>::max());
}

TEST(CaptionColumns, AnswerIsSplitAtPlainAndFullWidthCommas) {
  EXPECT_EQ(ParseCaptionColumns(QStringLiteral("4，3"), 4), (QStringList{"4", "3"}));
  EXPECT_EQ(ParseCaptionColumns(QStringLiteral("2，4"), 4), (QStringList{"2", "4"}));
  EXPECT_EQ(ParseCaptionColumns(QStringLiteral("0,4"), 4), (QStringList{"0", "4"}));
}

TEST(CaptionColumns, EmptyAnswerMeansNothingPrinted) {
  EXPECT_EQ(ParseCaptionColumns(QString(), 4), QStringList{"0"});
}

TEST(CaptionColumns, InnerEmptyPartsStayAndOneEmptyLastPartGoes) {
  EXPECT_EQ(ParseCaptionColumns(QStringLiteral("2,,3,"), 4), (QStringList{"2", "", "3"}));
  EXPECT_EQ(ParseCaptionColumns(QStringLiteral(","), 4), QStringList{""});
}

TEST(CaptionColumns, NumbersBeyondTheTableBecomeZero) {
  EXPECT_EQ(ParseCaptionColumns(QStringLiteral("9"), 4), QStringList{"0"});
  EXPECT_EQ(ParseCaptionColumns(QStringLiteral("4,5,-1,x"), 4), (QStringList{"4", "0", "-1", "x"}));
}

TEST(CaptionColumns, PromptPutsTheHintUnderTheListing) {
  EXPECT_EQ(CaptionColumnsPrompt(QStringLiteral("1_a ")),
            QStringLiteral("1_a \r\n\r\n（你可以手工输入列号，以逗号分隔，为0不打印）"));
}

namespace {
QString CaptionOf(const QStringList& entries) {
  const QStringList row = {"1", "/p/a.jpg", "cat", "desc"};
  return CaptionOfRow([&](int c) { return c >= 0 && c < row.size() ? row[c] : QString(); },
                      entries);
}
}  // namespace

TEST(CaptionOfRow, LinesJoinWithCrLfInTheGivenOrder) {
  EXPECT_EQ(CaptionOf({"4", "3"}), QStringLiteral("desc\r\ncat"));
  EXPECT_EQ(CaptionOf({"4"}), QStringLiteral("desc"));
}

TEST(CaptionOfRow, ZeroEntriesPrintNothingButALeadingZeroLeavesLineOneEmpty) {
  EXPECT_EQ(CaptionOf({"0"}), QString());
  EXPECT_EQ(CaptionOf({"0", "4"}), QStringLiteral("\r\ndesc"));
  EXPECT_EQ(CaptionOf({"4", "0", "3"}), QStringLiteral("desc\r\ncat"));
}

TEST(CaptionOfRow, EntriesOutsideTheTableGiveEmptyLines) {
  EXPECT_EQ(CaptionOf({"4", "", "3"}), QStringLiteral("desc\r\n\r\ncat"));
  EXPECT_EQ(CaptionOf({"-2147483648"}), QString());
}
