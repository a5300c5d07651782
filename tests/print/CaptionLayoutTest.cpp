#include <gtest/gtest.h>

#include <ostream>

#include "print/CaptionLayout.h"

void PrintTo(const TextPlacement& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ", \"" << p.text.toStdString() << "\")";
}

namespace {

// Every character measures 10 units; the text area is the lower band of the cell.
int tenPerCharacter(const QString& text) {
  return int(text.size()) * 10;
}
const CellRect kCell{100.0f, 200.0f, 372.0f, 510.0f};
const PhotoRect kTextArea{0.0f, 450.0f, 372.0f, 60.0f};
const QString kFourLines = QStringLiteral("aa\r\nbbbb\r\ncccccc\r\ndd");

QList<TextPlacement> layout(const QString& caption, int lines, CaptionAlign align) {
  return LayoutCaption(caption, lines, align, kCell, kTextArea, 20, tenPerCharacter);
}

TEST(CaptionLayout, ZeroCaptionLinesOrEmptyCaptionWritesNothing) {
  for (CaptionAlign align : {CaptionAlign::Centre, CaptionAlign::Left, CaptionAlign::Right}) {
    EXPECT_TRUE(layout(kFourLines, 0, align).isEmpty());
    EXPECT_TRUE(layout(QString(), 3, align).isEmpty());
  }
}

TEST(CaptionLayout, FourLinesWithTwoAllowedInEachAlignment) {
  // centre: dx = trunc((372 - width) / 2)
  EXPECT_EQ(layout(kFourLines, 2, CaptionAlign::Centre),
            (QList<TextPlacement>{{100 + 176, 650, "aa"}, {100 + 166, 670, "bbbb"}}));
  // right: dx = trunc(372 - width - 2)
  EXPECT_EQ(layout(kFourLines, 2, CaptionAlign::Right),
            (QList<TextPlacement>{{100 + 350, 650, "aa"}, {100 + 330, 670, "bbbb"}}));
  // left: the whole caption in one call, the surface lays out all four lines
  EXPECT_EQ(layout(kFourLines, 2, CaptionAlign::Left),
            (QList<TextPlacement>{{102, 650, kFourLines}}));
}

TEST(CaptionLayout, AnyOtherAlignmentCentres) {
  EXPECT_EQ(layout(kFourLines, 1, CaptionAlign(7)), layout(kFourLines, 1, CaptionAlign::Centre));
}

TEST(CaptionLayout, EmptyFirstLineLeavesItsPlaceFree) {
  EXPECT_EQ(layout(QStringLiteral("\r\nsecond"), 2, CaptionAlign::Centre),
            (QList<TextPlacement>{{100 + 156, 670, "second"}}));
}

TEST(CaptionLayout, MoreLinesAllowedThanPresent) {
  EXPECT_EQ(layout(QStringLiteral("one\r\n"), 9, CaptionAlign::Right),
            (QList<TextPlacement>{{100 + 340, 650, "one"}}));
}

TEST(CaptionLayout, FractionalOffsetsTruncateOnlyAtTheEnd) {
  const CellRect cell{0.5f, 0.25f, 372.2f, 510.0f};
  const PhotoRect area{0.0f, 450.6f, 372.2f, 60.0f};
  // dx = trunc((372.2 - 30) / 2) = 171; x = trunc(0.5 + 171); y = trunc(0.25 + 450.6 + 20)
  EXPECT_EQ(LayoutCaption(QStringLiteral("\r\nabc"), 2, CaptionAlign::Centre, cell, area, 20,
                          tenPerCharacter),
            (QList<TextPlacement>{{171, 470, "abc"}}));
}

TEST(CaptionLayout, LinesAreCutAtEveryKindOfLineBreak) {
  EXPECT_EQ(CaptionLinesOf(QStringLiteral("a\nb\r\nc\rd\r\n")), (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(CaptionLinesOf(QStringLiteral("a\r\n\r\n")), (QStringList{"a", ""}));
  // a bare LF inside a centred caption is its own line, not drawn over the next one
  EXPECT_EQ(layout(QStringLiteral("a\nb"), 2, CaptionAlign::Centre).size(), 2);
}

}  // namespace
