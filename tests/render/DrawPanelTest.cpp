#include <gtest/gtest.h>

#include <QImage>

#include "TestPictures.h"
#include "render/DrawPanel.h"
#include "render/TextLines.h"

using namespace testpictures;

namespace {

// Rows of the image that hold any dark pixel.
QList<int> inkedRows(const QImage& image) {
  QList<int> rows;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) {
        rows.append(y);
        break;
      }
    }
  }
  return rows;
}

// The top rows of the runs of consecutive inked rows.
QList<int> lineTops(const QImage& image) {
  QList<int> tops;
  int previous = -2;
  for (int y : inkedRows(image)) {
    if (y != previous + 1) tops.append(y);
    previous = y;
  }
  return tops;
}

}  // namespace

TEST(TextLines, CutAtEveryKindOfLineEnd) {
  EXPECT_EQ(splitTextLines(QStringLiteral("a\r\nb\rc\nd")), (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(splitTextLines(QStringLiteral("a\n\rb")),
            (QStringList{"a", "", "b"}));  // LF CR is two breaks
  EXPECT_EQ(splitTextLines(QString()), (QStringList{""}));
}

TEST(TextLines, EmptyPieceAdvancesByTheHeightOfW) {
  const TextLayout layout = layoutTextLines(QStringLiteral("a\r\n\r\nb"), 20, 17, 2);
  ASSERT_EQ(layout.pieces.size(), 2);
  EXPECT_EQ(layout.pieces[0].offsetY, 0);
  EXPECT_EQ(layout.pieces[1].offsetY, 20 + 2 + 17);
  EXPECT_EQ(layout.advance, 20 + 2 + 17 + 20 + 2);
}

class DrawPanelTest : public ::testing::Test {
protected:
  DrawPanelTest() : panel(registry) {}

  PictureRegistry registry;
  DrawPanel panel;
};

TEST_F(DrawPanelTest, HiddenPageSizedPanelKeepsWhatIsDrawn) {
  panel.moveResize(0, 0, 2100, 2970);
  ASSERT_FALSE(panel.isVisible());
  panel.WriteTextAt(100, 2900, QStringLiteral("Footer"));
  const QImage page = panel.backImage();
  ASSERT_EQ(page.size(), QSize(2100, 2970));
  EXPECT_FALSE(inkedRows(page.copy(0, 2880, 400, 90)).isEmpty());
  EXPECT_EQ(page.pixel(1000, 1000), qRgb(255, 255, 255));

  const QImage snapshot = QImage::fromData(panel.SnapshotPanel(), "BMP");
  ASSERT_EQ(snapshot.size(), QSize(2100, 2970));
  EXPECT_EQ(snapshot.pixel(150, 2930), page.pixel(150, 2930));

  panel.ClearPanel();
  EXPECT_TRUE(inkedRows(panel.backImage()).isEmpty());
}

TEST_F(DrawPanelTest, PlainResizeOfAHiddenPanelIsFollowedToo) {
  panel.resize(300, 200);
  panel.WriteTextAt(10, 150, QStringLiteral("x"));
  EXPECT_EQ(panel.backImage().size(), QSize(300, 200));
  EXPECT_FALSE(inkedRows(panel.backImage()).isEmpty());
}

TEST_F(DrawPanelTest, BlankLineBetweenTwoLinesIsAsHighAsW) {
  panel.moveResize(0, 0, 200, 200);
  const int h = panel.TextHeight(QStringLiteral("W"));
  ASSERT_GT(h, 5);
  panel.WriteTextAt(10, 10, QStringLiteral("a\r\n\r\na"));
  const QList<int> tops = lineTops(panel.backImage());
  ASSERT_EQ(tops.size(), 2);
  EXPECT_EQ(tops[1] - tops[0], h + 2 + h);
}

TEST_F(DrawPanelTest, TextMeasuresFollowTheUnitAndTheFont) {
  FontDescription font = FontDescription::song9();
  panel.setFont(font);
  const int width9 = panel.TextWidth(QStringLiteral("大大大大"));
  const int height9 = panel.TextHeight(QStringLiteral("大"));
  EXPECT_NEAR(width9, 4 * 12, 2);  // 9 points are 12 pixels at 96 dpi
  font.size = 18;
  panel.setFont(font);
  EXPECT_NEAR(panel.TextWidth(QStringLiteral("大大大大")), 2 * width9, 2);
  panel.setUnit(1);  // 0.1 mm: 96 pixels are 254 units
  font.size = 9;
  panel.setFont(font);
  EXPECT_NEAR(panel.TextHeight(QStringLiteral("大")), height9 * 254 / 96, 1);
  EXPECT_EQ(panel.TextHeight(QStringLiteral("a\r\nb")), panel.TextHeight(QStringLiteral("a")));
  panel.setUnit(9);
  EXPECT_EQ(panel.unit(), 5);
}

// Text is measured by its character cell, the 12 pixels a 9-point font is made with,
// not the taller line box of the CJK fonts: two caption lines drawn at the top of a band
// sized for two lines (2 × height + 3) keep all their ink inside it.
TEST_F(DrawPanelTest, TextHeightIsTheCharacterCellAndLinesFitTheirBand) {
  panel.moveResize(0, 0, 100, 100);
  panel.setFont(FontDescription::song9());
  const int height = panel.TextHeight(QStringLiteral("大"));
  EXPECT_EQ(height, 12);
  panel.WriteTextAt(10, 20, QStringLiteral("大\r\n大"));
  const QList<int> rows = inkedRows(panel.backImage());
  ASSERT_FALSE(rows.isEmpty());
  EXPECT_GE(rows.first(), 20);
  EXPECT_LT(rows.last(), 20 + 2 * height + 3);
  EXPECT_EQ(lineTops(panel.backImage()).size(), 2);
}

TEST_F(DrawPanelTest, WriteAndWriteLineMoveTheWritePosition) {
  panel.moveResize(0, 0, 300, 200);
  const int h = panel.TextHeight(QStringLiteral("W"));
  panel.setWritePosition(20, 10);
  panel.Write(QStringLiteral("ab"));
  EXPECT_EQ(panel.writePosition(), QPoint(20 + panel.TextWidth(QStringLiteral("ab")), 10));
  panel.WriteLine(QStringLiteral("c"));
  EXPECT_EQ(panel.writePosition(), QPoint(20, 10 + h + 2));
  panel.WriteLine();
  EXPECT_EQ(panel.writePosition(), QPoint(20, 10 + 2 * (h + 2)));
  panel.ClearPanel();
  EXPECT_EQ(panel.writePosition(), QPoint(0, 0));
}

TEST_F(DrawPanelTest, DrawPictureStretchesAndNaturalSizeWhenOmitted) {
  panel.moveResize(0, 0, 200, 100);
  const PictureHandle handle = registry.LoadPicture(encode(twoHalves(20, 10), ".bmp"));
  ASSERT_NE(handle, 0);
  EXPECT_EQ(panel.PictureWidth(handle), 20);
  EXPECT_EQ(panel.PictureHeight(handle), 10);
  panel.DrawPicture(handle, 100, 0, 100, 100);
  QImage page = panel.backImage();
  EXPECT_EQ(page.pixel(110, 50), qRgb(255, 0, 0));
  EXPECT_EQ(page.pixel(190, 90), qRgb(0, 0, 255));
  panel.DrawPicture(handle, 0, 0);
  page = panel.backImage();
  EXPECT_EQ(page.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(page.pixel(15, 5), qRgb(0, 0, 255));
  EXPECT_EQ(page.pixel(25, 5), qRgb(255, 255, 255));

  panel.ClearPanel();
  registry.UnloadPicture(handle);
  panel.DrawPicture(handle, 0, 0, 200, 100);  // a stale handle draws nothing
  EXPECT_EQ(panel.backImage().pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(panel.PictureWidth(handle), 0);
  EXPECT_EQ(panel.PictureHeight(0), 0);
}

TEST_F(DrawPanelTest, BackgroundModes) {
  panel.moveResize(0, 0, 100, 100);
  panel.setBackgroundPicture(encode(twoHalves(40, 20), ".jpg"));
  ASSERT_TRUE(panel.hasBackgroundPicture());
  panel.setBackgroundPlacement(BackgroundPlacement::TopLeft);
  QImage shown = panel.backImage();
  EXPECT_GT(qRed(shown.pixel(5, 5)), 200);
  EXPECT_EQ(shown.pixel(50, 50), qRgb(255, 255, 255));

  panel.setBackgroundPlacement(BackgroundPlacement::Centred);  // never enlarged
  shown = panel.backImage();
  EXPECT_EQ(shown.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_GT(qRed(shown.pixel(35, 50)), 200);
  EXPECT_GT(qBlue(shown.pixel(65, 50)), 200);
  EXPECT_EQ(shown.pixel(50, 35), qRgb(255, 255, 255));

  panel.setBackgroundPicture(encode(twoHalves(400, 100), ".jpg"));  // shrunk to 100 × 25, centred
  shown = panel.backImage();
  EXPECT_GT(qRed(shown.pixel(2, 50)), 200);
  EXPECT_GT(qBlue(shown.pixel(97, 50)), 200);
  EXPECT_EQ(shown.pixel(50, 30), qRgb(255, 255, 255));

  panel.WriteTextAt(0, 0, QStringLiteral("W"));  // drawing lies over the background
  panel.ClearPanel();
  EXPECT_GT(qRed(panel.backImage().pixel(2, 50)), 200);  // clearing keeps the background picture

  panel.setBackgroundPicture({});
  EXPECT_FALSE(panel.hasBackgroundPicture());
  panel.setBackgroundPicture("not a picture");
  EXPECT_FALSE(panel.hasBackgroundPicture());
}

TEST_F(DrawPanelTest, BackgroundOfEveryKindIsShownUprightLikeAJpeg) {
  panel.moveResize(0, 0, 100, 100);
  panel.setBackgroundPlacement(BackgroundPlacement::Centred);
  for (const char* kind : {".png", ".tif", ".webp", ".heic", ".avif"}) {
    SCOPED_TRACE(kind);
    panel.setBackgroundPicture(encode(twoHalves(400, 200), kind, 6));
    ASSERT_TRUE(panel.hasBackgroundPicture());
    const QImage shown = panel.backImage();  // upright 200 × 400, shrunk to 50 × 100
    EXPECT_GT(qRed(shown.pixel(50, 20)), 200);
    EXPECT_GT(qBlue(shown.pixel(50, 80)), 200);
    EXPECT_EQ(shown.pixel(10, 50), qRgb(255, 255, 255));
  }
}

TEST_F(DrawPanelTest, LargeBackgroundIsShownUprightAndFollowsThePanelSize) {
  // stored 400 × 200, red left, "turn right": upright 200 × 400 with red on top
  panel.moveResize(0, 0, 100, 100);
  panel.setBackgroundPicture(encode(twoHalves(400, 200), ".jpg", 6));
  panel.setBackgroundPlacement(BackgroundPlacement::Centred);
  QImage shown = panel.backImage();  // shrunk to 50 × 100, centred
  EXPECT_GT(qRed(shown.pixel(50, 20)), 200);
  EXPECT_GT(qBlue(shown.pixel(50, 80)), 200);
  EXPECT_EQ(shown.pixel(10, 50), qRgb(255, 255, 255));
  EXPECT_EQ(shown.pixel(90, 50), qRgb(255, 255, 255));

  panel.moveResize(0, 0, 500, 500);  // larger than the picture: natural size, centred
  shown = panel.backImage();
  EXPECT_EQ(shown.pixel(100, 250), qRgb(255, 255, 255));
  EXPECT_GT(qRed(shown.pixel(250, 150)), 200);
  EXPECT_GT(qBlue(shown.pixel(250, 350)), 200);
  EXPECT_EQ(shown.pixel(250, 480), qRgb(255, 255, 255));

  panel.setBackgroundPlacement(BackgroundPlacement::TopLeft);
  shown = panel.backImage();
  EXPECT_GT(qRed(shown.pixel(100, 100)), 200);
  EXPECT_GT(qBlue(shown.pixel(100, 300)), 200);
  EXPECT_EQ(shown.pixel(300, 100), qRgb(255, 255, 255));
}

TEST_F(DrawPanelTest, BackgroundWithAReadableHeaderButBrokenDataDrawsNothing) {
  panel.moveResize(0, 0, 50, 50);
  QByteArray jpeg = encode(twoHalves(400, 200), ".jpg");
  jpeg.truncate(300);
  panel.setBackgroundPicture(jpeg);
  panel.setBackgroundPlacement(BackgroundPlacement::Centred);
  const QImage shown = panel.backImage();
  EXPECT_EQ(shown.size(), QSize(50, 50));
  panel.setBackgroundPicture("BM not really");
  EXPECT_FALSE(panel.hasBackgroundPicture());
}

TEST_F(DrawPanelTest, MoveResizeKeepsTheDrawingAndPlacesThePanel) {
  QWidget parent;
  DrawPanel child(registry, &parent);
  child.moveResize(24, 8, 120, 156);
  EXPECT_EQ(child.geometry(), QRect(24, 8, 120, 156));
  const PictureHandle handle = registry.LoadPicture(encode(twoHalves(20, 10), ".bmp"));
  child.DrawPicture(handle, 0, 0, 10, 10);
  child.moveResize(0, 0, 60, 40);
  EXPECT_EQ(child.backImage().size(), QSize(60, 40));
  EXPECT_EQ(child.backImage().pixel(2, 2), qRgb(255, 0, 0));
}
