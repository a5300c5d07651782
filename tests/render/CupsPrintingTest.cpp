#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QLabel>
#include <QThread>

#include "CupsPdfQueue.h"
#include "render/PrinterObject.h"
#include "render/PrinterQueries.h"

// Real printing: jobs go through cupsd and the cups-pdf driver and come back as PDFs.
class CupsPrintingTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { queue = new CupsPdfQueue(QStringLiteral("QuillmereRenderPDF")); }
  static void TearDownTestSuite() {
    delete queue;
    queue = nullptr;
  }
  void SetUp() override {
    REQUIRE_CUPS_PDF_QUEUE(*queue);
    printer.setPrinterName(queue->name());
    printer.setUnit(1);
  }
  // Letters and digits only, so the PDF's file name can be found again.
  static QString uniqueName(const char* stem) {
    return QString::fromLatin1(stem) + QString::number(QDateTime::currentMSecsSinceEpoch());
  }

  static CupsPdfQueue* queue;
  PictureRegistry registry;
  PrinterObject printer{registry};
};

CupsPdfQueue* CupsPrintingTest::queue = nullptr;

TEST_F(CupsPrintingTest, CustomA4JobComesOutAtTwoHundredTenByTwoNinetySeven) {
  const QString name = uniqueName("Portrait");
  printer.setDocumentName(name);
  ASSERT_TRUE(
      printer.StartPrintJob({.showStatusDialog = true, .paperWidth = 2100, .paperHeight = 2970}))
      << printer.lastError().toStdString();
  printer.WriteTextAt(100, 100, QStringLiteral("page one"));
  ASSERT_TRUE(printer.NewPage());
  printer.WriteTextAt(100, 100, QStringLiteral("page two"));
  ASSERT_TRUE(printer.NewPage());
  ASSERT_TRUE(printer.EndPrintJob()) << printer.lastError().toStdString();

  const QString pdf = queue->waitForPdf(name);
  ASSERT_FALSE(pdf.isEmpty()) << "no PDF appeared in " << queue->outputFolder().toStdString();
  const PdfInfo info = readPdfInfo(pdf);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_EQ(info.pages, 2);
  for (const PdfPage& page : info.pageSizes) {
    EXPECT_NEAR(page.widthMm, 210, 1);
    EXPECT_NEAR(page.heightMm, 297, 1);
  }
}

TEST_F(CupsPrintingTest, LandscapeJobComesOutAtTwoNinetySevenByTwoHundredTen) {
  const QString name = uniqueName("Landscape");
  printer.setDocumentName(name);
  ASSERT_TRUE(printer.StartPrintJob({.landscape = true, .paperWidth = 2100, .paperHeight = 2970}))
      << printer.lastError().toStdString();
  printer.WriteTextAt(100, 100, QStringLiteral("lying"));
  ASSERT_TRUE(printer.EndPrintJob());
  const QString pdf = queue->waitForPdf(name);
  ASSERT_FALSE(pdf.isEmpty());
  const PdfInfo info = readPdfInfo(pdf);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_EQ(info.pages, 1);
  EXPECT_NEAR(info.pageSizes[0].widthMm, 297, 1);
  EXPECT_NEAR(info.pageSizes[0].heightMm, 210, 1);
}

TEST_F(CupsPrintingTest, TheQueueIsListedWithItsPort) {
  EXPECT_TRUE(ListPrinters().contains(queue->name()));
  EXPECT_EQ(PrinterPort(queue->name()), QStringLiteral("cups-pdf:/") + queue->name());
  EXPECT_TRUE(PrinterPort(QStringLiteral("No Such Printer 4711")).isEmpty());

  printer.setDocumentName(uniqueName("Status"));
  ASSERT_TRUE(
      printer.StartPrintJob({.showStatusDialog = true, .paperWidth = 2100, .paperHeight = 2970}));
  QLabel* destination = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && !destination)
      destination = w->findChild<QLabel*>(QStringLiteral("标签_打印目的"));
  ASSERT_NE(destination, nullptr);
  EXPECT_EQ(destination->text(),
            queue->name() + QStringLiteral(" 上的 cups-pdf:/") + queue->name());
  printer.EndPrintJob();
}

TEST_F(CupsPrintingTest, CopiesPrintedAreWhatCupsReportsOfTheJob) {
  const QString name = uniqueName("Copies");
  printer.setDocumentName(name);
  printer.setCopies(2);
  ASSERT_TRUE(
      printer.StartPrintJob({.showStatusDialog = true, .paperWidth = 2100, .paperHeight = 2970}));
  QLabel* copies = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && !copies)
      copies = w->findChild<QLabel*>(QStringLiteral("标签_已打印份数"));
  ASSERT_NE(copies, nullptr);
  EXPECT_EQ(copies->text(), QStringLiteral("0"));  // nothing has reached the spooler yet
  printer.WriteTextAt(100, 100, QStringLiteral("twice"));
  ASSERT_TRUE(printer.EndPrintJob());
  ASSERT_FALSE(queue->waitForPdf(name).isEmpty());
  QDeadlineTimer deadline(30000);
  while (CopiesPrinted(queue->name(), name) == 0 && !deadline.hasExpired()) QThread::msleep(200);
  EXPECT_EQ(CopiesPrinted(queue->name(), name), 2);
  EXPECT_EQ(CopiesPrinted(queue->name(), name + QStringLiteral("x")), 0);
}
