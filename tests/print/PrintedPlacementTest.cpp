#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "CupsPdfQueue.h"
#include "PageLoopRig.h"
#include "TestPictures.h"
#include "print/PageLoops.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

namespace {

// Page 1 of a PDF at 254 dpi: one pixel is 0.1 mm of paper.
QImage firstPageAt254Dpi(const QString& pdf) {
  const QString base = pdf + QStringLiteral("-page1");
  QProcess::execute(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-f"),
                     QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                     QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, base});
  return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool isRed(QRgb p) {
  return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90;
}

// The bounding boxes of the red patches of the page, top to bottom, left to right.
std::vector<QRect> redPatches(const QImage& page) {
  std::vector<QRect> patches;
  std::vector<bool> seen(static_cast<size_t>(page.width()) * page.height());
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const size_t at = static_cast<size_t>(y) * page.width() + x;
      if (seen[at] || !isRed(page.pixel(x, y))) continue;
      QRect box;
      std::vector<QPoint> todo{{x, y}};
      seen[at] = true;
      while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        box |= QRect(p, QSize(1, 1));
        for (const QPoint n : {QPoint(p.x() + 1, p.y()), QPoint(p.x() - 1, p.y()),
                               QPoint(p.x(), p.y() + 1), QPoint(p.x(), p.y() - 1)}) {
          if (!page.rect().contains(n)) continue;
          const size_t i = static_cast<size_t>(n.y()) * page.width() + n.x();
          if (!seen[i] && isRed(page.pixel(n))) {
            seen[i] = true;
            todo.push_back(n);
          }
        }
      }
      if (box.width() > 20 && box.height() > 20) patches.push_back(box);
    }
  return patches;
}

bool near(const QRect& a, const QRect& b) {
  return std::abs(a.left() - b.left()) <= 2 && std::abs(a.top() - b.top()) <= 2 &&
         std::abs(a.right() - b.right()) <= 2 && std::abs(a.bottom() - b.bottom()) <= 2;
}

std::string describe(const std::vector<QRect>& rects) {
  std::string text;
  for (const QRect& r : rects)
    text += QStringLiteral("(%1,%2 %3×%4) ")
                .arg(r.left())
                .arg(r.top())
                .arg(r.width())
                .arg(r.height())
                .toStdString();
  return text;
}

// A 2 × 2 album page of red photos, each filling the top 80 % of its cell, printed
// through a real CUPS-PDF queue.
class PrintedPlacementTest : public ::testing::Test, protected printtest::PageLoopRig {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    PrintSettings& s = session.printSettings;
    s = PrintSettings::builtInDefaults();  // A4, margins 5 / 20 / 15 / 18 mm
    s.rows = 2;
    s.columns = 2;
    s.rowSpacing = 100;
    s.columnSpacing = 100;
    s.photoFit = 1;
    s.photoArea = {0.0f, 0.0f, 1.0f, 0.8f};
    s.textArea = {0.0f, 0.8f, 1.0f, 0.2f};
    s.optimiseLevel = 0;
    services.setDefaultPrinter = {};
    const QString photo = dir.filePath(QStringLiteral("red.bmp"));
    ASSERT_TRUE(testpictures::write(photo, testpictures::twoHalves(300, 200, Qt::red, Qt::red)));
    job.pictures = QStringList(4, photo);
  }

  // Prints on the queue and returns page 1 of what came out.
  QImage printedPage(const CupsPdfQueue& queue) {
    session.printSettings.printerName = queue.name();
    for (const QFileInfo& old : QDir(queue.outputFolder()).entryInfoList({"*.pdf"}, QDir::Files))
      QFile::remove(old.filePath());
    const PageRunResult result =
        PrintPagesToPrinter(services, PrinterArgsFor(job, session.printSettings));
    EXPECT_TRUE(result.succeeded()) << result.printerError.toStdString();
    const QString pdf = queue.waitForPdf(result.documentName.section(QLatin1Char('_'), 0, 0));
    EXPECT_FALSE(pdf.isEmpty()) << "no PDF in " << queue.outputFolder().toStdString();
    return pdf.isEmpty() ? QImage() : firstPageAt254Dpi(pdf);
  }

  // Where the margins and the cell grid put the four photos, shifted by the printer's
  // unprintable strip on the left and at the top (0.1 mm = 1 px).
  static std::vector<QRect> expectedPhotos(int stripLeft, int stripTop) {
    // usable 1900 × 2590; cells (1900 − 100) / 2 = 900 wide, (2590 − 100) / 2 = 1245 high
    std::vector<QRect> photos;
    for (int row = 0; row < 2; ++row)
      for (int column = 0; column < 2; ++column)
        photos.emplace_back(stripLeft + 50 + column * 1000, stripTop + 200 + row * 1345, 900, 996);
    return photos;
  }

  void expectPhotosAt(const QImage& page, const std::vector<QRect>& expected) {
    ASSERT_NEAR(page.width(), 2100, 2);
    ASSERT_NEAR(page.height(), 2970, 2);
    const std::vector<QRect> found = redPatches(page);
    ASSERT_EQ(found.size(), expected.size()) << describe(found);
    EXPECT_TRUE(std::equal(found.begin(), found.end(), expected.begin(), near))
        << "found " << describe(found) << "\nexpected " << describe(expected);
  }

  PrintJob job;
};

TEST_F(PrintedPlacementTest, PhotosLandWhereTheMarginsPutThemOnAFullPageQueue) {
  CupsPdfQueue queue(QStringLiteral("QuillmerePlacementPDF"));
  REQUIRE_CUPS_PDF_QUEUE(queue);
  expectPhotosAt(printedPage(queue), expectedPhotos(0, 0));
}

TEST_F(PrintedPlacementTest, AnUnprintableStripShiftsThePhotosByItsWidth) {
  // 18 pt left, 27 pt top: 63.5 and 95.25 tenths of a millimetre
  CupsPdfQueue queue(QStringLiteral("QuillmereStripPDF"), QMarginsF(18, 27, 9, 36));
  REQUIRE_CUPS_PDF_QUEUE(queue);
  expectPhotosAt(printedPage(queue), expectedPhotos(64, 95));
}

}  // namespace
