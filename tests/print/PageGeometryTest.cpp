#include <gtest/gtest.h>

#include "print/PageGeometry.h"

namespace {

// A4 portrait, margins top 200, bottom 180, left 50, right 150; 5 × 5 at spacing 10.
constexpr int kPrintableWidth = 2100 - 50 - 150;
constexpr int kPrintableHeight = 2970 - 200 - 180;

TEST(PageGeometry, PrintableSizeOfA4WithMargins) {
  EXPECT_EQ(PrintableLength(2100, 50, 150), 1900);
  EXPECT_EQ(PrintableLength(2970, 200, 180), 2590);
  EXPECT_EQ(PrintableLength(100, 80, 80), -60);
}

TEST(PageGeometry, PrinterCellsAreWholeUnitsFromTheMarginCorner) {
  const PageGrid grid = PrinterPageGrid(kPrintableWidth, kPrintableHeight, {5, 5}, 10, 10);
  EXPECT_EQ(grid.cellWidth, 372.0f);
  EXPECT_EQ(grid.cellHeight, 510.0f);
  EXPECT_EQ(grid.cell(1, 2), (CellRect{764.0f, 520.0f, 372.0f, 510.0f}));
  EXPECT_EQ(grid.cell(0, 0), (CellRect{0.0f, 0.0f, 372.0f, 510.0f}));
}

TEST(PageGeometry, PanelCellsAddTheMarginsAndKeepFractions) {
  const PageGrid grid = PanelPageGrid(kPrintableWidth, kPrintableHeight, {5, 5}, 10, 10, 50, 200);
  EXPECT_EQ(grid.cell(1, 2), (CellRect{814.0f, 720.0f, 372.0f, 510.0f}));

  const PageGrid wider = PanelPageGrid(1901, kPrintableHeight, {5, 5}, 10, 10, 50, 200);
  EXPECT_FLOAT_EQ(wider.cellWidth, 372.2f);
  EXPECT_FLOAT_EQ(wider.cell(0, 1).left, 50.0f + 382.2f);
  EXPECT_EQ(PrinterPageGrid(1901, kPrintableHeight, {5, 5}, 10, 10).cellWidth, 372.0f);
}

TEST(PageGeometry, PageCountRoundsUp) {
  EXPECT_EQ(TotalPages(26, {5, 5}), 2);
  EXPECT_EQ(TotalPages(25, {5, 5}), 1);
  EXPECT_EQ(TotalPages(1, {5, 5}), 1);
  EXPECT_EQ(TotalPages(0, {5, 5}), 0);
  EXPECT_EQ(TotalPages(7, {1, 3}), 3);
}

TEST(PageGeometry, ZeroOrNegativeRowsAndColumnsFallBackToFiveByFive) {
  for (auto [rows, columns] : {std::pair{0, 3}, {3, 0}, {0, 0}, {-2, 4}, {4, -1}}) {
    const GridShape shape = UsableGridShape(rows, columns);
    EXPECT_EQ(shape.rows, 5) << rows << "x" << columns;
    EXPECT_EQ(shape.columns, 5) << rows << "x" << columns;
  }
  EXPECT_EQ(UsableGridShape(2, 7).rows, 2);
  EXPECT_EQ(UsableGridShape(2, 7).columns, 7);
  // absurd counts stay within int when multiplied
  const GridShape huge = UsableGridShape(1 << 30, 1 << 30);
  EXPECT_GT(huge.rows * huge.columns, 0);
}

TEST(PageGeometry, MarginsWiderThanThePaperGiveCellsThatDrawNothing) {
  const PageGrid grid = PrinterPageGrid(PrintableLength(2100, 1500, 1500), 2590, {5, 5}, 10, 10);
  EXPECT_FALSE(grid.cellsAreDrawable());
  EXPECT_TRUE(PrinterPageGrid(1900, 2590, {5, 5}, 10, 10).cellsAreDrawable());
  // spacing eats the whole width
  EXPECT_FALSE(PanelPageGrid(40, 2590, {5, 5}, 10, 10, 0, 0).cellsAreDrawable());
}

}  // namespace
