#include <gtest/gtest.h>

#include <QStandardItemModel>

#include "platform/FakeDialogs.h"
#include "print/PreviewEntry.h"

using namespace previewentry;

namespace {

void FillTable(QStandardItemModel& model, int rows, const QStringList& titles) {
  model.clear();
  model.setHorizontalHeaderLabels(titles);
  for (int r = 0; r < rows; ++r) {
    QList<QStandardItem*> items;
    for (int c = 0; c < titles.size(); ++c)
      items.append(new QStandardItem(QStringLiteral("r%1c%2").arg(r).arg(c)));
    model.appendRow(items);
  }
}

const QStringList kSearchTitles = {QStringLiteral("序号"), QStringLiteral("图片名全称"),
                                   QStringLiteral("图片类别"), QStringLiteral("图片说明")};

struct EntryRun {
  QStandardItemModel model;
  ColumnMap map;
  FakeDialogs dialogs;
  SettingsSession session;
  int opened = 0;
  PrintJob jobWhenOpened;

  void Run(const QString& header = {}, const QString& footer = {}) {
    RunPreviewEntry(model, map, dialogs, session, header, footer, [this] {
      ++opened;
      jobWhenOpened = session.lastJob;
    });
  }
};

}  // namespace

TEST(PreviewEntry, SampleJobHoldsTheFirstHundredRowsOfALongTable) {
  EntryRun run;
  FillTable(run.model, 250, kSearchTitles);
  run.Run();
  ASSERT_EQ(run.opened, 1);
  EXPECT_EQ(run.jobWhenOpened.pictures.size(), 100);
  EXPECT_EQ(run.jobWhenOpened.captions.size(), 100);
  EXPECT_EQ(run.jobWhenOpened.pictures[99], QStringLiteral("r99c1"));
  EXPECT_EQ(run.jobWhenOpened.captions[0], QStringLiteral("r0c3"));
  EXPECT_TRUE(run.jobWhenOpened.aspectOverrides.isEmpty());
}

TEST(PreviewEntry, AShortTableLeavesTheRestOfTheEntriesEmpty) {
  EntryRun run;
  FillTable(run.model, 7, kSearchTitles);
  run.Run();
  const PrintJob& job = run.jobWhenOpened;
  ASSERT_EQ(job.pictures.size(), 100);
  EXPECT_EQ(job.pictures[6], QStringLiteral("r6c1"));
  for (int i = 7; i < 100; ++i) {
    EXPECT_TRUE(job.pictures[i].isEmpty());
    EXPECT_TRUE(job.captions[i].isEmpty());
  }
}

TEST(PreviewEntry, AsksTwoQuestionsOnlyAndWritesNoStatusNorWaitsForTheSearch) {
  EntryRun run;
  FillTable(run.model, 3, kSearchTitles);
  run.dialogs.queueInputCancel();
  run.dialogs.queueInput(QStringLiteral("2，4"));
  run.Run(QStringLiteral("&F页眉"), QStringLiteral("&f"));
  ASSERT_EQ(run.dialogs.calls().size(), 2);
  const auto& picture = run.dialogs.calls()[0];
  EXPECT_EQ(picture.kind, FakeDialogs::Kind::InputInteger);
  EXPECT_EQ(picture.text, QStringLiteral("系统认为‘图片位置’在第 2 列，你也可以手工输入："));
  EXPECT_EQ(picture.caption, QStringLiteral("请输入图片位置所在的列！"));
  const auto& captions = run.dialogs.calls()[1];
  EXPECT_EQ(captions.kind, FakeDialogs::Kind::InputText);
  EXPECT_EQ(captions.initialText, QStringLiteral("4"));
  EXPECT_EQ(run.map.captionColumns, (QStringList{"2", "4"}));
  EXPECT_EQ(run.jobWhenOpened.captions[1], QStringLiteral("r1c1\r\nr1c3"));
  EXPECT_EQ(run.jobWhenOpened.headerText, QStringLiteral("&F页眉"));
  EXPECT_EQ(run.jobWhenOpened.footerText, QStringLiteral("&f"));
  EXPECT_EQ(run.jobWhenOpened.macros, JobMacros{QStringLiteral("r0c2")});
  EXPECT_EQ(run.map.pictureColumn, 1);
  EXPECT_EQ(run.map.categoryColumn, 2);
}

TEST(PreviewEntry, CaptionColumnBeyondTheTablePrintsNothing) {
  EntryRun run;
  FillTable(run.model, 2, kSearchTitles);
  run.dialogs.queueInputCancel();
  run.dialogs.queueInput(QStringLiteral("9"));
  run.Run();
  EXPECT_EQ(run.map.captionColumns, QStringList{"0"});
  EXPECT_EQ(run.jobWhenOpened.captions[0], QString());
}

TEST(PreviewEntry, StartsFromItsOwnDefaultsWhateverTheLastRunChose) {
  EntryRun run;
  FillTable(run.model, 1, {"a", "b", "c", "d", "e"});
  run.map.pictureColumn = 4;
  run.map.categoryColumn = 0;
  run.map.captionColumns = {"5"};
  run.Run();
  EXPECT_EQ(run.dialogs.calls()[0].initialText, QStringLiteral("2"));
  EXPECT_EQ(run.dialogs.calls()[1].initialText, QStringLiteral("4"));
  EXPECT_EQ(run.jobWhenOpened.pictures[0], QStringLiteral("r0c1"));
}

TEST(PreviewEntry, AnEmptyTableStillOpensTheSettingsWithEmptyEntries) {
  EntryRun run;
  FillTable(run.model, 0, kSearchTitles);
  run.Run(QStringLiteral("[&f]"));
  EXPECT_EQ(run.opened, 1);
  EXPECT_EQ(run.jobWhenOpened.pictures, QStringList(100, QString()));
  EXPECT_EQ(run.jobWhenOpened.macros, JobMacros{});
}
