#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "PrintTestPictures.h"
#include "TestPictures.h"
#include "print/CellPicture.h"
#include "render/CxImage.h"
#include "render/PictureRegistry.h"

namespace {

class CellPictureTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    // about 4000 × 3000 of noise: several MB as JPEG, far above every level's size
    bigJpeg_ = dir_->filePath("camera.jpg");
    ASSERT_TRUE(printtest::writePhoto(bigJpeg_, printtest::noisyPhoto(4000, 3000)));
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  QSize loadedSize(const QString& file, int level, int width, int height) {
    return printtest::sizeAndUnload(pictures,
                                    LoadCellPicture(pictures, image, file, level, width, height));
  }

  static QTemporaryDir* dir_;
  static QString bigJpeg_;
  PictureRegistry pictures;
  CxImage image;
};

QTemporaryDir* CellPictureTest::dir_ = nullptr;
QString CellPictureTest::bigJpeg_;

TEST_F(CellPictureTest, LargeJpegIsShrunkToTwoPixelsPerUnitAtLevelOne) {
  EXPECT_EQ(loadedSize(bigJpeg_, 1, 500, 400), QSize(1066, 800));
}

TEST_F(CellPictureTest, LevelFiveKeepsThreePixelsPerUnit) {
  EXPECT_EQ(loadedSize(bigJpeg_, 5, 500, 400), QSize(1600, 1200));
}

TEST_F(CellPictureTest, LevelZeroLoadsAsIsAndNeverTouchesTheImageObject) {
  ASSERT_TRUE(image.Decode(testpictures::encode(testpictures::twoHalves(7, 5), ".png"), 4));
  EXPECT_EQ(loadedSize(bigJpeg_, 0, 500, 400), QSize(4000, 3000));
  EXPECT_EQ(image.Width(), 7);
  EXPECT_EQ(image.Height(), 5);
}

TEST_F(CellPictureTest, FileBelowTheLevelsSizeIsLoadedUnchanged) {
  const QString small = dir_->filePath("small.jpg");
  ASSERT_TRUE(testpictures::write(small, testpictures::twoHalves(1200, 900)));
  ASSERT_LT(QFileInfo(small).size(), 56320);
  // far more pixels than the 100 × 100 target, but too small a file to bother
  EXPECT_EQ(loadedSize(small, 1, 100, 100), QSize(1200, 900));
}

TEST_F(CellPictureTest, PhotoWithFewPixelsPerUnitIsReencodedAtItsSize) {
  EXPECT_EQ(loadedSize(bigJpeg_, 3, 2000, 1500), QSize(4000, 3000));
}

TEST_F(CellPictureTest, BmpOfAnySizeIsLoadedUnchanged) {
  const QString bmp = dir_->filePath("big.bmp");
  ASSERT_TRUE(testpictures::write(bmp, testpictures::twoHalves(1600, 1200)));
  EXPECT_EQ(loadedSize(bmp, 1, 50, 40), QSize(1600, 1200));
}

TEST_F(CellPictureTest, JpegNamedDotJpegIsStillShrunkAndDrawable) {
  const QString jpeg = dir_->filePath("camera.jpeg");
  ASSERT_TRUE(QFile::copy(bigJpeg_, jpeg));
  EXPECT_EQ(loadedSize(jpeg, 1, 500, 400), QSize(1066, 800));
}

TEST_F(CellPictureTest, MissingOrBrokenFilesGiveNoPicture) {
  EXPECT_EQ(LoadCellPicture(pictures, image, dir_->filePath("none.jpg"), 3, 372, 510), 0);
  const QString broken = dir_->filePath("broken.jpg");
  QByteArray bytes = testpictures::readFile(bigJpeg_);
  bytes.truncate(bytes.size() / 3);
  ASSERT_TRUE(testpictures::writeFile(broken, bytes));
  EXPECT_EQ(LoadCellPicture(pictures, image, broken, 3, 372, 510), 0);
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(CellPictureTest, TurnedPhotoIsReducedInItsUprightShape) {
  // stored 2000 × 1500 with the EXIF orientation "turn right": upright 1500 × 2000,
  // s = 1500 / 100 = 15, so 200 × 266 at two pixels per unit
  const QString turned = dir_->filePath("turned.jpg");
  ASSERT_TRUE(testpictures::writeFile(
      turned, testpictures::encode(printtest::noisyPhoto(2000, 1500), ".jpg", 6)));
  EXPECT_EQ(loadedSize(turned, 1, 100, 100), QSize(200, 266));
}

TEST_F(CellPictureTest, EveryKindIsReducedLikeAJpegAndUpright) {
  // stored 400 × 300 turned right: upright 300 × 400, s = 300 / 30 = 10, so 60 × 80
  const QImage photo = printtest::noisyPhoto(400, 300);
  for (const char* kind : {".jpg", ".png", ".tif", ".webp", ".heic", ".avif"}) {
    SCOPED_TRACE(kind);
    const QString path = dir_->filePath(QStringLiteral("big") + QLatin1String(kind));
    ASSERT_TRUE(testpictures::writeFile(path, testpictures::encode(photo, kind, 6)));
    ASSERT_GT(QFileInfo(path).size(), 56320);  // above level 1's size: the reducing path
    EXPECT_EQ(loadedSize(path, 1, 30, 40), QSize(60, 80));
    EXPECT_EQ(loadedSize(path, 0, 30, 40), QSize(300, 400));
  }
}

TEST_F(CellPictureTest, CellOfNoAreaLoadsNothing) {
  EXPECT_EQ(LoadCellPicture(pictures, image, bigJpeg_, 3, 0, 510), 0);
}

}  // namespace
