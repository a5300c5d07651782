#include <gtest/gtest.h>

#include <QStandardItemModel>

#include "platform/FakeDialogs.h"
#include "print/JobDriver.h"

namespace {

using Kind = FakeDialogs::Kind;

// A picture table with the search's four columns and the given categories.
void FillTable(QStandardItemModel& model, const QStringList& categories) {
  model.clear();
  model.setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("图片名全称"),
                                   QStringLiteral("图片类别"), QStringLiteral("图片说明")});
  for (int r = 0; r < categories.size(); ++r) {
    model.appendRow({new QStandardItem(QString::number(r + 1)),
                     new QStandardItem(QStringLiteral("/photos/%1.jpg").arg(r)),
                     new QStandardItem(categories[r]),
                     new QStandardItem(QStringLiteral("说明%1").arg(r))});
  }
}

class JobDriverTest : public ::testing::Test {
protected:
  JobDriverTest() {
    ports.setStatusText = [this](const QString& text) { statuses.append(text); };
    ports.headerTemplate = [this] { return header; };
    ports.footerTemplate = [this] { return footer; };
    ports.printByCategory = [this] { return byCategory; };
    ports.searchDone = [this] { return searchDone; };
    ports.showSettingsWindow = [this] {
      ++settingsOpened;
      PrintSettings& s = session.printSettings;
      s.confirmed = false;
      if (!confirmSettings) return;
      s = chosen;
      s.confirmed = true;
    };
    ports.sendToOutput = [this](const JobOutput& output) {
      if (const auto* printer = std::get_if<PrinterPageArgs>(&output)) {
        printerJobs.append(*printer);
        return printerReport;
      }
      if (const auto* files = std::get_if<PictureFilePageArgs>(&output)) fileJobs.append(*files);
      if (const auto* pdf = std::get_if<PdfFileArgs>(&output)) pdfJobs.append(*pdf);
      return fileReport;
    };
    chosen.printerName = QStringLiteral("Office");
    chosen.rows = 5;
    chosen.columns = 5;
    chosen.paperWidth = 2100;
    chosen.paperHeight = 2970;
  }

  JobDriver& driver() {
    if (!driver_) driver_.emplace(model, session, columnMap, dialogs, ports);
    return *driver_;
  }

  // Accepts the proposals of the three input boxes and confirms them.
  void AcceptColumns() {
    dialogs.queueInputCancel();
    dialogs.queueInputCancel();
    dialogs.queueInputCancel();
    dialogs.queueAnswer(AnswerOk);
  }

  QStandardItemModel model;
  bool searchDone = true;
  SettingsSession session;
  ColumnMap columnMap;
  FakeDialogs dialogs;
  JobDriverPorts ports;
  std::optional<JobDriver> driver_;

  QString header;
  QString footer;
  bool byCategory = true;
  bool confirmSettings = true;
  PrintSettings chosen;
  int settingsOpened = 0;
  QStringList statuses;
  QList<PrinterPageArgs> printerJobs;
  QList<PictureFilePageArgs> fileJobs;
  QList<PdfFileArgs> pdfJobs;
  JobOutputReport printerReport;
  JobOutputReport fileReport;
};

TEST_F(JobDriverTest, RefusesWhileASearchRunsWithASystemModalBox) {
  FillTable(model, {"A"});
  searchDone = false;
  driver().StartPrint();
  ASSERT_EQ(dialogs.calls().size(), 1);
  const auto& call = dialogs.calls().first();
  EXPECT_EQ(call.text, QStringLiteral("搜索还未完成，此时打印是不是太早了点？"));
  EXPECT_EQ(call.caption, QStringLiteral("你性子太急了！"));
  EXPECT_EQ(call.buttons, MessageButtons::Ok);
  EXPECT_EQ(call.modality, Modality::System);
  EXPECT_TRUE(statuses.isEmpty());
}

TEST_F(JobDriverTest, EmptyTableDoesNothingAtAll) {
  FillTable(model, {});
  driver().StartPrint();
  EXPECT_TRUE(dialogs.calls().isEmpty());
  EXPECT_TRUE(statuses.isEmpty());
}

TEST_F(JobDriverTest, AsksForTheColumnsWithTheExactTextsAndShowsTheAnswerAsTyped) {
  FillTable(model, {"A"});
  dialogs.queueInputCancel();
  dialogs.queueInputCancel();
  dialogs.queueInput(QStringLiteral("4，3"));
  dialogs.queueAnswer(AnswerCancel);
  driver().StartPrint();

  const auto integers = dialogs.callsOf(Kind::InputInteger);
  ASSERT_EQ(integers.size(), 2);
  EXPECT_EQ(integers[0].text, QStringLiteral("系统认为‘图片位置’在第 2 列，你也可以手工输入："));
  EXPECT_EQ(integers[0].caption, QStringLiteral("请输入‘图片位置’所在的列！"));
  EXPECT_EQ(integers[0].initialText, QStringLiteral("2"));
  EXPECT_EQ(integers[1].text, QStringLiteral("系统认为‘图片的类别’在第 3 列，你也可以手工输入："));
  EXPECT_EQ(integers[1].caption, QStringLiteral("请输入‘图片的类别’所在的列！"));
  const auto texts = dialogs.callsOf(Kind::InputText);
  ASSERT_EQ(texts.size(), 1);
  EXPECT_EQ(texts[0].text, QStringLiteral("1_序号 2_图片名全称 3_图片类别 4_图片说明 \r\n\r\n"
                                          "（你可以手工输入列号，以逗号分隔，为0不打印）"));
  EXPECT_EQ(texts[0].caption, QStringLiteral("手工输入列号，以逗号分隔，为0不打印。"));
  EXPECT_EQ(texts[0].initialText, QStringLiteral("4"));
  const auto boxes = dialogs.callsOf(Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0].text,
            QStringLiteral("要打印的‘图片的位置’在第 2 列，‘图片说明’在第[ 4，3 ]列，"
                           "‘图片的分类’在第 3 列。"));
  EXPECT_EQ(boxes[0].caption, QStringLiteral("你确定你刚才的输入吗？"));
  EXPECT_EQ(boxes[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(boxes[0].icon, MessageIcon::Question);

  // Cancel ends the run before any job, the status keeps its text
  EXPECT_EQ(statuses, QStringList{QStringLiteral("打印程序正在初始化....")});
  EXPECT_EQ(settingsOpened, 0);
  EXPECT_TRUE(dialogs.callsOf(Kind::TimedMessageBox).isEmpty());
  EXPECT_EQ(columnMap.captionColumns, (QStringList{"4", "3"}));
}

TEST_F(JobDriverTest, ACancelledConfirmationDoesNotShiftTheNextProposal) {
  model.setHorizontalHeaderLabels({"a", "b", "c"});
  model.appendRow({new QStandardItem("1"), new QStandardItem("2"), new QStandardItem("3")});
  dialogs.queueInput(QStringLiteral("3"));
  dialogs.queueInput(QStringLiteral("1"));
  dialogs.queueInputCancel();
  dialogs.queueAnswer(AnswerCancel);
  driver().StartPrint();
  driver().StartPrint();
  const auto integers = dialogs.callsOf(Kind::InputInteger);
  ASSERT_EQ(integers.size(), 4);
  EXPECT_EQ(integers[2].initialText, QStringLiteral("3"));
  EXPECT_EQ(integers[3].initialText, QStringLiteral("1"));
}

TEST_F(JobDriverTest, ByCategoryPrintsOneJobPerRunOfEqualCategories) {
  FillTable(model, {"A", "A", "B", "A"});
  header = QStringLiteral("&F 第&p页/共&a页");
  footer = QStringLiteral("[&f]");
  AcceptColumns();
  driver().StartPrint();

  ASSERT_EQ(printerJobs.size(), 3);
  EXPECT_EQ(printerJobs[0].job.pictures, (QStringList{"/photos/0.jpg", "/photos/1.jpg"}));
  EXPECT_EQ(printerJobs[0].job.captions, (QStringList{"说明0", "说明1"}));
  EXPECT_EQ(printerJobs[0].job.headerText, header);
  EXPECT_EQ(printerJobs[0].job.macros, JobMacros{"A"});
  EXPECT_EQ(printerJobs[1].job.footerText, footer);
  EXPECT_EQ(printerJobs[1].job.macros, JobMacros{"B"});
  EXPECT_EQ(printerJobs[2].job.pictures, QStringList{"/photos/3.jpg"});
  EXPECT_EQ(settingsOpened, 1);
  EXPECT_EQ(dialogs.callsOf(Kind::TimedMessageBox).size(), 3);
  EXPECT_EQ(
      statuses,
      (QStringList{QStringLiteral("打印程序正在初始化...."), QStringLiteral("正在打印，请稍候...."),
                   QStringLiteral("正在打印，请稍候...."), QStringLiteral("正在打印，请稍候...."),
                   QStringLiteral("打印完毕！")}));
  EXPECT_FALSE(session.printSettings.confirmed);
  EXPECT_EQ(session.lastJob.pictures, QStringList{"/photos/3.jpg"});
  EXPECT_EQ(columnMap.pictureColumn, 1);
  EXPECT_EQ(columnMap.categoryColumn, 2);
}

TEST_F(JobDriverTest, ContinuePromptTimesOutIntoGoingOnAndCancelStopsWhereItIs) {
  FillTable(model, {"A", "B"});
  AcceptColumns();
  dialogs.queueAnswer(AnswerTimedOut);
  dialogs.queueAnswer(AnswerCancel);
  driver().StartPrint();
  const auto prompts = dialogs.callsOf(Kind::TimedMessageBox);
  ASSERT_EQ(prompts.size(), 2);
  EXPECT_EQ(prompts[0].text, QStringLiteral("将要进行新的打印作业，要继续吗？"));
  EXPECT_EQ(prompts[0].caption, QStringLiteral("提示2秒后默认继续工作。"));
  EXPECT_EQ(prompts[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(prompts[0].icon, MessageIcon::Question);
  EXPECT_EQ(prompts[0].timeoutMs, 2000);
  EXPECT_EQ(printerJobs.size(), 1);
  EXPECT_EQ(statuses.last(), QStringLiteral("用户中断打印。"));
  // an earlier job of this run was confirmed: the next run prints without asking
  EXPECT_TRUE(session.printSettings.confirmed);
}

TEST_F(JobDriverTest, ByPageCancelInTheContinuePromptSaysTheRunWasInterrupted) {
  FillTable(model, {"A", "A"});
  byCategory = false;
  AcceptColumns();
  dialogs.queueAnswer(AnswerCancel);
  driver().StartPrint();
  EXPECT_TRUE(printerJobs.isEmpty());
  EXPECT_EQ(statuses.last(), QStringLiteral("用户中断打印。"));
}

TEST_F(JobDriverTest, ClosingTheSettingsWindowWithoutConfirmingInterruptsTheRun) {
  FillTable(model, {"A", "B"});
  confirmSettings = false;
  AcceptColumns();
  driver().StartPrint();
  EXPECT_TRUE(printerJobs.isEmpty());
  EXPECT_EQ(settingsOpened, 1);
  EXPECT_EQ(statuses.last(), QStringLiteral("用户中断打印。"));
  EXPECT_EQ(dialogs.callsOf(Kind::TimedMessageBox).size(), 1);
}

TEST_F(JobDriverTest, ByPageFillsTotalAndPageNumbersAndOpensTheSettingsOnceBeforeTheFirstPage) {
  QStringList categories;
  for (int i = 0; i < 26; ++i) categories.append(i < 20 ? "X" : "Y");
  FillTable(model, categories);
  byCategory = false;
  header = QStringLiteral("&f &p/&a");
  AcceptColumns();
  driver().StartPrint();

  EXPECT_EQ(dialogs.callsOf(Kind::InputInteger)[1].text,
            QStringLiteral("系统认为图片的‘类别’在第 3 列，你也可以手工输入："));
  EXPECT_EQ(settingsOpened, 1);
  ASSERT_EQ(printerJobs.size(), 2);
  EXPECT_EQ(printerJobs[0].job.pictures.size(), 25);
  EXPECT_EQ(printerJobs[1].job.pictures, QStringList{"/photos/25.jpg"});
  EXPECT_EQ(printerJobs[0].job.headerText, header);
  EXPECT_EQ(printerJobs[0].job.macros, (JobMacros{"Y", 1, 2}));
  EXPECT_EQ(printerJobs[1].job.macros, (JobMacros{"Y", 2, 2}));
  EXPECT_EQ(dialogs.callsOf(Kind::TimedMessageBox).size(), 2);
  EXPECT_EQ(statuses.last(), QStringLiteral("打印完毕！"));
  EXPECT_FALSE(session.printSettings.confirmed);
}

TEST_F(JobDriverTest, ByPageWithoutConfirmedSettingsNeverDividesByZero) {
  FillTable(model, {"A", "A"});
  byCategory = false;
  confirmSettings = false;  // rows and columns stay 0
  AcceptColumns();
  driver().StartPrint();
  EXPECT_TRUE(printerJobs.isEmpty());
  EXPECT_EQ(statuses.last(), QStringLiteral("用户中断打印。"));
}

TEST_F(JobDriverTest, PrinterPathSwapsWidthAndHeightForLandscape) {
  chosen.landscape = true;
  chosen.paperWidth = 2100;
  chosen.paperHeight = 2970;
  session.printSettings = chosen;
  session.printSettings.confirmed = true;
  driver().RunPrintJob(PrintJob{{"a.jpg"}, {"c"}, {}, "h", "f"});
  ASSERT_EQ(printerJobs.size(), 1);
  EXPECT_EQ(printerJobs[0].page.paperWidth, 2970);
  EXPECT_EQ(printerJobs[0].page.paperHeight, 2100);
  EXPECT_EQ(settingsOpened, 0);
  EXPECT_EQ(session.lastJob.headerText, "h");
}

TEST_F(JobDriverTest, PictureFilesAskForAFolderAndCancelMeansNoOutput) {
  chosen.toPictureFiles = true;
  chosen.printerName.clear();  // no printer needed for files
  chosen.landscape = true;
  chosen.pictureFormat = PageFileFormat::Png;
  dialogs.queueFolder(QStringLiteral("/out"));
  dialogs.queueFolder(QString());
  const PrintJob job{{"a.jpg"}, {"c"}, {}, "h", "f"};
  EXPECT_EQ(driver().RunPrintJob(job), JobDriver::JobResult::Output);
  EXPECT_EQ(driver().RunPrintJob(job), JobDriver::JobResult::NoFolder);
  EXPECT_EQ(settingsOpened, 1);
  ASSERT_EQ(fileJobs.size(), 1);
  EXPECT_EQ(fileJobs[0].folder, QStringLiteral("/out"));
  EXPECT_EQ(fileJobs[0].page.paperWidth, 2100);  // the file loop turns landscape pages itself
  EXPECT_TRUE(fileJobs[0].page.landscape);
  EXPECT_EQ(fileJobs[0].pictureFormat, PageFileFormat::Png);
  EXPECT_EQ(fileJobs[0].job, job);
  EXPECT_EQ(dialogs.callsOf(Kind::Folder)[0].text,
            QStringLiteral("请选择要保存的文件夹，文件名电脑自动起："));
}

TEST_F(JobDriverTest, PdfFormatSendsTheJobAsPrinterPagesToOnePdfInTheFolder) {
  chosen.toPictureFiles = true;
  chosen.printerName.clear();
  chosen.landscape = true;
  chosen.pictureFormat = PageFileFormat::Pdf;
  dialogs.queueFolder(QStringLiteral("/out"));
  const PrintJob job{{"a.jpg"}, {"c"}, {}, "h", "f"};
  EXPECT_EQ(driver().RunPrintJob(job), JobDriver::JobResult::Output);
  EXPECT_TRUE(fileJobs.isEmpty());
  EXPECT_TRUE(printerJobs.isEmpty());
  ASSERT_EQ(pdfJobs.size(), 1);
  EXPECT_EQ(pdfJobs[0], (PdfFileArgs{"/out", PrinterArgsFor(job, session.printSettings)}));
  EXPECT_EQ(pdfJobs[0].pages.page.paperWidth, 2970);  // laid out lying, like a printer page
}

TEST_F(JobDriverTest, APrinterThatCannotStartIsNamedAndNothingIsClaimedPrinted) {
  FillTable(model, {"A", "B"});
  printerReport.started = false;
  printerReport.startError = QStringLiteral("no such queue");
  AcceptColumns();
  driver().StartPrint();
  EXPECT_EQ(printerJobs.size(), 1);  // the run stops after the failed job
  const auto boxes = dialogs.callsOf(Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 2);
  EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("“Office”")));
  EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("no such queue")));
  EXPECT_EQ(boxes[1].icon, MessageIcon::Error);
  EXPECT_FALSE(statuses.contains(QStringLiteral("打印完毕！")));
  EXPECT_FALSE(session.printSettings.confirmed);
}

TEST_F(JobDriverTest, UnwrittenPageFilesAreNamedAndTheEndSaysSo) {
  FillTable(model, {"A", "B"});
  chosen.toPictureFiles = true;
  fileReport.unwrittenFiles = {QStringLiteral("/ro/20260101_1_1.png：权限不够")};
  AcceptColumns();
  dialogs.queueFolder("/ro");
  dialogs.queueFolder("/ro");
  driver().StartPrint();
  EXPECT_EQ(fileJobs.size(), 2);
  const auto boxes = dialogs.callsOf(Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 3);
  EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("/ro/20260101_1_1.png：权限不够")));
  EXPECT_EQ(statuses.last(), QStringLiteral("打印完毕，但有 2 个页面文件没有保存成功。"));
}

TEST_F(JobDriverTest, CellsLeftEmptyAreCountedInTheClosingTextOnlyWhenThereAreAny) {
  FillTable(model, {"A", "B"});
  chosen.toPictureFiles = true;
  AcceptColumns();
  for (const char* folder : {"/a", "/a", "/b", "/b"}) dialogs.queueFolder(folder);
  driver().StartPrint();
  EXPECT_EQ(statuses.last(), QStringLiteral("打印完毕！"));
  fileReport.emptyCells = {QStringLiteral("/photos/gone.jpg"), QStringLiteral("/photos/cut.jpg")};
  AcceptColumns();
  driver().StartPrint();
  EXPECT_EQ(statuses.last(), QStringLiteral("打印完毕！有 4 个格子的照片找不到或读不出，留空了。"));
}

TEST_F(JobDriverTest, ASecondPressDuringARunIsIgnored) {
  FillTable(model, {"A"});
  AcceptColumns();
  int nested = 0;
  dialogs.setDuringCall([&](const FakeDialogs::Call& call) {
    if (call.kind == Kind::TimedMessageBox && nested++ == 0) driver().StartPrint();
  });
  driver().StartPrint();
  EXPECT_EQ(dialogs.callsOf(Kind::InputInteger).size(), 2);
  EXPECT_EQ(printerJobs.size(), 1);
  EXPECT_FALSE(driver().isRunning());
}

}  // namespace
