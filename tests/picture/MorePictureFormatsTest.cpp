#include <gtest/gtest.h>

#include <QBuffer>
#include <vips/vips8>

#include "TestPictures.h"
#include "picture/PictureReader.h"
#include "picture/VipsPictureReader.h"
#include "render/PictureRegistry.h"

using namespace testpictures;

namespace {

const QStringList kKinds = {".png", ".tif", ".webp", ".heic", ".avif"};

bool near(QRgb pixel, QColor expected, int tolerance) {
  return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
         std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
         std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

// The colours at the centres of the four quarters, where lossy coding leaves them.
QList<QRgb> quarters(const QImage& image) {
  const int w = image.width(), h = image.height();
  return {image.pixel(w / 4, h / 4), image.pixel(3 * w / 4, h / 4), image.pixel(w / 4, 3 * h / 4),
          image.pixel(3 * w / 4, 3 * h / 4)};
}

QImage decoded(const QByteArray& data) {
  return PictureRegistry::DecodePicture(data);
}

// Frames of equal size stacked as libvips' savers take them: a multi-page TIFF or an
// animated WebP whose first frame is red.
QByteArray framesOf(const char* suffix, int frames) {
  std::vector<vips::VImage> stack;
  for (int i = 0; i < frames; ++i)
    stack.push_back(vips::VImage::black(40, 30, vips::VImage::option()->set("bands", 3))
                        .linear({1, 1, 1}, i == 0 ? std::vector<double>{255, 0, 0}
                                                  : std::vector<double>{0, 0, 255})
                        .cast(VIPS_FORMAT_UCHAR));
  vips::VImage all =
      vips::VImage::arrayjoin(stack, vips::VImage::option()->set("across", 1))
          .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
  all.set("page-height", 30);
  void* buffer = nullptr;
  size_t size = 0;
  all.write_to_buffer(suffix, &buffer, &size);
  QByteArray bytes(static_cast<const char*>(buffer), static_cast<qsizetype>(size));
  g_free(buffer);
  return bytes;
}

}  // namespace

// Each kind, as stored and turned a quarter either way by its orientation, gives the
// picture a JPEG of the same pixels and orientation gives.
TEST(MorePictureFormats, EveryKindDecodesUprightLikeTheSameJpeg) {
  const QImage picture = twoHalves(64, 48, QColor(200, 40, 40), QColor(40, 60, 200));
  for (int orientation : {0, 6, 8}) {
    const QImage jpeg = decoded(encode(picture, ".jpg", orientation));
    ASSERT_EQ(jpeg.size(), orientation ? QSize(48, 64) : QSize(64, 48));
    for (const QString& kind : kKinds) {
      SCOPED_TRACE((kind + " orientation " + QString::number(orientation)).toStdString());
      const QByteArray data = encode(picture, kind, orientation);
      ASSERT_FALSE(data.isEmpty()) << "no encoder for this kind";
      const QImage image = decoded(data);
      ASSERT_EQ(image.size(), jpeg.size()) << "not decoded, or not upright";
      const QList<QRgb> expected = quarters(jpeg), got = quarters(image);
      for (int i = 0; i < 4; ++i) EXPECT_TRUE(near(got[i], expected[i], 24)) << i;
    }
  }
}

TEST(MorePictureFormats, TransparencyLandsOnWhite) {
  QImage picture(40, 20, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int x = 20; x < 40; ++x)
    for (int y = 0; y < 20; ++y) picture.setPixelColor(x, y, QColor(255, 0, 0, 128));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(picture.save(&buffer, "PNG"));
  const QImage image = decoded(png);
  ASSERT_EQ(image.size(), QSize(40, 20));
  EXPECT_TRUE(near(image.pixel(5, 10), Qt::white, 0));
  EXPECT_TRUE(near(image.pixel(30, 10), QColor(255, 127, 127), 2));
}

// 16 bits per channel become 8; CMYK goes through colour management, not a naive
// formula (which misses by some twenty levels).
TEST(MorePictureFormats, SixteenBitTiffAndCmykJpegKeepTheirColours) {
  const QColor left(150, 110, 90), right(90, 130, 160);
  const QImage picture = twoHalves(64, 48, left, right);
  const QByteArray tiff = sixteenBitTiff(picture);
  const QByteArray cmyk = cmykJpeg(picture);
  ASSERT_FALSE(tiff.isEmpty());
  ASSERT_FALSE(cmyk.isEmpty());
  for (const auto& [data, tolerance] : {std::pair{tiff, 1}, std::pair{cmyk, 10}}) {
    const QImage image = decoded(data);
    ASSERT_EQ(image.size(), QSize(64, 48));
    EXPECT_TRUE(near(image.pixel(10, 24), left, tolerance))
        << QColor(image.pixel(10, 24)).name().toStdString();
    EXPECT_TRUE(near(image.pixel(54, 24), right, tolerance))
        << QColor(image.pixel(54, 24)).name().toStdString();
    const QImage shown = ReadPicture(data, RequestAtSize(QSize(32, 24))).picture;
    ASSERT_EQ(shown.size(), QSize(32, 24));
    EXPECT_TRUE(near(shown.pixel(4, 12), left, tolerance));
  }
}

TEST(MorePictureFormats, OnlyTheFirstPageOrFrameIsShown) {
  for (const char* suffix : {".tif", ".webp"}) {
    SCOPED_TRACE(suffix);
    const QImage image = decoded(framesOf(suffix, 3));
    ASSERT_EQ(image.size(), QSize(40, 30));
    EXPECT_TRUE(near(image.pixel(20, 15), Qt::red, 2));
  }
}

// Shown smaller than stored, a picture is decoded straight at the upright size asked;
// its header alone gives the upright size.
TEST(MorePictureFormats, ReducedDecodingGivesTheUprightSizeAsked) {
  const QImage picture = twoHalves(400, 300, QColor(200, 40, 40), QColor(40, 60, 200));
  for (const QString& kind : kKinds) {
    SCOPED_TRACE(kind.toStdString());
    const QByteArray data = encode(picture, kind, 6);
    EXPECT_EQ(readVipsPictureSize(data), QSize(300, 400));
    EXPECT_EQ(ReadUprightPictureSize(data), QSize(300, 400));
    const QImage shown = ReadPicture(data, RequestAtSize(QSize(30, 40))).picture;
    ASSERT_EQ(shown.size(), QSize(30, 40));
    EXPECT_TRUE(near(shown.pixel(15, 8), QColor(200, 40, 40), 24));
    EXPECT_TRUE(near(shown.pixel(15, 32), QColor(40, 60, 200), 24));
  }
}
