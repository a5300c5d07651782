#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CupsPdfQueue.h"
#include "render/PrinterQueries.h"

// Setting the default printer writes the user's CUPS options file (~/.cups/lpoptions).
// These tests give libcups a home folder of their own before its first use, so the
// default printer of whoever runs them stays as it was.
class DefaultPrinterTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    home = new QTemporaryDir;
    qputenv("HOME", QFile::encodeName(home->path()));
    queue = new CupsPdfQueue(QStringLiteral("QuillmereRenderPDF"));
  }
  static void TearDownTestSuite() {
    delete queue;
    delete home;
  }
  void SetUp() override {
    if (!queue->ready()) GTEST_SKIP() << queue->whyNotReady().toStdString();
  }

  static QTemporaryDir* home;
  static CupsPdfQueue* queue;
};

QTemporaryDir* DefaultPrinterTest::home = nullptr;
CupsPdfQueue* DefaultPrinterTest::queue = nullptr;

TEST_F(DefaultPrinterTest, SetThenGetAndUnknownPrintersAreRefused) {
  ASSERT_TRUE(SetDefaultPrinter(queue->name()));
  EXPECT_EQ(GetDefaultPrinter(), queue->name());
  EXPECT_FALSE(SetDefaultPrinter(QStringLiteral("No Such Printer 4711")));
  EXPECT_FALSE(SetDefaultPrinter(QString()));
  EXPECT_EQ(GetDefaultPrinter(), queue->name());
}

TEST_F(DefaultPrinterTest, PaperFormsOfTheDefaultPrinter) {
  ASSERT_TRUE(SetDefaultPrinter(queue->name()));
  const QStringList forms = ListPaperForms();
  ASSERT_TRUE(forms.contains(QStringLiteral("A4"))) << forms.join(QLatin1Char(',')).toStdString();
  PaperForm a4;
  ASSERT_TRUE(GetPaperForm(QStringLiteral("A4"), a4));
  EXPECT_EQ(a4.width, 2100);
  EXPECT_EQ(a4.height, 2970);
  EXPECT_GE(a4.marginLeft, 0);
  EXPECT_GE(a4.marginTop, 0);
  EXPECT_LT(a4.marginLeft + a4.marginRight, 300);
  PaperForm letter;
  if (forms.contains(QStringLiteral("Letter")) || forms.contains(QStringLiteral("US Letter"))) {
    ASSERT_TRUE(GetPaperForm(forms.contains(QStringLiteral("Letter")) ? QStringLiteral("Letter")
                                                                      : QStringLiteral("US Letter"),
                             letter));
    EXPECT_EQ(letter.width, 2159);
    EXPECT_EQ(letter.height, 2794);
  }
}
