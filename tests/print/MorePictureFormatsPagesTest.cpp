#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include "PageLoopRig.h"
#include "TestPictures.h"
#include "print/PageLoops.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

namespace {

const QColor kLeft(160, 30, 30), kRight(30, 40, 160);

bool near(QRgb pixel, QColor expected, int tolerance) {
  return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
         std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
         std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

// The smallest rectangle holding every pixel that is not near white.
QRect inkBox(const QImage& page) {
  QRect box;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const QRgb p = page.pixel(x, y);
      if (std::min({qRed(p), qGreen(p), qBlue(p)}) < 200) box |= QRect(x, y, 1, 1);
    }
  return box;
}

bool sameWithinOnePixel(const QRect& a, const QRect& b) {
  return std::abs(a.left() - b.left()) <= 1 && std::abs(a.top() - b.top()) <= 1 &&
         std::abs(a.right() - b.right()) <= 1 && std::abs(a.bottom() - b.bottom()) <= 1;
}

// One photo on a small page of one cell, written as a BMP page file.
class MorePictureFormatsPagesTest : public ::testing::Test, protected printtest::PageLoopRig {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    session.printSettings.photoArea = {0.0f, 0.0f, 1.0f, 1.0f};
    session.printSettings.textArea = {0.0f, 1.0f, 1.0f, 0.0f};
    session.printSettings.optimiseLevel = 0;
  }

  QImage printed(const QByteArray& photo, const QString& name) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(testpictures::writeFile(path, photo));
    PictureFilePageArgs a;
    a.folder = dir.filePath(QStringLiteral("pages-") + name);
    QDir().mkpath(a.folder);
    a.page.paperWidth = 800;
    a.page.paperHeight = 600;
    a.page.rows = a.page.columns = 1;
    a.page.marginTop = a.page.marginBottom = a.page.marginLeft = a.page.marginRight = 20;
    a.bodyFont = FontDescription::song9();
    a.pictureFormat = PageFileFormat::Bmp;
    a.job.pictures = {path};
    const PageRunResult result = PrintPagesToPictureFiles(services, a);
    EXPECT_EQ(result.writtenFiles.size(), 1);
    return QImage(result.writtenFiles.value(0));
  }
};

}  // namespace

TEST_F(MorePictureFormatsPagesTest, EveryKindLandsWhereTheSameJpegDoes) {
  const QImage picture = testpictures::twoHalves(64, 48, kLeft, kRight);
  for (int orientation : {0, 6, 8}) {
    const QImage jpegPage =
        printed(testpictures::encode(picture, ".jpg", orientation), QStringLiteral("p.jpg"));
    const QRect jpeg = inkBox(jpegPage);
    ASSERT_FALSE(jpeg.isEmpty());
    ASSERT_EQ(jpeg.width() < jpeg.height(), orientation != 0);
    const QList<QPoint> probes = {jpeg.topLeft() + QPoint(jpeg.width() / 4, jpeg.height() / 4),
                                  jpeg.bottomRight() - QPoint(jpeg.width() / 4, jpeg.height() / 4)};
    for (const char* kind : {".png", ".tif", ".webp", ".heic", ".avif"}) {
      SCOPED_TRACE(std::string(kind) + " orientation " + std::to_string(orientation));
      const QByteArray data = testpictures::encode(picture, kind, orientation);
      ASSERT_FALSE(data.isEmpty()) << "no encoder for this kind";
      const QImage page = printed(data, QStringLiteral("p") + QLatin1String(kind));
      EXPECT_TRUE(sameWithinOnePixel(inkBox(page), jpeg));
      for (const QPoint& at : probes)
        EXPECT_TRUE(near(page.pixel(at), jpegPage.pixel(at), 30)) << at.x() << "," << at.y();
    }
  }
}

TEST_F(MorePictureFormatsPagesTest, WideCmykTransparentPhotosPrintTheirColours) {
  const QColor left(150, 110, 90), right(90, 130, 160);
  const QImage picture = testpictures::twoHalves(64, 48, left, right);
  QImage halfClear(64, 48, QImage::Format_ARGB32);
  halfClear.fill(Qt::transparent);
  for (int x = 32; x < 64; ++x)
    for (int y = 0; y < 48; ++y) halfClear.setPixelColor(x, y, right);
  QByteArray rgbaPng;
  QBuffer buffer(&rgbaPng);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(halfClear.save(&buffer, "PNG"));

  const QImage tiffPage = printed(testpictures::sixteenBitTiff(picture), QStringLiteral("w.tif"));
  const QImage cmykPage = printed(testpictures::cmykJpeg(picture), QStringLiteral("c.jpg"));
  const QImage pngPage = printed(rgbaPng, QStringLiteral("t.png"));
  // the photo fills the height of the 760 × 560 cell, about 747 wide and centred
  const QPoint onLeft(200, 300), onRight(600, 300);
  EXPECT_TRUE(near(tiffPage.pixel(onLeft), left, 2));
  EXPECT_TRUE(near(tiffPage.pixel(onRight), right, 2));
  EXPECT_TRUE(near(cmykPage.pixel(onLeft), left, 10));
  EXPECT_TRUE(near(cmykPage.pixel(onRight), right, 10));
  EXPECT_TRUE(near(pngPage.pixel(onLeft), Qt::white, 0));
  EXPECT_TRUE(near(pngPage.pixel(onRight), right, 2));
}
