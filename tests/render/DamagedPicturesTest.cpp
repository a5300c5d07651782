#include <gtest/gtest.h>

#include <QBuffer>
#include <QRandomGenerator>

#include "TestPictures.h"
#include "render/CxImage.h"
#include "render/PcxDecoder.h"
#include "render/PictureLimits.h"
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
  CxImage image;
  for (const QByteArray& good : goods) {
    ASSERT_FALSE(good.isEmpty());
    for (int round = 0; round < 150; ++round) {
      const QByteArray bad = damaged(good, random);
      const PictureHandle handle = registry.LoadPicture(bad);
      if (const QImage* loaded = registry.picture(handle)) {
        EXPECT_TRUE(pictureSizeAllowed(loaded->width(), loaded->height()));
      }
      registry.UnloadPicture(handle);
      if (image.Decode(bad, CxImage::Jpeg)) {
        EXPECT_TRUE(pictureSizeAllowed(image.Width(), image.Height()));
      } else {
        EXPECT_FALSE(image.IsValid());
      }
      decodePcx(bad);
    }
  }
  EXPECT_EQ(registry.liveCount(), 0);
}
