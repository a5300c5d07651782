#include "collect/PictureTableModel.h"
#include "collect/PictureTableView.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

// A table of three columns and rows "r0".."r{n-1}" in every cell "r<row>c<column>".
void fill(PictureTableModel& model, int rows) {
  model.InsertColumn(QStringLiteral("A"));
  model.InsertColumn(QStringLiteral("B"), 120, 1);
  model.InsertColumn(QStringLiteral("C"), 70, 2);
  for (int r = 0; r < rows; ++r) {
    const int row = model.AppendRow();
    for (int c = 0; c < 3; ++c) model.SetCell(row, c, QStringLiteral("r%1c%2").arg(r).arg(c));
  }
}

}  // namespace

TEST(PictureTableModel, StartsEmptyAndReadsEmptyOutsideTheTable) {
  PictureTableModel model;
  EXPECT_EQ(model.ColumnCount(), 0);
  EXPECT_EQ(model.RowCount(), 0);
  EXPECT_EQ(model.Cell(0, 0), QString());
  EXPECT_EQ(model.ColumnTitle(0), QString());

  fill(model, 2);
  EXPECT_EQ(model.Cell(-1, 0), QString());
  EXPECT_EQ(model.Cell(0, -1), QString());
  EXPECT_EQ(model.Cell(2, 0), QString());
  EXPECT_EQ(model.Cell(0, 3), QString());
  EXPECT_EQ(model.Cell(1, 2), QStringLiteral("r1c2"));
}

TEST(PictureTableModel, InsertColumnAppendsWithDefaultsAndReturnsIndex) {
  PictureTableModel model;
  EXPECT_EQ(model.InsertColumn(), 0);
  EXPECT_EQ(model.InsertColumn(QStringLiteral("序号"), 60, 2), 1);
  EXPECT_EQ(model.ColumnTitle(0), QString());
  EXPECT_EQ(model.columnInfo(0).width, 50);
  EXPECT_EQ(model.columnInfo(0).alignment, 0);
  EXPECT_EQ(model.columnInfo(1).width, 60);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("序号"));
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, PictureTableModel::ColumnWidthRole).toInt(), 60);

  model.SetColumnTitle(0, QStringLiteral("新"));
  EXPECT_EQ(model.ColumnTitle(0), QStringLiteral("新"));
  EXPECT_EQ(model.columnInfo(0).width, 50);
  model.SetColumnTitle(5, QStringLiteral("x"));  // no such column: nothing happens
  EXPECT_EQ(model.ColumnCount(), 2);
}

TEST(PictureTableModel, AlignmentReachesTheView) {
  PictureTableModel model;
  fill(model, 1);
  const auto alignment = [&](int column) {
    return model.data(model.index(0, column), Qt::TextAlignmentRole).value<Qt::Alignment>() &
           Qt::AlignHorizontal_Mask;
  };
  EXPECT_EQ(alignment(0), Qt::AlignLeft);
  EXPECT_EQ(alignment(1), Qt::AlignHCenter);
  EXPECT_EQ(alignment(2), Qt::AlignRight);
}

TEST(PictureTableModel, AppendRowReturnsThePreviousCountAndStartsEmpty) {
  PictureTableModel model;
  model.InsertColumn();
  EXPECT_EQ(model.AppendRow(), 0);
  EXPECT_EQ(model.AppendRow(), 1);
  EXPECT_EQ(model.RowCount(), 2);
  EXPECT_EQ(model.Cell(1, 0), QString());
}

TEST(PictureTableModel, SetCellOutsideTheTableChangesNothing) {
  PictureTableModel model;
  fill(model, 1);
  model.SetCell(1, 0, QStringLiteral("x"));
  model.SetCell(0, 3, QStringLiteral("x"));
  model.SetCell(-1, 0, QStringLiteral("x"));
  EXPECT_EQ(model.RowCount(), 1);
  EXPECT_EQ(model.ColumnCount(), 3);
  EXPECT_EQ(model.Cell(0, 0), QStringLiteral("r0c0"));
}

TEST(PictureTableModel, DeleteColumnMovesLaterCellsLeft) {
  PictureTableModel model;
  fill(model, 3);
  model.DeleteColumn(1);
  ASSERT_EQ(model.ColumnCount(), 2);
  EXPECT_EQ(model.ColumnTitle(1), QStringLiteral("C"));
  EXPECT_EQ(model.columnInfo(1).width, 70);
  EXPECT_EQ(model.Cell(2, 0), QStringLiteral("r2c0"));
  EXPECT_EQ(model.Cell(2, 1), QStringLiteral("r2c2"));
  EXPECT_EQ(model.Cell(2, 2), QString());
  model.DeleteColumn(7);
  EXPECT_EQ(model.ColumnCount(), 2);
}

TEST(PictureTableModel, ANewColumnAfterADeletedOneHoldsNoStaleCells) {
  PictureTableModel model;
  fill(model, 2);
  model.DeleteColumn(2);
  model.InsertColumn(QStringLiteral("D"));
  EXPECT_EQ(model.Cell(0, 2), QString());
}

TEST(PictureTableModel, DeleteRowMovesLaterRowsUp) {
  PictureTableModel model;
  fill(model, 3);
  model.DeleteRow(0);
  ASSERT_EQ(model.RowCount(), 2);
  EXPECT_EQ(model.Cell(0, 0), QStringLiteral("r1c0"));
  EXPECT_EQ(model.Cell(1, 1), QStringLiteral("r2c1"));
  model.DeleteRow(2);
  EXPECT_EQ(model.RowCount(), 2);
}

TEST(PictureTableModel, ClearRowsKeepsColumnsAndClearAllDropsBoth) {
  PictureTableModel model;
  fill(model, 4);
  model.ClearRows();
  EXPECT_EQ(model.RowCount(), 0);
  EXPECT_EQ(model.ColumnCount(), 3);
  EXPECT_EQ(model.AppendRow(), 0);
  EXPECT_EQ(model.Cell(0, 0), QString());
  model.ClearAll();
  EXPECT_EQ(model.RowCount(), 0);
  EXPECT_EQ(model.ColumnCount(), 0);
}

TEST(PictureTableModel, ReplaceTableDropsCellsBeyondTheLastColumn) {
  PictureTableModel model;
  fill(model, 1);
  QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
  model.ReplaceTable({{QStringLiteral("X"), 80, 0}},
                     {{QStringLiteral("a"), QStringLiteral("extra")}, {}});
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(model.ColumnCount(), 1);
  EXPECT_EQ(model.RowCount(), 2);
  EXPECT_EQ(model.Cell(0, 0), QStringLiteral("a"));
  EXPECT_EQ(model.Cell(1, 0), QString());
  model.InsertColumn();
  EXPECT_EQ(model.Cell(0, 1), QString());
}

TEST(PictureTableModel, NothingIsEditable) {
  PictureTableModel model;
  fill(model, 1);
  const Qt::ItemFlags flags = model.flags(model.index(0, 0));
  EXPECT_FALSE(flags & Qt::ItemIsEditable);
  EXPECT_TRUE(flags & Qt::ItemIsSelectable);
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("x"), Qt::EditRole));
}

TEST(PictureTableModel, KeepsTheModelContractThroughEveryOperation) {
  PictureTableModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  fill(model, 5);
  model.SetColumnTitle(1, QStringLiteral("t"));
  model.DeleteRow(2);
  model.DeleteColumn(0);
  model.ClearRows();
  model.AppendRow();
  model.ReplaceTable({{QStringLiteral("X"), 80, 0}}, {{QStringLiteral("a")}});
  model.ClearAll();
  EXPECT_EQ(model.rowCount(), 0);
}

TEST(PictureTableView, SelectedRowIsTheFirstSelectedOrMinusOne) {
  PictureTableModel model;
  fill(model, 5);
  QTableView view;
  AttachPictureTable(view, model);
  EXPECT_EQ(model.SelectedRow(), -1);
  QItemSelectionModel* selection = view.selectionModel();
  selection->select(model.index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  selection->select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  EXPECT_EQ(model.SelectedRow(), 1);
  model.DeleteRow(1);
  EXPECT_EQ(model.SelectedRow(), 2);  // the row that was 3 moved up
  selection->clearSelection();
  EXPECT_EQ(model.SelectedRow(), -1);
}

TEST(PictureTableView, OpensColumnsAtTheirWidthsAndLetsTheUserResize) {
  PictureTableModel model;
  model.InsertColumn(QStringLiteral("before"), 33);
  QTableView view;
  AttachPictureTable(view, model);
  EXPECT_EQ(view.horizontalHeader()->sectionSize(0), 33);
  model.InsertColumn(QStringLiteral("图片名全称"), 220);
  EXPECT_EQ(view.horizontalHeader()->sectionSize(1), 220);
  EXPECT_EQ(view.horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
  EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
  model.ReplaceTable({{QStringLiteral("a"), 90, 0}, {QStringLiteral("b"), 140, 0}}, {});
  EXPECT_EQ(view.horizontalHeader()->sectionSize(1), 140);
}
