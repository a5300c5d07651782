#include <gtest/gtest.h>

#include <QStandardItemModel>

#include "print/JobPlanning.h"
#include "print/RunPages.h"

using namespace planning;

namespace {
QList<TableRow> RowsWithCategories(const QStringList& categories) {
  QList<TableRow> rows;
  for (int i = 0; i < categories.size(); ++i) {
    rows.append(TableRow{QStringLiteral("p%1.jpg").arg(i), categories[i], QString::number(i)});
  }
  return rows;
}
}  // namespace

TEST(CutByCategory, RunsOfEqualCategoriesNotSortedGroups) {
  const auto ranges = CutByCategory(RowsWithCategories({"A", "A", "B", "A"}));
  EXPECT_EQ(ranges, (QList<RowRange>{{0, 2}, {2, 1}, {3, 1}}));
}

TEST(CutByCategory, ComparesExactlyAndHandlesEdges) {
  EXPECT_TRUE(CutByCategory({}).isEmpty());
  EXPECT_EQ(CutByCategory(RowsWithCategories({"a", "A", "a "})).size(), 3);
  EXPECT_EQ(CutByCategory(RowsWithCategories({"", ""})), (QList<RowRange>{{0, 2}}));
}

TEST(CutByPage, TwentySixRowsAtTwentyFivePerPageMakeTwoPages) {
  EXPECT_EQ(CutByPage(26, 25), (QList<RowRange>{{0, 25}, {25, 1}}));
  EXPECT_EQ(CutByPage(25, 25), (QList<RowRange>{{0, 25}}));
  EXPECT_TRUE(CutByPage(0, 25).isEmpty());
  EXPECT_TRUE(CutByPage(10, 0).isEmpty());
}

TEST(PlanJobs, ACategoryJobOwnsItsCategoryAndLeavesPagesToThePageLoop) {
  const auto rows = RowsWithCategories({"A", "A", "B", "A"});
  EXPECT_EQ(PlanJobs(rows, true, 25),
            (QList<PlannedJob>{
                {{0, 2}, JobMacros{"A"}}, {{2, 1}, JobMacros{"B"}}, {{3, 1}, JobMacros{"A"}}}));
  EXPECT_TRUE(PlanJobs({}, true, 25).isEmpty());
}

TEST(PlanJobs, APageJobOwnsItsNumberTheRunsTotalAndItsLastRowsCategory) {
  QStringList categories;
  for (int i = 0; i < 26; ++i) categories.append(i < 25 ? "X" : "Y");
  categories[24] = "Z";
  EXPECT_EQ(PlanJobs(RowsWithCategories(categories), false, 25),
            (QList<PlannedJob>{{{0, 25}, JobMacros{"Z", 1, 2}}, {{25, 1}, JobMacros{"Y", 2, 2}}}));
}

TEST(ReadRows, TakesPicturesCategoriesAndCaptionsFromTheMappedColumns) {
  QStandardItemModel model(3, 4);
  for (int r = 0; r < 3; ++r) {
    model.setItem(r, 0, new QStandardItem(QString::number(r + 1)));
    model.setItem(r, 1, new QStandardItem(QStringLiteral("/p/%1.jpg").arg(r)));
    model.setItem(r, 2, new QStandardItem(QStringLiteral("cat%1").arg(r / 2)));
    model.setItem(r, 3, new QStandardItem(QStringLiteral("说明%1").arg(r)));
  }
  ColumnMap map;
  map.pictureColumn = 1;
  map.categoryColumn = 2;
  map.captionColumns = {"4", "1"};
  const auto rows = ReadRows(model, map);
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[2].picture, QStringLiteral("/p/2.jpg"));
  EXPECT_EQ(rows[2].category, QStringLiteral("cat1"));
  EXPECT_EQ(rows[2].caption, QStringLiteral("说明2\r\n3"));

  map.pictureColumn = 9;  // a column typed beyond the table gives empty names
  EXPECT_EQ(ReadRows(model, map)[0].picture, QString());
}

TEST(JobOfRows, TakesTheRangeAndLeavesAspectOverridesEmpty) {
  const auto rows = RowsWithCategories({"A", "A", "B"});
  const PrintJob job = JobOfRows(rows, PlannedJob{{1, 2}, JobMacros{"A", 1, 0}}, "h", "f");
  EXPECT_EQ(job.pictures, (QStringList{"p1.jpg", "p2.jpg"}));
  EXPECT_EQ(job.captions, (QStringList{"1", "2"}));
  EXPECT_TRUE(job.aspectOverrides.isEmpty());
  EXPECT_EQ(job.headerText, "h");
  EXPECT_EQ(job.footerText, "f");
  EXPECT_EQ(job.macros, JobMacros{"A"});
}

// The pages window draws each page of a job as a job of its own.
TEST(PageOfJob, CutsTheCellsAndNumbersThePageAsTheWholeJobDoes) {
  PrintJob job;
  for (int i = 0; i < 11; ++i) {
    job.pictures.append(QStringLiteral("p%1.jpg").arg(i));
    job.captions.append(QString::number(i));
  }
  job.aspectOverrides = QList<float>(11, 1.5f);
  job.headerText = QStringLiteral("&p/&a");
  job.macros = JobMacros{QStringLiteral("海边"), 4, 0};
  const GridShape twoByTwo{2, 2};

  PrintJob third;
  third.pictures = {"p8.jpg", "p9.jpg", "p10.jpg"};
  third.captions = {"8", "9", "10"};
  third.aspectOverrides = {1.5f, 1.5f, 1.5f};
  third.headerText = job.headerText;
  third.macros = JobMacros{QStringLiteral("海边"), 6, 3};
  EXPECT_EQ(PageOfJob(job, 2, twoByTwo), third);
  EXPECT_EQ(PagesOfRun({job, third}, twoByTwo),
            (QList<RunPage>{{0, 0, 3}, {0, 1, 3}, {0, 2, 3}, {1, 0, 1}}));
  // A run's page count given by the planner stays.
  job.macros.totalPages = 9;
  EXPECT_EQ(PageOfJob(job, 0, twoByTwo).macros, (JobMacros{QStringLiteral("海边"), 4, 9}));
}
