#include <gtest/gtest.h>

#include "GridMatchers.h"
#include "exchange/ScratchGrid.h"
#include "exchange/TableTextParser.h"

namespace {

using Rows = QList<QStringList>;

ScratchGrid Read(QStringView text) {
  ScratchGrid grid;
  ReadTableText(grid, text);
  return grid;
}

const QString kSpreadsheetCopy = QStringLiteral(
    "序号\t图片名全称\t图片类别\t图片说明\r\n"
    "1\t/home/user/a.jpg\t假日\t海边\r\n"
    "2\t/home/user/b.jpg\t假日\t山上\r\n");

const Rows kSpreadsheetRows = {
    {"序号", "图片名全称", "图片类别", "图片说明"},
    {"1", "/home/user/a.jpg", "假日", "海边"},
    {"2", "/home/user/b.jpg", "假日", "山上"},
};

TEST(TableShape, CountsLinesWhateverTheirEnds) {
  EXPECT_EQ(CountTableShape(kSpreadsheetCopy), (TableShape{3, 4}));
  EXPECT_EQ(CountTableShape(kSpreadsheetCopy.chopped(2)), (TableShape{3, 4}));
  EXPECT_EQ(CountTableShape(u"a\tb\nc\td\ne\tf"), (TableShape{3, 2}));
  EXPECT_EQ(CountTableShape(u"a\tb\rc\td\r"), (TableShape{2, 2}));
  EXPECT_EQ(CountTableShape(u"a\r\nb\nc\rd"), (TableShape{4, 1}));
}

TEST(TableShape, EmptyAndNearlyEmptyTexts) {
  EXPECT_EQ(CountTableShape(u""), (TableShape{0, 0}));
  EXPECT_EQ(CountTableShape(u"\n"), (TableShape{1, 1}));
  EXPECT_EQ(CountTableShape(u"\r\n\r\n"), (TableShape{2, 1}));
  EXPECT_EQ(CountTableShape(u"title"), (TableShape{1, 1}));
}

// A lone title line without a line end is no cut spreadsheet row: its final TAB opens
// no column. With a line end, or before further lines, it does.
TEST(TableShape, LoneTitleLineWithoutLineEndEndsAtItsLastTab) {
  EXPECT_EQ(CountTableShape(u"a\tb\t"), (TableShape{1, 2}));
  EXPECT_EQ(CountTableShape(u"\t"), (TableShape{1, 1}));
  EXPECT_EQ(CountTableShape(u"a\tb\t\r\n"), (TableShape{1, 3}));
  EXPECT_EQ(CountTableShape(u"a\tb\t\r\n1\t2"), (TableShape{2, 3}));
  EXPECT_EQ(GridCells(Read(u"a\tb\t")), (Rows{{"a", "b"}}));
}

TEST(TableShape, ColumnsComeFromTheFirstLineOnly) {
  EXPECT_EQ(CountTableShape(u"a\tb\r\n1\t2\t3\t4\r\n"), (TableShape{2, 2}));
  EXPECT_EQ(CountTableShape(u"a,b,c\tz\r\n"), (TableShape{1, 2}));
}

TEST(CountFields, TrailingSeparatorOpensAnEmptyField) {
  EXPECT_EQ(CountFields(u"", u'\t'), 1);
  EXPECT_EQ(CountFields(u"a", u'\t'), 1);
  EXPECT_EQ(CountFields(u"a\tb\t", u'\t'), 3);
  EXPECT_EQ(CountFields(u"\t\t", u'\t'), 3);
  EXPECT_EQ(CountFields(u"a,b", u'\t'), 1);
}

TEST(SplitTableLines, FinalLineEndAddsNoLine) {
  EXPECT_EQ(SplitTableLines(u"a\r\nb\r\n").size(), 2);
  EXPECT_EQ(SplitTableLines(u"a\r\nb").size(), 2);
  EXPECT_EQ(SplitTableLines(u"a\n\nb").size(), 3);
  // CR LF is one line end, LF CR two.
  EXPECT_EQ(SplitTableLines(u"a\n\rb").size(), 3);
  EXPECT_TRUE(SplitTableLines(u"").isEmpty());
}

TEST(TextBeforeNul, CutsAtTheFirstNul) {
  const QString text = QStringLiteral("a\tb\r\nc") + QChar(u'\0') + QStringLiteral("\td\r\n");
  EXPECT_EQ(TextBeforeNul(text), u"a\tb\r\nc");
  EXPECT_EQ(TextBeforeNul(u"plain"), u"plain");
  EXPECT_TRUE(TextBeforeNul(QString(QChar(u'\0'))).isEmpty());
}

TEST(TableTextOf, EndsAtTheFirstNulAndDropsEndOfFileMarks) {
  const QString text = u"a\tb\r\nc\r\n"_qs + QChar(u'\0') + u"d\r\n"_qs;
  EXPECT_EQ(TableTextOf(text), u"a\tb\r\nc\r\n");
  EXPECT_EQ(TableTextOf(u"a\r\n\x1A\x1A"), u"a\r\n");
  EXPECT_EQ(TableTextOf(QStringLiteral("a\x1A") + QChar(u'\0')), u"a");
}

TEST(ReadTableText, ControlCharactersInFieldsBecomeBlanks) {
  EXPECT_EQ(GridCells(Read(u"a\x01"
                           u"b\t\x7F\tc\x1B\r\n\x02x\r\n")),
            (Rows{{"a b", "", "c"}, {"x", "", ""}}));
}

TEST(TrimField, TrimsOnlyTheEnds) {
  EXPECT_EQ(TrimField(u"  My Photo \r"), u"My Photo");
  EXPECT_EQ(TrimField(u"\t\n "), u"");
  EXPECT_EQ(TrimField(u"a  b"), u"a  b");
}

TEST(ReadTableText, SpreadsheetCopyWithAndWithoutFinalLineEnd) {
  EXPECT_EQ(GridCells(Read(kSpreadsheetCopy)), kSpreadsheetRows);
  EXPECT_EQ(GridCells(Read(kSpreadsheetCopy.chopped(2))), kSpreadsheetRows);
  QString lfOnly = kSpreadsheetCopy;
  lfOnly.remove(u'\r');
  EXPECT_EQ(GridCells(Read(lfOnly)), kSpreadsheetRows);
  QString crOnly = kSpreadsheetCopy;
  crOnly.remove(u'\n');
  EXPECT_EQ(GridCells(Read(crOnly)), kSpreadsheetRows);
}

TEST(ReadTableText, RaggedRowsArePaddedOrCutToTheTitles) {
  EXPECT_EQ(GridCells(Read(u"a\tb\tc\r\n1\r\n1\t2\t3\t4\t5\r\n")),
            (Rows{{"a", "b", "c"}, {"1", "", ""}, {"1", "2", "3"}}));
}

TEST(ReadTableText, EmptyLinesInTheMiddleBecomeEmptyRows) {
  EXPECT_EQ(GridCells(Read(u"a\tb\r\n1\t2\r\n\r\n3\t4\r\n")),
            (Rows{{"a", "b"}, {"1", "2"}, {"", ""}, {"3", "4"}}));
}

TEST(ReadTableText, EmptyTextGivesOneEmptyCell) {
  const ScratchGrid grid = Read(QString());
  EXPECT_EQ(grid.rowCount(), 1);
  EXPECT_EQ(grid.columnCount(), 1);
  EXPECT_EQ(grid.cell(0, 0), QString());
}

TEST(ReadTableText, ReplacesWhateverTheGridHeld) {
  ScratchGrid grid;
  ReadTableText(grid, u"a\tb\tc\r\n1\t2\t3\r\n4\t5\t6\r\n");
  ReadTableText(grid, u"x\r\n");
  EXPECT_EQ(GridCells(grid), (Rows{{"x"}}));
}

TEST(PasteTableText, DropsWhatFallsOutsideTheGrid) {
  ScratchGrid grid;
  grid.Resize(2, 2);
  PasteTableText(grid, u"a\tb\tc\r\n1\t2\t3\r\n4\t5\t6\r\n");
  EXPECT_EQ(GridCells(grid), (Rows{{"a", "b"}, {"1", "2"}}));
}

TEST(ReadTableText, WideTitleLineOverShortRowsStaysSmall) {
  // 200,000 titles over 50,000 one-field rows: memory follows the text, not rows × columns.
  QString text(200000 - 1, u'\t');
  text += u'\n';
  for (int i = 0; i < 50000; ++i) text += QStringLiteral("x\n");
  const ScratchGrid grid = Read(text);
  EXPECT_EQ(grid.columnCount(), 200000);
  EXPECT_EQ(grid.rowCount(), 50001);
  EXPECT_EQ(grid.rows().at(1).size(), 1);
  EXPECT_EQ(grid.cell(50000, 0), u"x");
}

}  // namespace
