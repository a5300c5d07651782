#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestPictures.h"
#include "render/PictureRegistry.h"

using namespace testpictures;

class PictureRegistryTest : public ::testing::Test {
protected:
  QString path(const QString& name) const { return dir.filePath(name); }
  QString written(const QString& name, const QImage& image, int orientation = 0) {
    EXPECT_TRUE(write(path(name), image, orientation)) << name.toStdString();
    return path(name);
  }

  QTemporaryDir dir;
  PictureRegistry registry;
};

TEST_F(PictureRegistryTest, PngLoadsAsTheSamePictureAsJpegDoes) {
  const QImage picture = twoHalves(120, 80);
  for (const char* name : {"photo.png", "photo.jpg"}) {
    const PictureHandle handle = registry.LoadPicture(written(name, picture));
    ASSERT_NE(handle, 0) << name;
    ASSERT_NE(registry.picture(handle), nullptr);
    EXPECT_EQ(registry.picture(handle)->size(), QSize(120, 80));
  }
}

TEST_F(PictureRegistryTest, KindComesFromTheBytesNotTheName) {
  const QString png = written("p.png", twoHalves(20, 10));
  const QString jpg = written("j.jpg", twoHalves(20, 10));
  ASSERT_TRUE(QFile::copy(png, path("png-named.jpg")));
  ASSERT_TRUE(QFile::copy(jpg, path("jpeg-named.png")));
  writeFile(path("text.png"), "this file names itself PNG but holds text\n");
  EXPECT_NE(registry.LoadPicture(path("png-named.jpg")), 0);
  EXPECT_NE(registry.LoadPicture(path("jpeg-named.png")), 0);
  EXPECT_NE(registry.LoadPicture(written("t.tif", twoHalves(20, 10))), 0);
  EXPECT_EQ(registry.LoadPicture(path("text.png")), 0);
}

TEST_F(PictureRegistryTest, BmpGifAndIconLoad) {
  EXPECT_NE(registry.LoadPicture(written("a.bmp", twoHalves(30, 20))), 0);
  EXPECT_NE(registry.LoadPicture(written("a.gif", twoHalves(30, 20))), 0);
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::green);
  ASSERT_TRUE(icon.save(path("a.ico"), "ICO"));
  const PictureHandle handle = registry.LoadPicture(path("a.ico"));
  ASSERT_NE(handle, 0);
  EXPECT_EQ(registry.picture(handle)->size(), QSize(16, 16));
}

TEST_F(PictureRegistryTest, BadInputYieldsZero) {
  const QByteArray jpeg = encode(twoHalves(200, 150), ".jpg");
  writeFile(path("empty.jpg"), {});
  writeFile(path("text.jpg"), "this file names itself JPEG but holds text\n");
  writeFile(path("truncated.jpg"), jpeg.left(jpeg.size() / 2));
  QByteArray corrupt = jpeg;
  for (qsizetype i = 2; i < 40; ++i) corrupt[i] = '\x13';  // the segment headers mangled
  writeFile(path("corrupt.jpg"), corrupt);
  const QByteArray gif = encode(twoHalves(200, 150), ".gif");
  writeFile(path("truncated.gif"), gif.left(30));
  writeFile(path("half.gif"), gif.left(gif.size() / 2));
  const QByteArray bmp = encode(twoHalves(200, 150), ".bmp");
  writeFile(path("truncated.bmp"), bmp.left(bmp.size() / 2));

  for (const char* name : {"empty.jpg", "text.jpg", "truncated.jpg", "corrupt.jpg", "truncated.gif",
                           "half.gif", "truncated.bmp", "missing.jpg"})
    EXPECT_EQ(registry.LoadPicture(path(QString::fromLatin1(name))), 0) << name;
  EXPECT_EQ(registry.LoadPicture(QString()), 0);
  EXPECT_EQ(registry.LoadPicture(QByteArray()), 0);
  EXPECT_EQ(registry.LoadPicture(dir.path()), 0);  // a folder
  EXPECT_EQ(registry.liveCount(), 0);
}

TEST_F(PictureRegistryTest, HugeClaimedSizeIsRefusedWithoutAllocating) {
  const QByteArray jpeg = encode(twoHalves(64, 64), ".jpg");
  writeFile(path("bomb.jpg"), withClaimedJpegSize(jpeg, 60000, 60000));
  EXPECT_EQ(registry.LoadPicture(path("bomb.jpg")), 0);

  QByteArray bmp = encode(twoHalves(64, 64), ".bmp");
  const qint32 side = 60000;
  bmp.replace(18, 4, reinterpret_cast<const char*>(&side), 4);  // little-endian width
  bmp.replace(22, 4, reinterpret_cast<const char*>(&side), 4);  // and height
  EXPECT_EQ(registry.LoadPicture(bmp), 0);
}

TEST_F(PictureRegistryTest, PhotosAreUprightByTheirExifOrientation) {
  // Orientation 6: the stored 80 × 40 picture is shown turned clockwise, 40 × 80, with
  // the stored left half (red) on top.
  const PictureHandle handle = registry.LoadPicture(written("turned.jpg", twoHalves(80, 40), 6));
  ASSERT_NE(handle, 0);
  const QImage* image = registry.picture(handle);
  ASSERT_EQ(image->size(), QSize(40, 80));
  EXPECT_GT(qRed(image->pixel(20, 10)), 200);
  EXPECT_GT(qBlue(image->pixel(20, 70)), 200);
}

TEST_F(PictureRegistryTest, PictureFromBytes) {
  const PictureHandle handle = registry.LoadPicture(encode(twoHalves(50, 30), ".jpg"));
  ASSERT_NE(handle, 0);
  EXPECT_EQ(registry.picture(handle)->size(), QSize(50, 30));
}

TEST_F(PictureRegistryTest, UnloadIgnoresZeroAndStaleHandlesAndHandlesAreNotReused) {
  const QString file = written("a.jpg", twoHalves(20, 10));
  const PictureHandle first = registry.LoadPicture(file);
  const PictureHandle second = registry.LoadPicture(file);
  ASSERT_NE(first, 0);
  ASSERT_NE(first, second);
  registry.UnloadPicture(first);
  registry.UnloadPicture(first);  // already released
  registry.UnloadPicture(0);
  registry.UnloadPicture(12345);
  EXPECT_EQ(registry.picture(first), nullptr);
  EXPECT_NE(registry.picture(second), nullptr);
  const PictureHandle third = registry.LoadPicture(file);
  EXPECT_NE(third, first);
  EXPECT_EQ(registry.liveCount(), 2);
}
