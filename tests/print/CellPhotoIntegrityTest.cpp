#include <gtest/gtest.h>

#include <QColor>
#include <QRandomGenerator>
#include <QStringList>
#include <cstdlib>

#include "PrintedPages.h"
#include "TestPictures.h"

using printtest::Output;
using printtest::PrintedPagesRig;

namespace {

// Nine colours each at least 90 apart from every other in one channel, none near the
// white of an empty cell.
const QColor kColours[9] = {{210, 40, 40},  {230, 140, 30}, {220, 220, 50},
                            {40, 170, 60},  {40, 190, 200}, {40, 60, 200},
                            {130, 50, 160}, {220, 60, 190}, {60, 60, 60}};

// A 1600 × 1200 photo of one colour with a little noise, so its JPEG is well above
// the lightest reduction's 56 KiB and its cells are decoded at reduced sizes.
QImage tintedPhoto(const QColor& colour, quint32 seed) {
  QImage photo(1600, 1200, QImage::Format_RGB32);
  QRandomGenerator random(seed);
  for (int y = 0; y < photo.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
    for (int x = 0; x < photo.width(); ++x) {
      const int noise = random.bounded(-8, 9);
      line[x] = qRgb(colour.red() + noise, colour.green() + noise, colour.blue() + noise);
    }
  }
  return photo;
}

// Whether every pixel of the cell is near the colour: a cell showing another photo,
// or torn between two, has pixels that are not.
bool allOfColour(const QImage& page, const QRect& cell, const QColor& colour) {
  for (int y = cell.top(); y <= cell.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    for (int x = cell.left(); x <= cell.right(); ++x) {
      if (std::abs(qRed(line[x]) - colour.red()) > 40 ||
          std::abs(qGreen(line[x]) - colour.green()) > 40 ||
          std::abs(qBlue(line[x]) - colour.blue()) > 40)
        return false;
    }
  }
  return true;
}

class CellPhotoIntegrityTest : public ::testing::Test, protected PrintedPagesRig {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    for (int i = 0; i < 9; ++i) {
      photos.append(dir.filePath(QStringLiteral("photo%1.jpg").arg(i)));
      ASSERT_TRUE(testpictures::write(photos.last(), tintedPhoto(kColours[i], i + 1)));
    }
  }

  QStringList photos;
};

// At level 1 a page of 3 × 3 cells of 400 × 300, 200 × 150 or 100 × 75 pixels has
// every 1600 × 1200 photo decoded at exactly 1/2, 1/4 or 1/8 of its size, the sizes at
// which a picture could once share its worker's decode buffer with the next photo.
TEST_F(CellPhotoIntegrityTest, EveryCellShowsItsOwnPhotoInEveryOutput) {
  constexpr int kPages = 3;
  QStringList wrong;
  for (Output output : {Output::PageFiles, Output::Pdf, Output::Preview}) {
    const int rounds = output == Output::Preview ? 6 : 2;
    for (int round = 0; round < rounds; ++round) {
      for (int eighths : {4, 2, 1}) {
        const QSize pixels(1200 * eighths / 4, 900 * eighths / 4);
        // every page holds the nine photos in another order
        PrintJob job;
        QList<int> colourOf;
        for (int page = 0; page < kPages; ++page) {
          const int step = QList<int>{1, 2, 4, 5, 7, 8}[(page + round) % 6];
          for (int i = 0; i < 9; ++i) colourOf.append((i * step + page + round) % 9);
        }
        for (int c : colourOf) job.pictures.append(photos[c]);
        const QList<QImage> pages = print(output, job, pixels, 3, 3, 1);
        const int expectedPages = output == Output::Preview ? 1 : kPages;
        if (pages.size() != expectedPages) {
          wrong.append(QStringLiteral("%1: %2 pages").arg(outputName(output)).arg(pages.size()));
          continue;
        }
        for (int p = 0; p < pages.size(); ++p) {
          for (int cell = 0; cell < 9; ++cell) {
            const QRect rect = cellRect(pixels, 3, 3, cell / 3, cell % 3);
            // a PDF page is a whole number of points, a little larger than its cells
            if (!pages[p].rect().contains(rect) ||
                !allOfColour(pages[p], rect, kColours[colourOf[p * 9 + cell]]))
              wrong.append(QStringLiteral("%1, cells of %2 × %3, round %4, page %5, cell %6")
                               .arg(outputName(output))
                               .arg(pixels.width() / 3)
                               .arg(pixels.height() / 3)
                               .arg(round)
                               .arg(p + 1)
                               .arg(cell));
          }
        }
      }
    }
  }
  EXPECT_EQ(wrong.join('\n').toStdString(), "");
}

}  // namespace
