#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "CupsPdfQueue.h"
#include "PageLoopRig.h"
#include "TestPictures.h"
#include "print/PageLoops.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

namespace {

class PrinterPagesTest : public ::testing::Test, protected printtest::PageLoopRig {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    // the built-in A4 page with its header and footer on the left
    PrintSettings& s = session.printSettings;
    s = PrintSettings::builtInDefaults();
    s.defaultPrinter = QStringLiteral("PreviousDefault");
    s.headerAlign = s.footerAlign = HeaderAlign::Left;
    s.photoArea = {0.0f, 0.0f, 1.0f, 0.8f};
    s.textArea = {0.0f, 0.8f, 1.0f, 0.2f};
    services.setDefaultPrinter = [this](const QString& name) {
      defaults.append(name);
      return true;
    };
    services.clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(23, 59, 41)); };
    photo = dir.filePath("photo.jpg");
    ASSERT_TRUE(testpictures::write(photo, testpictures::twoHalves(400, 300)));
    job.pictures = QStringList(26, photo);
    job.captions = QStringList(26, QStringLiteral("说明"));
    job.footerText = QStringLiteral("Page &p of &A");
  }

  PageRunResult print() {
    return PrintPagesToPrinter(services, PrinterArgsFor(job, session.printSettings));
  }

  QStringList defaults;
  QString photo;
  PrintJob job;
};

TEST_F(PrinterPagesTest, JobThatCannotStartIsReportedAndNothingIsClaimed) {
  session.printSettings.printerName = QStringLiteral("NoSuchPrinter_Quillmere");
  const PageRunResult result = print();
  EXPECT_FALSE(result.jobStarted);
  EXPECT_FALSE(result.succeeded());
  EXPECT_EQ(result.pagesDone, 0);
  const JobOutputReport report = ReportOf(result);
  EXPECT_FALSE(report.started);
  // in words first, the printer's own detail after
  EXPECT_EQ(report.startError,
            QStringLiteral("打印机无法开始打印作业。详细信息：") + result.printerError);
  EXPECT_FALSE(result.printerError.isEmpty());
  // the previous default printer comes back, the window goes, nothing stays loaded
  EXPECT_EQ(defaults, (QStringList{"NoSuchPrinter_Quillmere", "PreviousDefault"}));
  EXPECT_FALSE(progress.isLoaded());
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(PrinterPagesTest, DocumentNameCarriesTimePaperAndOrientation) {
  services.printerPdfOutput = dir.filePath("name.pdf");
  const PageRunResult result = print();
  EXPECT_TRUE(result.documentName.startsWith(QStringLiteral("235941_宽高：2100×2970，方向：0-")))
      << result.documentName.toStdString();
  const int random = result.documentName.section('-', -1).toInt();
  EXPECT_GE(random, 1000);
  EXPECT_LE(random, 9999);
}

TEST_F(PrinterPagesTest, TwentySixPicturesPrintTwoA4Pages) {
  services.printerPdfOutput = dir.filePath("album.pdf");
  const PageRunResult result = print();
  EXPECT_TRUE(result.succeeded()) << result.printerError.toStdString();
  EXPECT_EQ(result.totalPages, 2);
  EXPECT_EQ(result.pagesDone, 2);
  EXPECT_EQ(pictures.liveCount(), 0);
  EXPECT_FALSE(progress.isLoaded());
  const PdfInfo info = readPdfInfo(services.printerPdfOutput);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_EQ(info.pages, 2);
  EXPECT_NEAR(info.pageSizes[0].widthMm, 210.0, 1.0);
  EXPECT_NEAR(info.pageSizes[0].heightMm, 297.0, 1.0);
}

TEST_F(PrinterPagesTest, ZeroRowsAndColumnsPrintFiveByFive) {
  session.printSettings.rows = 0;
  session.printSettings.columns = 0;
  services.printerPdfOutput = dir.filePath("zero.pdf");
  const PageRunResult result = print();
  EXPECT_TRUE(result.succeeded());
  EXPECT_EQ(result.totalPages, 2);
  EXPECT_EQ(readPdfInfo(services.printerPdfOutput).pages, 2);
}

TEST_F(PrinterPagesTest, LandscapeJobPrintsLyingPages) {
  session.printSettings.landscape = true;
  services.printerPdfOutput = dir.filePath("landscape.pdf");
  const PageRunResult result = print();
  EXPECT_TRUE(result.succeeded());
  const PdfInfo info = readPdfInfo(services.printerPdfOutput);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_NEAR(info.pageSizes[0].widthMm, 297.0, 1.0);
  EXPECT_NEAR(info.pageSizes[0].heightMm, 210.0, 1.0);
}

TEST_F(PrinterPagesTest, AlbumThroughACupsPdfQueue) {
  CupsPdfQueue queue;
  REQUIRE_CUPS_PDF_QUEUE(queue);
  session.printSettings.printerName = queue.name();
  for (const QFileInfo& old :
       QDir(queue.outputFolder()).entryInfoList({"235941*.pdf"}, QDir::Files))
    QFile::remove(old.filePath());
  const PageRunResult result = print();
  ASSERT_TRUE(result.succeeded()) << result.printerError.toStdString();
  EXPECT_EQ(defaults, (QStringList{queue.name(), "PreviousDefault"}));
  const QString pdf = queue.waitForPdf(QStringLiteral("235941"));
  ASSERT_FALSE(pdf.isEmpty());
  const PdfInfo info = readPdfInfo(pdf);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_EQ(info.pages, 2);
  EXPECT_NEAR(info.pageSizes[0].widthMm, 210.0, 1.5);
  EXPECT_NEAR(info.pageSizes[0].heightMm, 297.0, 1.5);
}

}  // namespace
