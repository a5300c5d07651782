#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>

#include "TestPictures.h"
#include "picture/PictureReader.h"
#include "picture/ShrunkJpeg.h"

using namespace testpictures;

namespace {

// Smooth in both directions and different in each corner, so a wrong turn, a wrong
// channel order or a shifted row shows, while two resampling kernels still agree.
QImage gradient(int width, int height, bool grey = false) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int r = 255 * x / width;
      const int g = 255 * y / height;
      image.setPixel(x, y, grey ? qRgb(r, r, r) : qRgb(r, g, 255 - r / 2));
    }
  }
  return image;
}

// The largest mean difference of one channel between two pictures of one size.
double meanChannelDifference(const QImage& a, const QImage& b) {
  double sums[3] = {};
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      sums[0] += std::abs(qRed(p) - qRed(q));
      sums[1] += std::abs(qGreen(p) - qGreen(q));
      sums[2] += std::abs(qBlue(p) - qBlue(q));
    }
  }
  return std::max({sums[0], sums[1], sums[2]}) / (double(a.width()) * a.height());
}

QSize twoFifths(QSize upright) {
  return upright * 2 / 5;
}

class ShrunkJpegTest : public ::testing::Test {
protected:
  // The photo through the whole picture route, which decodes JPEGs with ReadShrunkJpeg.
  QImage shrunk(const QString& name, QSize (*shown)(QSize)) {
    PictureRequest request;
    request.sizeFor = shown;
    return ReadPicture(dir.filePath(name), request).picture;
  }

  bool decoderRefuses(const QString& name) {
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) && ReadShrunkJpeg(file, twoFifths).isNull();
  }

  QTemporaryDir dir;
};

}  // namespace

TEST_F(ShrunkJpegTest, GivesTheImageObjectsPictureWhateverTheTurn) {
  struct Case {
    const char* name;
    QImage photo;
    int orientation;
  };
  const Case cases[] = {{"plain.jpg", gradient(1600, 1200), 0},
                        {"right.jpg", gradient(1600, 1200), 6},
                        {"left.jpg", gradient(1000, 1400), 8},
                        {"upside.jpg", gradient(1200, 1000), 3},
                        {"grey.jpg", gradient(1500, 900, true), 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = dir.filePath(c.name);
    ASSERT_TRUE(write(path, c.photo, c.orientation));
    // Qt's own reader, turned by the orientation and smoothly scaled, as the reference.
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage whole = reader.read();
    const QImage expected =
        whole.scaled(twoFifths(whole.size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage picture = shrunk(c.name, twoFifths);
    ASSERT_EQ(picture.size(), expected.size());
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_LT(meanChannelDifference(picture, expected), 1.5);
  }
}

TEST_F(ShrunkJpegTest, WholePictureWhenNoSmallerSizeIsAsked) {
  ASSERT_TRUE(write(dir.filePath("small.jpg"), gradient(300, 200), 6));
  const QImage picture = shrunk("small.jpg", [](QSize) { return QSize(); });
  EXPECT_EQ(picture.size(), QSize(200, 300));
}

TEST_F(ShrunkJpegTest, RefusesWhatItCannotDecodeFaithfully) {
  const QByteArray jpeg = encode(gradient(800, 600), ".jpg");
  QByteArray cutOff = jpeg.left(jpeg.size() / 2);
  QByteArray extraneous = jpeg;
  extraneous.insert(2, "\x12\x34\x56", 3);  // between the start marker and the next
  const struct {
    const char* name;
    QByteArray bytes;
  } refused[] = {{"cut.jpg", cutOff},
                 {"extraneous.jpg", extraneous},
                 {"cmyk.jpg", cmykJpeg(gradient(800, 600))},
                 {"png.jpg", encode(gradient(800, 600), ".png")},
                 {"bomb.jpg", withClaimedJpegSize(jpeg, 60000, 60000)}};
  for (const auto& r : refused) {
    SCOPED_TRACE(r.name);
    ASSERT_TRUE(writeFile(dir.filePath(r.name), r.bytes));
    EXPECT_TRUE(decoderRefuses(r.name));
  }
}
