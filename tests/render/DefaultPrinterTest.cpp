#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CupsPdfQueue.h"
#include "render/PrinterQueries.h"

void PrintTo(const PaperForm& f, std::ostream* os) {
  *os << f.width << "×" << f.height << " margins top " << f.marginTop << " bottom "
      << f.marginBottom << " left " << f.marginLeft << " right " << f.marginRight;
}

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
  void SetUp() override { REQUIRE_CUPS_PDF_QUEUE(*queue); }

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

TEST_F(DefaultPrinterTest, FormMarginsAreThePrintersUnprintableStrip) {
  ASSERT_TRUE(SetDefaultPrinter(queue->name()));
  PaperForm a4;
  ASSERT_TRUE(GetPaperForm(QStringLiteral("A4"), a4));
  EXPECT_EQ(a4, (PaperForm{2100, 2970, 0, 0, 0, 0}));

  // 27, 36, 18 and 9 pt: 9.525, 12.7, 6.35 and 3.175 mm
  CupsPdfQueue strip(QStringLiteral("QuillmereFormStripPDF"), QMarginsF(18, 27, 9, 36));
  REQUIRE_CUPS_PDF_QUEUE(strip);
  ASSERT_TRUE(SetDefaultPrinter(strip.name()));
  ASSERT_TRUE(GetPaperForm(QStringLiteral("A4"), a4));
  EXPECT_EQ(a4, (PaperForm{2100, 2970, 95, 127, 63, 31}));
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
