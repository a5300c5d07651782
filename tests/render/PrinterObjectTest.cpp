#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "CupsPdfQueue.h"
#include "TestPictures.h"
#include "render/DrawPanel.h"
#include "render/PrintStatusDialog.h"
#include "render/PrinterObject.h"

using namespace testpictures;

namespace {

// One page of a PDF rendered at 254 dpi, so one pixel is 0.1 mm of paper.
QImage renderPage(const QString& pdf, int page) {
  const QString base = pdf + QStringLiteral("-page%1").arg(page);
  QProcess::execute(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-f"),
                     QString::number(page), QStringLiteral("-l"), QString::number(page),
                     QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, base});
  return QImage(base + QStringLiteral(".png"));
}

QList<int> inkTops(const QImage& image) {
  QList<int> tops;
  bool inInk = false;
  for (int y = 0; y < image.height(); ++y) {
    bool ink = false;
    for (int x = 0; x < image.width() && !ink; ++x) ink = qGray(image.pixel(x, y)) < 128;
    if (ink && !inInk) tops.append(y);
    inInk = ink;
  }
  return tops;
}

QList<int> inkBottoms(const QImage& image) {
  QList<int> bottoms;
  bool inInk = false;
  for (int y = 0; y < image.height(); ++y) {
    bool ink = false;
    for (int x = 0; x < image.width() && !ink; ++x) ink = qGray(image.pixel(x, y)) < 128;
    if (!ink && inInk) bottoms.append(y);
    inInk = ink;
  }
  return bottoms;
}

QRect boundsOf(const QImage& image, QRgb colour) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (std::abs(qRed(p) - qRed(colour)) < 40 && std::abs(qGreen(p) - qGreen(colour)) < 40 &&
          std::abs(qBlue(p) - qBlue(colour)) < 40)
        bounds |= QRect(x, y, 1, 1);
    }
  return bounds;
}

}  // namespace

class PrinterObjectTest : public ::testing::Test {
protected:
  PrinterObjectTest() : printer(registry) {}

  QString pdf(const QString& name) {
    const QString file = dir.filePath(name);
    printer.setOutputPdf(file);
    return file;
  }

  QTemporaryDir dir;
  PictureRegistry registry;
  PrinterObject printer;
};

TEST_F(PrinterObjectTest, WithoutAJobMeasuresAreZeroAndDrawingDoesNothing) {
  const PictureHandle picture = registry.LoadPicture(encode(twoHalves(60, 40), ".bmp"));
  EXPECT_EQ(printer.TextWidth(QStringLiteral("abc")), 0);
  EXPECT_EQ(printer.TextHeight(QStringLiteral("abc")), 0);
  EXPECT_EQ(printer.PictureWidth(picture), 0);
  EXPECT_EQ(printer.usableWidth(), 0);
  EXPECT_FALSE(printer.NewPage());
  EXPECT_FALSE(printer.EndPrintJob());
  printer.WriteTextAt(0, 0, QStringLiteral("x"));
  printer.DrawPicture(picture, 0, 0, 10, 10);
  EXPECT_FALSE(printer.isJobRunning());
}

TEST_F(PrinterObjectTest, NonexistentPrinterDoesNotStartAndLaterCallsDoNothing) {
  printer.setPrinterName(QStringLiteral("No Such Printer 4711"));
  EXPECT_FALSE(
      printer.StartPrintJob({.showStatusDialog = true, .paperWidth = 2100, .paperHeight = 2970}));
  EXPECT_FALSE(printer.isJobRunning());
  EXPECT_FALSE(printer.lastError().isEmpty());
  printer.WriteTextAt(10, 10, QStringLiteral("lost"));
  EXPECT_FALSE(printer.NewPage());
  EXPECT_EQ(printer.TextWidth(QStringLiteral("lost")), 0);
  EXPECT_FALSE(printer.EndPrintJob());
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
              !std::any_of(QApplication::topLevelWidgets().cbegin(),
                           QApplication::topLevelWidgets().cend(), [](QWidget* w) {
                             return qobject_cast<PrintStatusDialog*>(w) && w->isVisible();
                           }));
}

TEST_F(PrinterObjectTest, UnwritablePdfFailsToStart) {
  printer.setOutputPdf(QStringLiteral("/nonexistent-folder-4711/out.pdf"));
  EXPECT_FALSE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  EXPECT_FALSE(printer.isJobRunning());
}

TEST_F(PrinterObjectTest, SecondStartWhileAJobRunsIsRefused) {
  pdf(QStringLiteral("a.pdf"));
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  EXPECT_FALSE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  EXPECT_TRUE(printer.isJobRunning());
  EXPECT_TRUE(printer.EndPrintJob());
}

TEST_F(PrinterObjectTest, CustomSizeAndOrientationReachThePdf) {
  const QString portrait = pdf(QStringLiteral("portrait.pdf"));
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  ASSERT_TRUE(printer.EndPrintJob());
  PdfInfo info = readPdfInfo(portrait);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_NEAR(info.pageSizes[0].widthMm, 210, 0.5);
  EXPECT_NEAR(info.pageSizes[0].heightMm, 297, 0.5);

  const QString landscape = pdf(QStringLiteral("landscape.pdf"));
  ASSERT_TRUE(printer.StartPrintJob({.landscape = true, .paperWidth = 2100, .paperHeight = 2970}));
  ASSERT_TRUE(printer.EndPrintJob());
  info = readPdfInfo(landscape);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_NEAR(info.pageSizes[0].widthMm, 297, 0.5);
  EXPECT_NEAR(info.pageSizes[0].heightMm, 210, 0.5);

  const QString odd = pdf(QStringLiteral("odd.pdf"));
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 1000, .paperHeight = 1500}));
  ASSERT_TRUE(printer.EndPrintJob());
  info = readPdfInfo(odd);
  ASSERT_TRUE(info.ok);
  EXPECT_NEAR(info.pageSizes[0].widthMm, 100, 0.5);
  EXPECT_NEAR(info.pageSizes[0].heightMm, 150, 0.5);
}

TEST_F(PrinterObjectTest, NewPageTwiceLeavesAnEmptyPageBetween) {
  const QString file = pdf(QStringLiteral("pages.pdf"));
  printer.setUnit(1);
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  EXPECT_EQ(printer.pageNumber(), 1);
  printer.WriteTextAt(100, 100, QStringLiteral("one"));
  EXPECT_TRUE(printer.NewPage());
  EXPECT_TRUE(printer.NewPage());
  printer.WriteTextAt(100, 100, QStringLiteral("three"));
  EXPECT_TRUE(printer.NewPage());
  EXPECT_EQ(printer.pageNumber(), 4);
  ASSERT_TRUE(printer.EndPrintJob());
  const PdfInfo info = readPdfInfo(file);
  ASSERT_TRUE(info.ok) << info.error.toStdString();
  EXPECT_EQ(info.pages, 3);
  EXPECT_FALSE(inkTops(renderPage(file, 1)).isEmpty());
  EXPECT_TRUE(inkTops(renderPage(file, 2)).isEmpty());
  EXPECT_FALSE(inkTops(renderPage(file, 3)).isEmpty());
}

TEST_F(PrinterObjectTest, BlankLineIsAsHighAsW) {
  const QString file = pdf(QStringLiteral("lines.pdf"));
  printer.setUnit(1);
  FontDescription font = FontDescription::song9();
  font.size = 24;
  printer.setFont(font);
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  // The character is 24 × 3.525 = 84 tenths of a mm high; the line a little more.
  const int w = printer.TextHeight(QStringLiteral("W"));
  EXPECT_GE(w, 84);
  EXPECT_LE(w, 84 * 16 / 10);
  printer.WriteTextAt(200, 200, QStringLiteral("a\r\n\r\nb"));
  ASSERT_TRUE(printer.EndPrintJob());
  // "a" and "b" both sit on the baseline: the bottoms of their ink are a line plus
  // a blank line of the height of "W" apart (the 2 device pixels are under 0.1 mm here).
  const QList<int> bottoms = inkBottoms(renderPage(file, 1));
  ASSERT_EQ(bottoms.size(), 2);
  EXPECT_NEAR(bottoms[1] - bottoms[0], 2 * w, 2);
}

// The printer measures text by its character cell as the panel does: 9 points are 31
// tenths of a mm (not the 45 of the CJK font's line box), and caption lines follow
// each other at that pitch.
TEST_F(PrinterObjectTest, TextHeightIsTheCharacterCellLikeOnThePanel) {
  const QString file = pdf(QStringLiteral("cell.pdf"));
  printer.setUnit(1);
  printer.setFont(FontDescription::song9());
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  DrawPanel panel(registry);
  panel.setUnit(1);
  panel.setFont(FontDescription::song9());
  const QList<int> heights = {printer.TextHeight(QStringLiteral("大")),
                              panel.TextHeight(QStringLiteral("大"))};
  EXPECT_EQ(heights, (QList<int>{31, 31}));
  printer.WriteTextAt(200, 200, QStringLiteral("大\r\n大"));
  ASSERT_TRUE(printer.EndPrintJob());
  const QList<int> tops = inkTops(renderPage(file, 1));
  ASSERT_EQ(tops.size(), 2);
  EXPECT_NEAR(tops[1] - tops[0], 31, 1);
}

TEST_F(PrinterObjectTest, MarginsAreOffsetsFromThePrintableCorner) {
  const QString file = pdf(QStringLiteral("margins.pdf"));
  printer.setUnit(1);
  printer.setMargins(300, 400, 100, 100);
  const PictureHandle red =
      registry.LoadPicture(encode(twoHalves(20, 20, Qt::red, Qt::red), ".bmp"));
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  const QRectF printable = printer.printer()->pageRect(QPrinter::Millimeter);
  EXPECT_NEAR(printer.usableWidth(), printable.width() * 10 - 400, 2);
  printer.DrawPicture(red, 0, 0, 200, 100);
  ASSERT_TRUE(printer.EndPrintJob());
  const QRect box = boundsOf(renderPage(file, 1), qRgb(255, 0, 0));
  const QRectF pageMm = printable;
  EXPECT_NEAR(box.left(), pageMm.left() * 10 + 300, 3);
  EXPECT_NEAR(box.top(), pageMm.top() * 10 + 400, 3);
  EXPECT_NEAR(box.width(), 200, 3);
  EXPECT_NEAR(box.height(), 100, 3);
}

TEST_F(PrinterObjectTest, PicturePixelsCountAsDevicePixels) {
  pdf(QStringLiteral("pic.pdf"));
  printer.setUnit(1);
  const PictureHandle picture = registry.LoadPicture(encode(twoHalves(600, 300), ".bmp"));
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  const double dpi = printer.printer()->logicalDpiX();
  EXPECT_EQ(printer.PictureWidth(picture), static_cast<int>(600 / dpi * 254));
  EXPECT_EQ(printer.PictureHeight(picture), static_cast<int>(300 / dpi * 254));
  EXPECT_EQ(printer.PictureWidth(0), 0);
  printer.EndPrintJob();
}

// A PDF's pictures are JPEGs of their own: a colour one in sRGB (an ICC-based colour
// space), a gray one in gray, a transparent one as it shows on white paper; its text's
// font is named as the subset it is.
TEST_F(PrinterObjectTest, PdfPicturesAreJpegsAsOnPaperAndItsFontASubset) {
  const QString file = pdf(QStringLiteral("pictures.pdf"));
  printer.setUnit(1);
  printer.setWholePaperPrintable(true);
  QImage gray(40, 20, QImage::Format_Grayscale8);
  gray.fill(0);
  QImage clear(40, 20, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  QPainter(&clear).fillRect(0, 0, 20, 20, Qt::red);
  const QList<PictureHandle> pictures = {registry.Add(twoHalves(40, 20)), registry.Add(gray),
                                         registry.Add(clear)};
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  for (int i = 0; i < 3; ++i) printer.DrawPicture(pictures[i], 100, 100 + 300 * i, 400, 200);
  printer.WriteTextAt(100, 1200, QStringLiteral("相册 IMG_0001"));
  ASSERT_TRUE(printer.EndPrintJob());

  QProcess images;
  images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
  images.waitForFinished();
  QStringList kinds;
  for (const QString& line : QString::fromUtf8(images.readAllStandardOutput()).split('\n').mid(2))
    if (const QStringList f = line.simplified().split(' '); f.size() > 8)
      kinds.append(f[3] + 'x' + f[4] + ' ' + f[5] + ' ' + f[8]);
  EXPECT_EQ(kinds, (QStringList{"40x20 icc jpeg", "40x20 gray jpeg", "40x20 icc jpeg"}));
  // pixels at the middles of the halves, on a page of 0.1 mm pixels
  const QImage page = renderPage(file, 1);
  const auto near = [&page](int x, int y, QRgb colour) {
    const QRgb p = page.pixel(x, y);
    return std::abs(qRed(p) - qRed(colour)) < 40 && std::abs(qGreen(p) - qGreen(colour)) < 40 &&
           std::abs(qBlue(p) - qBlue(colour)) < 40;
  };
  EXPECT_TRUE(near(200, 200, qRgb(255, 0, 0)) && near(400, 200, qRgb(0, 0, 255)));
  EXPECT_TRUE(near(200, 500, qRgb(0, 0, 0)) && near(400, 500, qRgb(0, 0, 0)));
  EXPECT_TRUE(near(200, 800, qRgb(255, 0, 0)) && near(400, 800, qRgb(255, 255, 255)));

  QProcess fonts;
  fonts.start(QStringLiteral("pdffonts"), {file});
  fonts.waitForFinished();
  const QStringList lines = QString::fromUtf8(fonts.readAllStandardOutput()).split('\n').mid(2);
  ASSERT_FALSE(lines.first().isEmpty());
  EXPECT_TRUE(lines.first().contains(QRegularExpression(R"(^[A-Z]{6}\+\S+ .* yes +yes +yes )")))
      << lines.first().toStdString();
}

TEST_F(PrinterObjectTest, DocumentNameAndCopies) {
  EXPECT_EQ(printer.documentName(), QStringLiteral("未命名打印作业"));
  printer.setDocumentName(QStringLiteral("93005_宽高：2100×2970，方向：0-1234"));
  EXPECT_EQ(printer.documentName(), QStringLiteral("93005_宽高：2100×2970，方向：0-1234"));
  printer.setCopies(0);
  EXPECT_EQ(printer.copies(), 1);
  printer.setCopies(-5);
  EXPECT_EQ(printer.copies(), 1);
  printer.setCopies(3);
  pdf(QStringLiteral("copies.pdf"));
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  EXPECT_EQ(printer.printer()->copyCount(), 3);
  EXPECT_EQ(printer.printer()->docName(), printer.documentName());
  printer.EndPrintJob();
}

TEST_F(PrinterObjectTest, StatusDialogShowsTheJobAndItsButtonAbortsIt) {
  const QString file = pdf(QStringLiteral("status.pdf"));
  printer.setDocumentName(QStringLiteral("Album"));
  ASSERT_TRUE(
      printer.StartPrintJob({.showStatusDialog = true, .paperWidth = 2100, .paperHeight = 2970}));
  PrintStatusDialog* status = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<PrintStatusDialog*>(w); d && d->isVisible()) status = d;
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->windowTitle(), QStringLiteral("正在进行打印，请稍候 ......"));
  EXPECT_EQ(status->findChild<QLabel*>(QStringLiteral("标签_打印作业名"))->text(),
            QStringLiteral("Album"));
  EXPECT_EQ(status->findChild<QLabel*>(QStringLiteral("标签_打印目的"))->text(),
            QStringLiteral("PDF 上的 ") + file);
  printer.NewPage();
  EXPECT_EQ(status->findChild<QLabel*>(QStringLiteral("标签_当前页号"))->text(),
            QStringLiteral("2"));

  auto* abort = status->findChild<QPushButton*>(QStringLiteral("按钮_中止打印"));
  ASSERT_NE(abort, nullptr);
  EXPECT_EQ(abort->text(), QStringLiteral("中止打印"));
  abort->click();
  printer.WriteTextAt(0, 0,
                      QStringLiteral("after the abort"));  // events run first: the job ends here
  EXPECT_FALSE(printer.isJobRunning());
  EXPECT_TRUE(printer.wasAborted());
  EXPECT_FALSE(printer.NewPage());
  EXPECT_FALSE(printer.EndPrintJob());
  // the next job starts afresh
  pdf(QStringLiteral("after.pdf"));
  EXPECT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  EXPECT_TRUE(printer.EndPrintJob());
}

TEST_F(PrinterObjectTest, PendingEventsRunBeforeDrawing) {
  pdf(QStringLiteral("events.pdf"));
  ASSERT_TRUE(printer.StartPrintJob({.paperWidth = 2100, .paperHeight = 2970}));
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  printer.WriteTextAt(0, 0, QStringLiteral("x"));
  EXPECT_TRUE(ran);
  printer.EndPrintJob();
}
