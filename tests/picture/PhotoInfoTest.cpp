#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CameraPhotos.h"
#include "TestPictures.h"
#include "picture/PhotoInfo.h"

// Beside PhotoInfo, where GoogleTest looks for it, so a failure shows the three texts.
inline void PrintTo(const PhotoInfo& info, std::ostream* os) {
  *os << '{' << info.takenAt.toStdString() << " | " << info.camera.toStdString() << " | "
      << info.pixels.toStdString() << '}';
}

namespace {

// The JPEG with 80 KB of application segments before its EXIF block, as some cameras
// write their previews: its header no longer fits the start read at first.
QByteArray paddedJpeg(const QByteArray& jpeg) {
  QByteArray padding;
  for (int i = 0; i < 2; ++i)
    padding += QByteArray("\xFF\xEF\xA0\x00", 4) + QByteArray(0xA000 - 2, 'p');
  return jpeg.left(2) + padding + jpeg.mid(2);
}

TEST(PhotoInfoTexts, DateTakenShowsMinutesAndOnlyRealDates) {
  const std::pair<const char*, const char*> cases[] = {
      {"2024:05:01 14:03:22", "2024-05-01 14:03"},
      {"2024-05-01T09:07:00", "2024-05-01 09:07"},
      {"0000:00:00 00:00:00", ""},
      {"    :  :     :  :  ", ""},
      {"2024:13:01 14:03:22", ""},
      {"", ""},
  };
  for (const auto& [exif, shown] : cases) EXPECT_EQ(TakenAtText(exif), shown) << exif;
}

TEST(PhotoInfoTexts, CameraNamesTheMakeOnce) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"Canon", "Canon EOS R5", "Canon EOS R5"},
      {"NIKON CORPORATION", "NIKON D850", "NIKON D850"},
      {"Apple", "iPhone 13", "Apple iPhone 13"},
      {"SONY", "sony", "sony"},
      {"  FUJIFILM ", "X-T4  ", "FUJIFILM X-T4"},
      {"", "X100V", "X100V"},
      {"Leica", "", "Leica"},
      {"", "", ""},
  };
  for (const auto& [make, model, shown] : cases) EXPECT_EQ(CameraText(make, model), shown) << make;
}

// Photos written by libvips with known data, one per kind, and files that tell nothing.
TEST(PhotoInfo, ReadsTheHeadersOfEveryKind) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const auto file = [&dir](const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    EXPECT_TRUE(testpictures::writeFile(path, bytes));
    return path;
  };
  const struct {
    QString path;
    PhotoInfo expected;
  } cases[] = {
      {file("turned.jpg",
            cameraPhoto({64, 48}, ".jpg", "Canon", "Canon EOS R5", "2024:05:01 14:03:22", 6)),
       {"2024-05-01 14:03", "Canon EOS R5", "48×64"}},
      {file("phone.heic",
            cameraPhoto({40, 30}, ".heic", "Apple", "iPhone 13", "2023:12:24 18:30:00")),
       {"2023-12-24 18:30", "Apple iPhone 13", "40×30"}},
      {file("camera.webp",
            cameraPhoto({30, 20}, ".webp", "Google", "Pixel 8", "2021:01:01 01:01:01")),
       {"2021-01-01 01:01", "Google Pixel 8", "30×20"}},
      {file("long header.jpg", paddedJpeg(cameraPhoto({64, 48}, ".jpg", "Canon", "Canon EOS R5",
                                                      "2024:05:01 14:03:22"))),
       {"2024-05-01 14:03", "Canon EOS R5", "64×48"}},
      {file("plain.png", testpictures::encode(testpictures::twoHalves(20, 10), ".png")),
       {"", "", "20×10"}},
      {file("plain.bmp", testpictures::encode(testpictures::twoHalves(12, 8), ".bmp")),
       {"", "", "12×8"}},
      {file("empty.jpg", QByteArray()), {}},
      {file("cut.jpg",
            cameraPhoto({64, 48}, ".jpg", "Canon", "EOS", "2024:05:01 14:03:22").left(40)),
       {}},
      {dir.filePath("missing.jpg"), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadPhotoInfo(c.path), c.expected) << c.path.toStdString();
}

}  // namespace
