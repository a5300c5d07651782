#include <gtest/gtest.h>
#include <sys/resource.h>

#include <vips/vips8>

#include "TestPictures.h"
#include "picture/PictureLimits.h"
#include "picture/PictureReader.h"
#include "picture/VipsPictureReader.h"
#include "render/PictureRegistry.h"

using namespace testpictures;

namespace {

quint32 crc32(const QByteArray& bytes) {
  quint32 crc = 0xFFFFFFFFu;
  for (char c : bytes) {
    crc ^= static_cast<uchar>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void putBigEndian(QByteArray& bytes, qsizetype at, quint32 value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// A small PNG whose header (with a correct checksum) claims width × height.
QByteArray pngClaiming(quint32 width, quint32 height) {
  QByteArray png = encode(twoHalves(16, 16), ".png");
  putBigEndian(png, 16, width);
  putBigEndian(png, 20, height);
  putBigEndian(png, 29, crc32(png.mid(12, 17)));
  return png;
}

QByteArray tiffOfTinyPages(int pages) {
  vips::VImage all =
      vips::VImage::black(4, 4 * pages, vips::VImage::option()->set("bands", 3))
          .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
  all.set("page-height", 4);
  void* buffer = nullptr;
  size_t size = 0;
  all.write_to_buffer(".tif", &buffer, &size);
  QByteArray bytes(static_cast<const char*>(buffer), static_cast<qsizetype>(size));
  g_free(buffer);
  return bytes;
}

// A PCX of 564 bytes whose header declares 10000 × 10000 pixels in three planes of
// 65535 bytes a line: its body could unpack to 14 KB, the header asks for 2 GB.
QByteArray pcxDeclaringGigabytes() {
  QByteArray pcx(128, '\0');
  pcx[0] = 0x0A;
  pcx[1] = 5;
  pcx[2] = 1;
  pcx[3] = 8;
  pcx[8] = pcx[10] = static_cast<char>(9999 & 0xFF);
  pcx[9] = pcx[11] = static_cast<char>(9999 >> 8);
  pcx[65] = 3;
  pcx[66] = pcx[67] = static_cast<char>(0xFF);
  for (int run = 0; run < 218; ++run) pcx.append("\xFF\x80", 2);
  return pcx;
}

[[maybe_unused]] double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

}  // namespace

// Cut-off files and lying headers are refused; a file of ten thousand pages shows its
// first; a PCX whose header declares more than its body can unpack to is refused before
// anything is allocated. Every reader of the program is tried, and none takes more than
// 300 MB.
TEST(HostilePictures, RefusedOrDrawnNeverCrashingOrFlooding) {
  const QImage picture = twoHalves(64, 48);
  const QByteArray png = encode(picture, ".png");
  const QByteArray heic = encode(picture, ".heic");
  ASSERT_FALSE(png.isEmpty());
  ASSERT_FALSE(heic.isEmpty());
  const QByteArray pages = tiffOfTinyPages(10000);
  const QByteArray huge = pngClaiming(100000, 100000);
  ASSERT_EQ(readVipsPictureSize(pngClaiming(16, 16)), QSize(16, 16));

  struct Case {
    const char* name;
    QByteArray data;
    QSize expected;  // empty: refused
  };
  const Case cases[] = {{"truncated PNG", png.left(png.size() / 2), QSize(0, 0)},
                        {"truncated HEIC", heic.left(heic.size() / 2), QSize(0, 0)},
                        {"PNG claiming 100000 x 100000", huge, QSize(0, 0)},
                        {"TIFF of 10000 pages", pages, QSize(4, 4)},
                        {"PCX declaring gigabytes", pcxDeclaringGigabytes(), QSize(0, 0)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PictureRegistry::DecodePicture(c.data).size(), c.expected);
    EXPECT_EQ(ReadPicture(c.data, RequestAtSize(QSize(2, 2))).picture.isNull(),
              c.expected.isEmpty());
  }
  EXPECT_FALSE(ReadUprightPictureSize(huge).isValid());
#if !defined(__SANITIZE_ADDRESS__)
  // Under AddressSanitizer its shadow memory and quarantine count in the peak; the plain
  // build holds the bound.
  EXPECT_LT(peakMegabytes(), 300.0);
#endif
}
