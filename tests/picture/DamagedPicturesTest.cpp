#include <gtest/gtest.h>

#include <QBuffer>
#include <QRandomGenerator>
#include <QtEndian>

#include "TestPictures.h"
#include "picture/PcxDecoder.h"
#include "picture/PictureLimits.h"
#include "picture/QtPictureReader.h"
#include "render/PictureRegistry.h"

using namespace testpictures;

namespace {

// A small 8-bit PCX with a palette, written by hand.
QByteArray pcx8(int width, int height) {
  QByteArray data(128, '\0');
  data[0] = 0x0A;
  data[1] = 5;
  data[2] = 1;
  data[3] = 8;
  data[8] = static_cast<char>(width - 1);
  data[10] = static_cast<char>(height - 1);
  data[65] = 1;
  data[66] = static_cast<char>(width);
  for (int i = 0; i < width * height; ++i) data.append(static_cast<char>(i % 64));
  data.append('\x0C');
  data.append(QByteArray(768, '\x40'));
  return data;
}

QByteArray icon() {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::yellow);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "ICO");
  return bytes;
}

// An 8 × 2 BMP of 8-bit colours, run-length coded with the runs in `body`, bottom row
// first; colour 1 is red and colour 2 blue.
QByteArray rle8Bmp(const QByteArray& body) {
  constexpr int kPixelsAt = 54 + 256 * 4;
  QByteArray data(kPixelsAt, '\0');
  const auto put = [&data](int at, quint32 value) { qToLittleEndian(value, data.data() + at); };
  data[0] = 'B';
  data[1] = 'M';
  put(2, kPixelsAt + body.size());
  put(10, kPixelsAt);
  put(14, 40);
  put(18, 8);
  put(22, 2);
  data[26] = 1;
  data[28] = 8;
  put(30, 1);
  data[54 + 4 + 2] = '\xFF';
  data[54 + 8] = '\xFF';
  return data + body;
}

// Damage of the kinds real files suffer: cut off anywhere, bytes overwritten, a run
// of bytes dropped from the middle.
QByteArray damaged(const QByteArray& good, QRandomGenerator& random) {
  QByteArray bad = good;
  switch (random.bounded(3)) {
    case 0:
      bad.truncate(random.bounded(static_cast<int>(good.size())));
      break;
    case 1:
      for (int i = 0, n = 1 + random.bounded(8); i < n; ++i)
        bad[random.bounded(static_cast<int>(bad.size()))] = static_cast<char>(random.bounded(256));
      break;
    default: {
      const int at = random.bounded(static_cast<int>(bad.size()));
      bad.remove(at, 1 + random.bounded(std::max(1, static_cast<int>(bad.size()) - at)));
    }
  }
  return bad;
}

}  // namespace

// Whatever the damage, loading never crashes and never yields a picture above the
// limit; it yields nothing or a picture.
TEST(DamagedPictures, LoadingNeverCrashes) {
  const QImage picture = twoHalves(40, 30);
  const QList<QByteArray> goods = {encode(picture, ".jpg"),
                                   encode(picture, ".gif"),
                                   encode(picture, ".bmp"),
                                   encode(picture, ".png"),
                                   encode(picture, ".tif"),
                                   encode(picture, ".webp"),
                                   encode(picture, ".heic"),
                                   pcx8(8, 6),
                                   icon()};
  QRandomGenerator random(20261208);
  PictureRegistry registry;
  for (const QByteArray& good : goods) {
    ASSERT_FALSE(good.isEmpty());
    for (int round = 0; round < 150; ++round) {
      const QByteArray bad = damaged(good, random);
      const PictureHandle handle = registry.LoadPicture(bad);
      if (const QImage* loaded = registry.picture(handle)) {
        EXPECT_TRUE(pictureSizeAllowed(loaded->width(), loaded->height()));
      }
      registry.UnloadPicture(handle);
      decodePcx(bad);
    }
  }
  EXPECT_EQ(registry.liveCount(), 0);
}

// Pixels a BMP lacks would show whatever memory held. A BMP whose pixel offset lies
// past its end, one cut in half, and run-length coded ones that stop early, jump over
// pixels, leave a row short or lose a run's colour are refused on every decoding path
// (cells, the picture view and panel backgrounds).
TEST(DamagedPictures, BmpWithoutAllItsPixelsIsRefusedEverywhere) {
  const QByteArray bmp = encode(twoHalves(40, 30), ".bmp");
  QByteArray pastTheEnd = bmp;
  qToLittleEndian(quint32(bmp.size() + 4096), pastTheEnd.data() + 10);
  const QByteArray whole = rle8Bmp(QByteArray("\x08\x01\x00\x00\x08\x02\x00\x01", 8));
  const QList<QByteArray> bads = {
      pastTheEnd,
      bmp.left(bmp.size() / 2),
      rle8Bmp(QByteArray("\x08\x01\x00\x00\x00\x01", 6)),
      rle8Bmp(QByteArray("\x08\x01\x00\x02\x00\x01\x08\x02\x00\x01", 10)),
      rle8Bmp(QByteArray("\x08\x01\x00\x00\x04\x02\x00\x00\x00\x01", 10)),
      whole.left(whole.size() - 3),
  };
  PictureRegistry registry;
  for (qsizetype i = 0; i < bads.size(); ++i) {
    EXPECT_EQ(registry.LoadPicture(bads[i]), 0) << i;
    EXPECT_TRUE(readPictureWithQt(bads[i], nullptr).isNull()) << i;
    EXPECT_FALSE(readPictureSize(bads[i]).isValid()) << i;
  }
  const PictureHandle handle = registry.LoadPicture(whole);
  ASSERT_NE(handle, 0);
  QImage expected(8, 2, QImage::Format_RGB32);
  expected.fill(Qt::red);
  for (int x = 0; x < 8; ++x) expected.setPixel(x, 0, qRgb(0, 0, 255));
  EXPECT_EQ(registry.picture(handle)->convertToFormat(QImage::Format_RGB32), expected);
}
