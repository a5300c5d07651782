#include <gtest/gtest.h>

#include "GridMatchers.h"
#include "exchange/ScratchGrid.h"
#include "exchange/TableTextParser.h"
#include "exchange/TableTextWriter.h"

namespace {

using Rows = QList<QStringList>;

ScratchGrid Grid(const Rows& rows, int columns) {
  ScratchGrid grid;
  grid.Assign(rows, columns);
  return grid;
}

TEST(WriteTableText, TabsBetweenFieldsLfBetweenLinesNoFinalLineEnd) {
  const ScratchGrid grid = Grid({{"序号", "图片名全称"}, {"1", "/home/user/My Photos/a.jpg"}}, 2);
  EXPECT_EQ(WriteTableText(grid), u"序号\t图片名全称\n1\t/home/user/My Photos/a.jpg");
}

TEST(WriteTableText, EmptyAndAbsentCellsAreEmptyFields) {
  const ScratchGrid grid = Grid({{"a", "b", "c"}, {"", "2"}, {}}, 3);
  EXPECT_EQ(WriteTableText(grid), u"a\tb\tc\n\t2\t\n\t\t");
}

TEST(WriteTableText, OneEmptyCellIsAnEmptyText) {
  EXPECT_EQ(WriteTableText(ScratchGrid()), u"");
}

TEST(FieldText, TrimsEndsAndKeepsTheFieldOnItsLine) {
  EXPECT_EQ(FieldText(u"  My Photo "), u"My Photo");
  EXPECT_EQ(FieldText(u"two\tparts\r\nand lines"), u"two parts  and lines");
}

TEST(WriteTableText, WrittenTextReadsBackAsTheSameGrid) {
  const Rows rows = {{"序号", "图片名全称", "图片类别", "图片说明"},
                     {"1", "/home/user/My Photos/a.jpg", "My Photos", "a, b and c"},
                     {"2", "", "", ""},
                     {"3", "C:\\Photos\\x y.jpg", "Photos", "x y"}};
  const ScratchGrid written = Grid(rows, 4);
  ScratchGrid read;
  ReadTableText(read, WriteTableText(written));
  EXPECT_EQ(GridCells(read), rows);
}

TEST(WriteTableText, UntitledLastColumnSurvivesTheRoundTrip) {
  ScratchGrid read;
  ReadTableText(read, WriteTableText(Grid({{"a", ""}}, 2)));
  EXPECT_EQ(read.columnCount(), 2);
}

TEST(WriteTableText, EmptyLastRowOfOneColumnSurvivesTheRoundTrip) {
  const Rows rows = {{"图片名全称"}, {"/a.jpg"}, {""}};
  const QString text = WriteTableText(Grid(rows, 1));
  EXPECT_EQ(text, u"图片名全称\n/a.jpg\n\n");
  ScratchGrid read;
  ReadTableText(read, text);
  EXPECT_EQ(GridCells(read), rows);
}

}  // namespace
