#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTableView>

#include "collect/PictureTableModel.h"
#include "collect/PictureTableView.h"

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
  model.AnnounceAppendedRows();
}

// Lets events run until the views have been told of every row, for at most a second.
void waitForAnnouncement(const PictureTableModel& model, int rows) {
  const QDeadlineTimer deadline(1000);
  while (model.rowCount() < rows && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
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
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("序号"));
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
  QCoreApplication::processEvents();
  model.SetColumnTitle(1, QStringLiteral("t"));
  model.AppendRow();
  model.DeleteRow(2);
  model.AppendRow();
  model.SetCell(5, 0, QStringLiteral("late"));
  waitForAnnouncement(model, 6);
  EXPECT_EQ(model.rowCount(), 6);
  model.DeleteColumn(0);
  model.ClearRows();
  model.AppendRow();
  model.ReplaceTable({{QStringLiteral("X"), 80, 0}}, {{QStringLiteral("a")}});
  model.ClearAll();
  EXPECT_EQ(model.rowCount(), 0);
}

TEST(PictureTableModel, ViewsLearnOfAppendedRowsInOneBatch) {
  PictureTableModel model;
  model.InsertColumn();
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  for (int r = 0; r < 1000; ++r) model.SetCell(model.AppendRow(), 0, QString::number(r));
  EXPECT_EQ(model.RowCount(), 1000);
  EXPECT_EQ(model.Cell(999, 0), QStringLiteral("999"));
  EXPECT_EQ(inserted.count(), 0);
  EXPECT_EQ(changed.count(), 0);
  waitForAnnouncement(model, 1000);
  ASSERT_EQ(inserted.count(), 1);
  EXPECT_EQ(inserted.at(0).at(1).toInt(), 0);
  EXPECT_EQ(inserted.at(0).at(2).toInt(), 999);
  EXPECT_EQ(model.rowCount(), 1000);
  EXPECT_EQ(model.data(model.index(999, 0), Qt::DisplayRole).toString(), QStringLiteral("999"));
  model.SetCell(0, 0, QStringLiteral("x"));  // a shown row reports its change
  EXPECT_EQ(changed.count(), 1);
}

TEST(PictureTableModel, ChangingTheShapeAnnouncesPendingRowsFirst) {
  PictureTableModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  model.InsertColumn();
  model.AppendRow();
  model.AppendRow();
  model.InsertColumn();
  EXPECT_EQ(model.rowCount(), 2);
  model.AppendRow();
  model.DeleteColumn(0);
  EXPECT_EQ(model.rowCount(), 3);
  model.AppendRow();
  model.ClearRows();
  EXPECT_EQ(model.rowCount(), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(model.rowCount(), 0);
}

TEST(PictureTableView, SelectedRowIsTheFirstSelectedOrMinusOne) {
  PictureTableModel model;
  fill(model, 5);
  QTableView view;
  AttachPictureTable(view, model);
  QCoreApplication::processEvents();
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
