#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "AlbumFixture.h"
#include "CupsPdfQueue.h"
#include "collect/PictureTableModel.h"
#include "print/ProgressWindow.h"
#include "settings/PrintSettingsWindow.h"

using namespace album;

namespace {

constexpr int kDotsPerMetreAt254Dpi = 10000;

// At the settings window: pages as PNG picture files, then 准备打印.
SettingsWindowScript::Action ConfirmPngFiles() {
  return [](PrintSettingsWindow& window) {
    SetChecked(window, "选择框_打印到图片文件", true);
    SelectIndex(window, "组合框_图片格式", 4);
    Click(window, "按钮_确定");
  };
}

class AlbumPrint : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  QString Path(const QString& name) const { return dir.filePath(name); }
  QString MakeFolder(const QString& name) const {
    QDir(dir.path()).mkpath(name);
    return Path(name);
  }

  // Each page file: A4 at 254 dpi with the expected header line.
  void ExpectPages(const QString& folder, const QStringList& headers) {
    const QStringList files = PageFiles(folder);
    ASSERT_EQ(files.size(), headers.size()) << folder.toStdString();
    const PrintSettings& settings = program.state.settings.printSettings;
    const int top = settings.headerFromTop;
    const int height = settings.marginTop - top;  // the header sits above the first cells
    for (int i = 0; i < files.size(); ++i) {
      const QImage page(files[i]);
      ASSERT_FALSE(page.isNull()) << files[i].toStdString();
      EXPECT_TRUE(files[i].endsWith(QStringLiteral(".png")));
      EXPECT_EQ(page.size(), QSize(2100, 2970));
      EXPECT_NEAR(page.dotsPerMeterX(), kDotsPerMetreAt254Dpi, 2);
      EXPECT_NEAR(page.dotsPerMeterY(), kDotsPerMetreAt254Dpi, 2);
      const QImage band = Band(page, top, height);
      EXPECT_EQ(band, Band(ReferenceHeaderPage(settings, headers[i]), top, height))
          << "header of " << files[i].toStdString() << " is not " << headers[i].toStdString();
      EXPECT_NE(band, Band(ReferenceHeaderPage(settings, QString()), top, height));
    }
  }

  QTemporaryDir dir;
  Program program;
  SettingsWindowScript settingsWindow;
};

TEST_F(AlbumPrint, TwoFoldersPrintAsOneJobOfPageFilesEach) {
  MakePhotos(Path("photos"), QStringLiteral("海边"), 27);
  MakePhotos(Path("photos"), QStringLiteral("山里"), 3, 50);
  program.Search(Path("photos"));
  ASSERT_EQ(program.table()->rowCount(), 30);

  program.window->headerEdit()->setText(QStringLiteral("&f 第&p页/共&a页"));
  ASSERT_TRUE(program.window->byFolderBox()->isChecked());
  AcceptColumns(program.dialogs);
  program.dialogs.queueAnswer(AnswerTimedOut);
  program.dialogs.queueAnswer(AnswerTimedOut);
  program.dialogs.queueFolder(MakeFolder("out1"));
  program.dialogs.queueFolder(MakeFolder("out2"));
  settingsWindow.queue(ConfirmPngFiles());
  program.PressPreparePrint();

  EXPECT_EQ(settingsWindow.opened(), 1);
  EXPECT_TRUE(program.dialogs.allAnswersUsed());
  EXPECT_EQ(program.window->statusText(), QStringLiteral("打印完毕！"));
  EXPECT_FALSE(program.state.settings.printSettings.confirmed);
  // search order: files of 山里 and 海边 sorted by name, whichever comes first
  const QString first = program.table()->index(0, 2).data().toString();
  const bool seaFirst = first == QStringLiteral("海边");
  ExpectPages(Path(seaFirst ? "out1" : "out2"),
              {QStringLiteral("海边 第1页/共2页"), QStringLiteral("海边 第2页/共2页")});
  ExpectPages(Path(seaFirst ? "out2" : "out1"), {QStringLiteral("山里 第1页/共1页")});
}

TEST_F(AlbumPrint, TwentySixRowsByPageAreTwoJobsNumberedOneAndTwoOfTwo) {
  MakePhotos(Path("photos"), QStringLiteral("album"), 26);
  program.Search(Path("photos"));
  program.window->byFolderBox()->setChecked(false);
  program.window->headerEdit()->setText(QStringLiteral("&p/&a &f"));
  AcceptColumns(program.dialogs);
  program.dialogs.queueFolder(MakeFolder("page1"));
  program.dialogs.queueFolder(MakeFolder("page2"));
  settingsWindow.queue(ConfirmPngFiles());
  program.PressPreparePrint();

  EXPECT_EQ(settingsWindow.opened(), 1);
  EXPECT_EQ(program.dialogs.callsOf(FakeDialogs::Kind::TimedMessageBox).size(), 2);
  EXPECT_EQ(program.window->statusText(), QStringLiteral("打印完毕！"));
  ExpectPages(Path("page1"), {QStringLiteral("1/2 album")});
  ExpectPages(Path("page2"), {QStringLiteral("2/2 album")});
}

// The album's PDF from the queue: the first complete new file named after a print job
// of ours (document names begin with the time of day and "_").
QString WaitForAlbumPdf(const CupsPdfQueue& queue, const QSet<QString>& before) {
  static const QRegularExpression ours(QStringLiteral("^\\d+_"));
  QDeadlineTimer deadline(90000);
  qint64 lastSize = -1;
  while (!deadline.hasExpired()) {
    for (const QFileInfo& file : QDir(queue.outputFolder()).entryInfoList({"*.pdf"}, QDir::Files)) {
      if (before.contains(file.fileName()) || !ours.match(file.fileName()).hasMatch()) continue;
      if (file.size() > 0 && file.size() == lastSize && readPdfInfo(file.filePath()).ok) {
        return file.filePath();
      }
      lastSize = file.size();
    }
    QThread::msleep(250);
  }
  return {};
}

TEST_F(AlbumPrint, TheSameAlbumOnACupsPdfPrinterKeepsPagesPaperAndCopies) {
  CupsPdfQueue queue;
  REQUIRE_CUPS_PDF_QUEUE(queue);
  const QStringList before = QDir(queue.outputFolder()).entryList({"*.pdf"}, QDir::Files);
  MakePhotos(Path("photos"), QStringLiteral("海边"), 27);
  program.Search(Path("photos"));
  program.window->headerEdit()->setText(QStringLiteral("&f 第&p页/共&a页"));
  AcceptColumns(program.dialogs);
  settingsWindow.queue([&queue](PrintSettingsWindow& window) {
    auto* printers = window.findChild<QComboBox*>(QStringLiteral("组合框_打印机列表"));
    ASSERT_NE(printers, nullptr);
    const int index = printers->findText(queue.name());
    ASSERT_GE(index, 0) << "the settings window does not list " << queue.name().toStdString();
    printers->setCurrentIndex(index);
    SetText(window, "编辑框_打印份数", QStringLiteral("2"));
    Click(window, "按钮_确定");
  });
  program.PressPreparePrint();
  ASSERT_EQ(settingsWindow.opened(), 1);
  EXPECT_EQ(program.window->statusText(), QStringLiteral("打印完毕！"));
  EXPECT_TRUE(program.dialogs.callsOf(FakeDialogs::Kind::Folder).isEmpty());

  const QString pdf = WaitForAlbumPdf(queue, QSet<QString>(before.begin(), before.end()));
  ASSERT_FALSE(pdf.isEmpty()) << "no PDF came out of " << queue.name().toStdString();
  const PdfInfo info = readPdfInfo(pdf);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_EQ(info.pages, 4);  // two album pages, two copies
  for (const PdfPage& page : info.pageSizes) {
    EXPECT_NEAR(page.widthMm, 210.0, 1.0);
    EXPECT_NEAR(page.heightMm, 297.0, 1.0);
  }
}

TEST_F(AlbumPrint, CategoriesAABAPrintThreeJobs) {
  const QStringList photos = MakePhotos(Path("photos"), QStringLiteral("x"), 4);
  auto* table = qobject_cast<PictureTableModel*>(program.table());
  ASSERT_NE(table, nullptr);
  table->ClearAll();
  for (const QString& title : {QStringLiteral("序号"), QStringLiteral("图片名全称"),
                               QStringLiteral("图片类别"), QStringLiteral("图片说明")}) {
    table->InsertColumn(title);
  }
  const QStringList categories = {"A", "A", "B", "A"};
  for (int r = 0; r < 4; ++r) {
    const int row = table->AppendRow();
    table->SetCell(row, 0, QString::number(r + 1));
    table->SetCell(row, 1, photos[r]);
    table->SetCell(row, 2, categories[r]);
    table->SetCell(row, 3, QStringLiteral("照片%1").arg(r + 1));
  }
  program.window->headerEdit()->setText(QStringLiteral("[&f] &p/&a"));
  AcceptColumns(program.dialogs);
  for (const char* out : {"job1", "job2", "job3"}) program.dialogs.queueFolder(MakeFolder(out));
  settingsWindow.queue(ConfirmPngFiles());
  program.PressPreparePrint();

  EXPECT_EQ(program.dialogs.callsOf(FakeDialogs::Kind::TimedMessageBox).size(), 3);
  ExpectPages(Path("job1"), {QStringLiteral("[A] 1/1")});
  ExpectPages(Path("job2"), {QStringLiteral("[B] 1/1")});
  ExpectPages(Path("job3"), {QStringLiteral("[A] 1/1")});
}

TEST_F(AlbumPrint, CancelInTheConfirmationBoxPrintsNothing) {
  MakePhotos(Path("photos"), QStringLiteral("a"), 2);
  program.Search(Path("photos"));
  program.dialogs.queueInputCancel();
  program.dialogs.queueInputCancel();
  program.dialogs.queueInputCancel();
  program.dialogs.queueAnswer(AnswerCancel);
  program.PressPreparePrint();
  EXPECT_EQ(settingsWindow.opened(), 0);
  EXPECT_TRUE(program.dialogs.callsOf(FakeDialogs::Kind::TimedMessageBox).isEmpty());
  EXPECT_EQ(program.window->statusText(), QStringLiteral("打印程序正在初始化...."));
}

TEST_F(AlbumPrint, CancelInTheContinuePromptStopsBeforeTheJob) {
  MakePhotos(Path("photos"), QStringLiteral("a"), 2);
  program.Search(Path("photos"));
  AcceptColumns(program.dialogs);
  program.dialogs.queueAnswer(AnswerCancel);
  program.PressPreparePrint();
  EXPECT_EQ(settingsWindow.opened(), 0);
  EXPECT_TRUE(program.dialogs.callsOf(FakeDialogs::Kind::Folder).isEmpty());
  EXPECT_EQ(program.window->statusText(), QStringLiteral("用户中断打印。"));
}

TEST_F(AlbumPrint, ClosingTheSettingsWindowWithoutConfirmingInterrupts) {
  MakePhotos(Path("photos"), QStringLiteral("a"), 2);
  MakePhotos(Path("photos"), QStringLiteral("b"), 2);
  program.Search(Path("photos"));
  AcceptColumns(program.dialogs);
  settingsWindow.queue([](PrintSettingsWindow& window) { window.close(); });
  program.PressPreparePrint();
  EXPECT_EQ(settingsWindow.opened(), 1);
  EXPECT_TRUE(program.dialogs.callsOf(FakeDialogs::Kind::Folder).isEmpty());
  EXPECT_EQ(program.dialogs.callsOf(FakeDialogs::Kind::TimedMessageBox).size(), 1);
  EXPECT_EQ(program.window->statusText(), QStringLiteral("用户中断打印。"));
}

// While a run draws its pages the main window stays responsive: 预览与设置 and 搜索 are
// refused with a word in the status bar, and the progress window may be closed (as the
// settings window used to do when it closed) without taking anything from the run.
class DuringTheRun : public QObject {
public:
  explicit DuringTheRun(Program& program) : program_(program) {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] { act(); });
    timer_.start();
  }
  bool acted = false;
  QString statusAfterPreviewPress;
  int settingsWindowsOpenedDuringRun = 0;

private:
  void act() {
    if (acted || !program_.state.progressWindow.isLoaded()) return;
    acted = true;
    timer_.stop();
    QTest::mouseClick(program_.window->previewButton(), Qt::LeftButton);
    QTest::mouseClick(program_.window->searchButton(), Qt::LeftButton);
    statusAfterPreviewPress = program_.window->statusText();
    program_.state.progressWindow.window()->close();
    program_.state.progressWindow.Close();
  }

  Program& program_;
  QTimer timer_;
};

TEST_F(AlbumPrint, ARunSurvivesTheMainWindowAndItsProgressWindowClosing) {
  MakePhotos(Path("photos"), QStringLiteral("album"), 60);
  program.Search(Path("photos"));
  program.window->headerEdit()->setText(QStringLiteral("&f 第&p页/共&a页"));
  AcceptColumns(program.dialogs);
  program.dialogs.queueFolder(MakeFolder("out"));
  settingsWindow.queue(ConfirmPngFiles());
  DuringTheRun during(program);
  program.PressPreparePrint();

  EXPECT_TRUE(during.acted);
  EXPECT_EQ(during.statusAfterPreviewPress, QStringLiteral("正在打印，请稍候...."));
  EXPECT_EQ(settingsWindow.opened(), 1);
  EXPECT_EQ(program.table()->rowCount(), 60);
  EXPECT_EQ(program.window->statusText(), QStringLiteral("打印完毕！"));
  ExpectPages(Path("out"),
              {QStringLiteral("album 第1页/共3页"), QStringLiteral("album 第2页/共3页"),
               QStringLiteral("album 第3页/共3页")});
}

TEST_F(AlbumPrint, APrinterRunSurvivesItsProgressWindowClosing) {
  CupsPdfQueue queue;
  REQUIRE_CUPS_PDF_QUEUE(queue);
  const QStringList before = QDir(queue.outputFolder()).entryList({"*.pdf"}, QDir::Files);
  MakePhotos(Path("photos"), QStringLiteral("album"), 60);
  program.Search(Path("photos"));
  AcceptColumns(program.dialogs);
  settingsWindow.queue([&queue](PrintSettingsWindow& window) {
    auto* printers = window.findChild<QComboBox*>(QStringLiteral("组合框_打印机列表"));
    ASSERT_NE(printers, nullptr);
    printers->setCurrentIndex(printers->findText(queue.name()));
    Click(window, "按钮_确定");
  });
  DuringTheRun during(program);
  program.PressPreparePrint();

  EXPECT_TRUE(during.acted);
  EXPECT_EQ(during.statusAfterPreviewPress, QStringLiteral("正在打印，请稍候...."));
  EXPECT_EQ(program.window->statusText(), QStringLiteral("打印完毕！"));
  const QString pdf = WaitForAlbumPdf(queue, QSet<QString>(before.begin(), before.end()));
  ASSERT_FALSE(pdf.isEmpty());
  const PdfInfo info = readPdfInfo(pdf);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_EQ(info.pages, 3);
}

TEST_F(AlbumPrint, PressingWhileASearchRunsIsRefused) {
  program.state.collect.searchDone = false;
  program.PressPreparePrint();
  ASSERT_EQ(program.dialogs.calls().size(), 1);
  EXPECT_EQ(program.dialogs.calls()[0].caption, QStringLiteral("你性子太急了！"));
}

}  // namespace
