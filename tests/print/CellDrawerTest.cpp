#include <gtest/gtest.h>

#include <QRect>

#include "RecordingSurface.h"
#include "TestPictures.h"
#include "model/PrintSettings.h"
#include "print/CellDrawer.h"
#include "render/PictureRegistry.h"

namespace {

class CellDrawerTest : public ::testing::Test {
protected:
  void SetUp() override {
    // photo area: the top 300 × 300 of a 300 × 400 cell; text band below it
    settings.photoArea = {0.0f, 0.0f, 1.0f, 0.75f};
    settings.textArea = {0.0f, 0.75f, 1.0f, 0.25f};
    settings.captionLines = 1;
    settings.captionAlign = CaptionAlign::Centre;
  }
  PictureHandle photo(int width, int height) {
    return pictures.LoadPicture(
        testpictures::encode(testpictures::twoHalves(width, height), ".jpg"));
  }

  PictureRegistry pictures;
  RecordingSurface surface{pictures};
  PrintSettings settings;
  const CellRect cell{814.0f, 720.0f, 300.0f, 400.0f};
};

TEST_F(CellDrawerTest, PhotoIsFittedFromTheCellOriginAndReleased) {
  const PictureHandle handle = photo(400, 300);
  ASSERT_NE(handle, 0);
  DrawCell(surface, pictures, settings, handle, cell, QString(), 0.0f, 0, true);
  ASSERT_EQ(surface.drawn.size(), 1);
  EXPECT_EQ(surface.drawn[0], QRect(814, 720 + 38, 300, 224));
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(CellDrawerTest, FitModesOnTheSurface) {
  const QList<std::pair<int, QRect>> expected{{1, QRect(814, 720, 300, 300)},
                                              {2, QRect(764, 720, 400, 300)},
                                              {3, QRect(814, 720, 300, 224)},
                                              {4, QRect(814, 720, 400, 300)},
                                              {9, QRect(814, 758, 300, 224)}};
  for (const auto& [mode, rect] : expected) {
    surface.drawn.clear();
    DrawCell(surface, pictures, settings, photo(400, 300), cell, QString(), 0.0f, mode, true);
    ASSERT_EQ(surface.drawn.size(), 1) << mode;
    EXPECT_EQ(surface.drawn[0], rect) << mode;
  }
}

TEST_F(CellDrawerTest, PreviewMeasuresPhotosAtElevenPointEightPixelsPerUnit) {
  // 4720 × 3540 pixels measure 400 × 300 units in the preview
  DrawCell(surface, pictures, settings, photo(4720, 3540), cell, QString(), 0.0f, 2, false);
  ASSERT_EQ(surface.drawn.size(), 1);
  EXPECT_EQ(surface.drawn[0], QRect(764, 720, 400, 300));
}

TEST_F(CellDrawerTest, MissingPhotoStillGetsItsCaption) {
  DrawCell(surface, pictures, settings, 0, cell, QStringLiteral("cap"), 0.0f, 0, true);
  EXPECT_TRUE(surface.drawn.isEmpty());
  ASSERT_EQ(surface.texts.size(), 1);
  EXPECT_EQ(surface.texts[0].text, "cap");
  EXPECT_EQ(surface.texts[0].x, 814 + 135);
  EXPECT_EQ(surface.texts[0].y, 720 + 300);
}

TEST_F(CellDrawerTest, CaptionLinesPerAlignment) {
  const QString caption = QStringLiteral("one\r\ntwo\r\nthree\r\nfour");
  settings.captionLines = 2;
  settings.captionAlign = CaptionAlign::Right;
  DrawCell(surface, pictures, settings, 0, cell, caption, 0.0f, 0, true);
  ASSERT_EQ(surface.texts.size(), 2);
  EXPECT_EQ(surface.texts[1].text, "two");
  EXPECT_EQ(surface.texts[1].y, 720 + 300 + 20);

  surface.texts.clear();
  settings.captionAlign = CaptionAlign::Left;
  DrawCell(surface, pictures, settings, 0, cell, caption, 0.0f, 0, true);
  ASSERT_EQ(surface.texts.size(), 1);
  EXPECT_EQ(surface.texts[0].text, caption);

  surface.texts.clear();
  settings.captionLines = 0;
  DrawCell(surface, pictures, settings, 0, cell, caption, 0.0f, 0, true);
  EXPECT_TRUE(surface.texts.isEmpty());
}

TEST_F(CellDrawerTest, CellOfNoAreaDrawsNothingButReleasesThePhoto) {
  const PictureHandle handle = photo(40, 30);
  DrawCell(surface, pictures, settings, handle, {10.0f, 10.0f, 0.0f, 400.0f}, "cap", 0.0f, 0, true);
  DrawCell(surface, pictures, settings, 0, {10.0f, 10.0f, 300.0f, -5.0f}, "cap", 0.0f, 4, true);
  EXPECT_TRUE(surface.drawn.isEmpty());
  EXPECT_TRUE(surface.texts.isEmpty());
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(CellDrawerTest, PhotoAreaOfNoSizeLeavesOnlyTheCaption) {
  settings.photoArea = {0.5f, 0.5f, 0.0f, 0.0f};
  DrawCell(surface, pictures, settings, photo(40, 30), cell, "cap", 0.0f, 4, true);
  EXPECT_TRUE(surface.drawn.isEmpty());
  EXPECT_EQ(surface.texts.size(), 1);
}

}  // namespace
