#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "PrintTestPictures.h"
#include "TestPictures.h"
#include "print/CellPicture.h"
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

  QSize loadedSize(const QString& file, int level, int width, int height,
                   CellPictureUse use = CellPictureUse::Print) {
    return printtest::sizeAndUnload(pictures,
                                    LoadCellPicture(pictures, file, level, width, height, use));
  }

  static QTemporaryDir* dir_;
  static QString bigJpeg_;
  PictureRegistry pictures;
};

QTemporaryDir* CellPictureTest::dir_ = nullptr;
QString CellPictureTest::bigJpeg_;

TEST_F(CellPictureTest, LargeJpegIsShrunkToTwoPixelsPerUnitAtLevelOne) {
  EXPECT_EQ(loadedSize(bigJpeg_, 1, 500, 400), QSize(1066, 800));
}

TEST_F(CellPictureTest, LevelFiveKeepsThreePixelsPerUnit) {
  EXPECT_EQ(loadedSize(bigJpeg_, 5, 500, 400), QSize(1600, 1200));
}

TEST_F(CellPictureTest, LevelZeroLoadsAsIs) {
  EXPECT_EQ(loadedSize(bigJpeg_, 0, 500, 400), QSize(4000, 3000));
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
  EXPECT_EQ(LoadCellPicture(pictures, dir_->filePath("none.jpg"), 3, 372, 510), 0);
  const QString broken = dir_->filePath("broken.jpg");
  QByteArray bytes = testpictures::readFile(bigJpeg_);
  bytes.truncate(bytes.size() / 3);
  ASSERT_TRUE(testpictures::writeFile(broken, bytes));
  EXPECT_EQ(LoadCellPicture(pictures, broken, 3, 372, 510), 0);
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(CellPictureTest, JpegWithStrayBytesIsStillShrunk) {
  // the fast decoder refuses data it warns about; libvips reads it at the shrunk size
  const QString stray = dir_->filePath("stray.jpg");
  QByteArray bytes = testpictures::readFile(bigJpeg_);
  bytes.insert(2, "\x12\x34\x56", 3);
  ASSERT_TRUE(testpictures::writeFile(stray, bytes));
  EXPECT_EQ(loadedSize(stray, 1, 500, 400), QSize(1066, 800));
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
    EXPECT_EQ(loadedSize(path, 1, 30, 40, CellPictureUse::Preview), QSize(60, 80));
    EXPECT_EQ(loadedSize(path, 0, 30, 40), QSize(300, 400));
  }
}

TEST_F(CellPictureTest, CellOfNoAreaLoadsNothing) {
  EXPECT_EQ(LoadCellPicture(pictures, bigJpeg_, 3, 0, 510), 0);
}

}  // namespace

class CellThumbnailTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { dir_ = new QTemporaryDir; }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static QString photo(const QString& name, int orientation, const QImage& thumbnail) {
    const QString path = dir_->filePath(name);
    EXPECT_TRUE(printtest::writeCameraPhoto(path, 2000, 1500, orientation, thumbnail));
    return path;
  }

  // The loaded picture, then unloaded; null when nothing was loaded.
  QImage loaded(const QString& file, int width, int height, CellPictureUse use) {
    const PictureHandle handle = LoadCellPicture(pictures, file, 1, width, height, use);
    const QImage* picture = pictures.picture(handle);
    const QImage copy = picture ? *picture : QImage();
    pictures.UnloadPicture(handle);
    return copy;
  }

  static QImage thumbnail(int width, int height) {
    return testpictures::twoHalves(width, height, Qt::green, Qt::cyan);
  }
  static bool fromThumbnail(const QImage& picture) {
    return qGreen(picture.pixel(picture.width() / 2, picture.height() / 2)) > 128;
  }

  static QTemporaryDir* dir_;
  PictureRegistry pictures;
};

QTemporaryDir* CellThumbnailTest::dir_ = nullptr;

TEST_F(CellThumbnailTest, ThumbnailStandsInOnlyWhereItCoversTheCell) {
  struct Case {
    QString file;
    QSize cell;
    bool fromThumbnail;
  };
  // The thumbnail's offset (file bytes 60..63) pointing far away, and its length
  // (72..75) cutting it short.
  const QByteArray whole = testpictures::readFile(photo("whole.jpg", 1, thumbnail(160, 120)));
  QByteArray wildOffset = whole;
  wildOffset[63] = '\x7F';
  QByteArray cutShort = whole;
  cutShort[72] = '\x40';
  cutShort[73] = '\0';
  ASSERT_TRUE(testpictures::writeFile(dir_->filePath("offset.jpg"), wildOffset));
  ASSERT_TRUE(testpictures::writeFile(dir_->filePath("length.jpg"), cutShort));
  const QString camera = photo("camera.jpg", 1, thumbnail(160, 120));
  const Case cases[] = {
      {camera, {60, 45}, true},
      {camera, {200, 150}, false},  // the thumbnail is smaller than the cell
      {photo("none.jpg", 1, QImage()), {60, 45}, false},
      {photo("squeezed.jpg", 1, thumbnail(160, 90)), {60, 45}, false},
      {dir_->filePath("offset.jpg"), {60, 45}, false},
      {dir_->filePath("length.jpg"), {60, 45}, false},
  };
  for (const Case& c : cases) {
    const QImage full = loaded(c.file, c.cell.width(), c.cell.height(), CellPictureUse::Print);
    const QImage shown = loaded(c.file, c.cell.width(), c.cell.height(), CellPictureUse::Preview);
    ASSERT_FALSE(full.isNull()) << qPrintable(c.file);
    ASSERT_FALSE(shown.isNull()) << qPrintable(c.file);
    // the same size either way, so the cell places it the same
    EXPECT_EQ(shown.size(), full.size()) << qPrintable(c.file);
    EXPECT_EQ(fromThumbnail(shown), c.fromThumbnail) << qPrintable(c.file);
    EXPECT_FALSE(fromThumbnail(full)) << qPrintable(c.file);
  }
}

TEST_F(CellThumbnailTest, TurnedPhotosAreUprightThroughEitherPath) {
  // stored left half on top after a right turn (6), at the bottom after a left turn (8)
  for (int orientation : {6, 8}) {
    const QString file =
        photo(QStringLiteral("turned%1.jpg").arg(orientation), orientation, thumbnail(160, 120));
    for (CellPictureUse use : {CellPictureUse::Print, CellPictureUse::Preview}) {
      const QImage shown = loaded(file, 45, 60, use);
      ASSERT_EQ(shown.size(), QSize(90, 120)) << orientation;
      EXPECT_EQ(fromThumbnail(shown), use == CellPictureUse::Preview);
      const bool leftOnTop = qBlue(shown.pixel(45, 10)) < 128;
      const bool leftAtBottom = qBlue(shown.pixel(45, 110)) < 128;
      EXPECT_EQ(leftOnTop, orientation == 6) << orientation;
      EXPECT_EQ(leftAtBottom, orientation == 8) << orientation;
    }
  }
}

TEST_F(CellThumbnailTest, ProgressivePhotoIsPreviewedFromItsFirstScans) {
  const QString file = dir_->filePath("progressive.jpg");
  ASSERT_TRUE(printtest::writeCameraPhoto(file, 2000, 1500, 6, QImage(), true));
  const QImage full = loaded(file, 45, 60, CellPictureUse::Print);
  const QImage shown = loaded(file, 45, 60, CellPictureUse::Preview);
  ASSERT_EQ(full.size(), QSize(90, 120));
  ASSERT_EQ(shown.size(), full.size());
  // the same picture but for resampling: upright, colours in place
  qint64 difference = 0;
  for (int y = 0; y < full.height(); ++y)
    for (int x = 0; x < full.width(); ++x) {
      const QRgb a = full.pixel(x, y);
      const QRgb b = shown.pixel(x, y);
      difference +=
          qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
    }
  EXPECT_LT(difference / (3 * full.width() * full.height()), 12);
  EXPECT_LT(qBlue(shown.pixel(45, 10)), 128);  // the stored left half is on top
}

TEST_F(CellThumbnailTest, CutOffPhotoIsRefusedOnEveryPath) {
  // its header, thumbnail and first scans are whole, its end is missing
  for (bool progressive : {false, true}) {
    const QString file = dir_->filePath("cut.jpg");
    ASSERT_TRUE(printtest::writeCameraPhoto(file, 2000, 1500, 1, thumbnail(160, 120), progressive));
    QByteArray bytes = testpictures::readFile(file);
    bytes.chop(bytes.size() / 3);
    ASSERT_TRUE(testpictures::writeFile(file, bytes));
    for (CellPictureUse use : {CellPictureUse::Print, CellPictureUse::Preview})
      EXPECT_TRUE(loaded(file, 60, 45, use).isNull()) << progressive;
  }
}

TEST_F(CellThumbnailTest, HugeClaimedSizeIsRefusedOnEveryPath) {
  // large enough a file to be shrunk on load, where the limit once went unchecked, and
  // with a thumbnail that would cover the cell
  const QByteArray photo = testpictures::withClaimedJpegSize(
      testpictures::encode(printtest::noisyPhoto(2000, 1500), ".jpg"), 60000, 60000);
  const QString bomb = dir_->filePath("bomb.jpg");
  ASSERT_TRUE(testpictures::writeFile(
      bomb,
      testpictures::withApp1(
          photo, testpictures::exifBlock(1, testpictures::encode(thumbnail(160, 120), ".jpg")))));
  for (CellPictureUse use : {CellPictureUse::Print, CellPictureUse::Preview})
    for (int level : {1, 3}) EXPECT_EQ(LoadCellPicture(pictures, bomb, level, 37, 51, use), 0);
}
