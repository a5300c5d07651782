#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <algorithm>

#include "TestPictures.h"
#include "picture/EmbeddedThumbnail.h"
#include "picture/ExifThumbnail.h"
#include "picture/JpegHeader.h"
#include "picture/Orientation.h"
#include "picture/PictureReader.h"

using namespace testpictures;

namespace {

const QByteArray kThumb("\xFF\xD8 a thumbnail stream \xFF\xD9", 24);

struct Parsed {
  int orientation;
  QByteArray thumbnail;
  bool operator==(const Parsed&) const = default;
};

void PrintTo(const Parsed& p, std::ostream* os) {
  *os << "orientation " << p.orientation << ", thumbnail " << p.thumbnail.toHex().constData();
}

Parsed parse(const QByteArray& block) {
  const ExifThumbnail exif = ParseExifThumbnail(block);
  return {exif.orientation, block.mid(exif.offset, exif.length)};
}

TEST(ExifThumbnail, FindsOrientationAndThumbnailInEitherByteOrder) {
  EXPECT_EQ(parse(exifBlock(6, kThumb)), (Parsed{6, kThumb}));
  EXPECT_EQ(parse(exifBlock(8, kThumb, true)), (Parsed{8, kThumb}));
  EXPECT_EQ(parse(exifBlock(0, kThumb)), (Parsed{1, kThumb}));
  EXPECT_EQ(parse(exifBlock(3, {})), (Parsed{3, {}}));
  EXPECT_EQ(parse(exifBlock(9, {})), (Parsed{1, {}}));  // no such orientation
}

TEST(ExifThumbnail, DamagedBlocksGiveNoThumbnailAndNeverReadOutside) {
  const QByteArray good = exifBlock(6, kThumb);
  QByteArray longer = good;
  longer.chop(1);  // the thumbnail runs past the end
  QByteArray notJpeg = good;
  notJpeg[good.indexOf(kThumb)] = 'x';
  QByteArray wildOffset = good;  // IFD1's offset entry, 20 bytes before the stream
  wildOffset.replace(good.indexOf(kThumb) - 20, 4, QByteArray("\xFF\xFF\xFF\x7F", 4));
  for (const QByteArray& block :
       {longer, notJpeg, wildOffset, good.left(20), good.left(10), QByteArray("Exif\0\0MM", 8),
        QByteArray("JFIF"), QByteArray(), QByteArray("Exif\0\0II*\0\xFF\xFF\xFF\xFF", 14)}) {
    EXPECT_FALSE(ParseExifThumbnail(block).hasThumbnail()) << block.toHex().constData();
  }
}

TEST(JpegHeader, ReadsTheExifBlockAndFrameSizeOnly) {
  const QByteArray xmp = QByteArray("http://ns.adobe.com/xap/1.0/") + QByteArray(3000, 'x');
  const QByteArray block = exifBlock(6, kThumb);
  const QByteArray jpeg = withApp1(withApp1(encode(twoHalves(640, 480), ".jpg"), block), xmp);
  QBuffer device;
  device.setData(jpeg + QByteArray(100000, '\0'));
  ASSERT_TRUE(device.open(QIODevice::ReadOnly));
  const JpegHeader header = ReadJpegHeader(device);
  EXPECT_TRUE(header.valid);
  EXPECT_EQ(header.storedSize, QSize(640, 480));
  EXPECT_EQ(header.exif, block);
  // the XMP block is skipped, not read, and nothing after the frame header is read
  EXPECT_LT(header.bytesRead, block.size() + 400);
  const qint64 at = device.pos();
  EXPECT_FALSE(EndsWithEndMarker(device));  // what follows the end marker is no JPEG
  EXPECT_EQ(device.pos(), at);
  QBuffer whole;
  whole.setData(jpeg);
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  EXPECT_TRUE(EndsWithEndMarker(whole));

  QBuffer text;
  text.setData("not a JPEG at all");
  ASSERT_TRUE(text.open(QIODevice::ReadOnly));
  EXPECT_FALSE(ReadJpegHeader(text).valid);
}

TEST(EmbeddedThumbnail, TurnsUprightLikeTheImageObject) {
  QTemporaryDir dir;
  QImage stored = twoHalves(8, 6, Qt::red, Qt::blue);
  stored.setPixelColor(0, 0, Qt::green);  // tells every turn and mirror apart
  stored = stored.scaled(80, 60);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const QString file = dir.filePath(QStringLiteral("o%1.jpg").arg(orientation));
    ASSERT_TRUE(write(file, stored, orientation));
    const QImage expected = ReadPicture(file).picture;
    const QImage turned = TurnedUpright(stored, orientation);
    ASSERT_EQ(turned.size(), expected.size()) << orientation;
    for (QPoint corner :
         {QPoint(2, 2), QPoint(turned.width() - 3, 2), QPoint(2, turned.height() - 3),
          QPoint(turned.width() - 3, turned.height() - 3)}) {
      EXPECT_EQ(qGreen(turned.pixel(corner)) > 128, qGreen(expected.pixel(corner)) > 128)
          << "orientation " << orientation;
    }
  }
}

TEST(EmbeddedThumbnail, PaddingBarsAreCroppedAndOtherShapesRefused) {
  QImage padded(160, 120, QImage::Format_RGB32);
  padded.fill(Qt::black);
  const QImage band = twoHalves(160, 90, Qt::red, Qt::blue);
  for (int y = 0; y < 90; ++y) std::copy_n(band.constScanLine(y), 160 * 4, padded.scanLine(15 + y));
  EXPECT_EQ(WithoutPadding(padded, QSize(4000, 3000)).size(), QSize(160, 120));
  EXPECT_EQ(WithoutPadding(padded, QSize(1920, 1080)), band);
  EXPECT_TRUE(WithoutPadding(twoHalves(160, 120), QSize(1920, 1080)).isNull());  // squeezed
  EXPECT_EQ(WithoutPadding(twoHalves(160, 121), QSize(4000, 3000)).size(), QSize(160, 121));
}

}  // namespace
