#include <gtest/gtest.h>

#include "PcxBytes.h"
#include "TestPictures.h"
#include "picture/PcxDecoder.h"
#include "picture/PictureKind.h"
#include "picture/PictureStructure.h"

using pcxbytes::bytesOf;
using pcxbytes::pcxHeader;

TEST(PictureKind, RecognisedFromTheFirstBytes) {
  EXPECT_EQ(recognisePictureKind("BM\x10\0\0\0"), PictureKind::Bmp);
  EXPECT_EQ(recognisePictureKind(bytesOf({0xFF, 0xD8, 0xFF, 0xE0})), PictureKind::Jpeg);
  EXPECT_EQ(recognisePictureKind(bytesOf({0, 0, 1, 0, 1, 0})), PictureKind::Icon);
  EXPECT_EQ(recognisePictureKind(bytesOf({0, 0, 2, 0, 1, 0})), PictureKind::Cursor);
  EXPECT_EQ(recognisePictureKind("GIF87a"), PictureKind::Gif);
  EXPECT_EQ(recognisePictureKind("GIF89a"), PictureKind::Gif);
  EXPECT_EQ(recognisePictureKind(bytesOf({0x0A, 5, 1, 8})), PictureKind::Pcx8);
  EXPECT_EQ(recognisePictureKind(bytesOf({0x0A, 0, 1, 8})), PictureKind::Pcx8);
  EXPECT_EQ(recognisePictureKind(bytesOf({0x0A, 3, 1, 1})), PictureKind::Pcx1);
  EXPECT_EQ(recognisePictureKind(bytesOf({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})),
            PictureKind::Png);
  EXPECT_EQ(recognisePictureKind(QByteArray("II*\0", 4)), PictureKind::Tiff);
  EXPECT_EQ(recognisePictureKind(QByteArray("MM\0*", 4)), PictureKind::Tiff);
  EXPECT_EQ(recognisePictureKind(QByteArray("RIFF\x20\x01\0\0WEBPVP8X", 16)), PictureKind::WebP);
  EXPECT_EQ(recognisePictureKind(QByteArray("\0\0\0\x1C"
                                            "ftypheicXXXX",
                                            16)),
            PictureKind::Heif);
  EXPECT_EQ(recognisePictureKind(QByteArray("\0\0\0\x1C"
                                            "ftypavifXXXX",
                                            16)),
            PictureKind::Heif);
  // a brand of HEIF among the compatible ones only
  EXPECT_EQ(recognisePictureKind(QByteArray("\0\0\0\x14"
                                            "ftypabcd\0\0\0\0mif1",
                                            20)),
            PictureKind::Heif);
  for (PictureKind kind :
       {PictureKind::Png, PictureKind::Tiff, PictureKind::WebP, PictureKind::Heif})
    EXPECT_TRUE(isVipsPictureKind(kind));
  for (PictureKind kind :
       {PictureKind::Jpeg, PictureKind::Bmp, PictureKind::Gif, PictureKind::Unsupported})
    EXPECT_FALSE(isVipsPictureKind(kind));
}

TEST(PictureKind, EverythingElseIsUnsupported) {
  EXPECT_EQ(recognisePictureKind(bytesOf({0x89, 'P', 'N', 'G', 0x0D, 0x0A})),
            PictureKind::Unsupported);  // the signature cut short
  EXPECT_EQ(recognisePictureKind(QByteArray("RIFF\x20\x01\0\0WAVEfmt ", 16)),
            PictureKind::Unsupported);
  // a video, not a still picture
  EXPECT_EQ(recognisePictureKind(QByteArray("\0\0\0\x14"
                                            "ftypmp42\0\0\0\0isom",
                                            20)),
            PictureKind::Unsupported);
  EXPECT_EQ(recognisePictureKind("GIF88a"), PictureKind::Unsupported);
  EXPECT_EQ(recognisePictureKind(bytesOf({0x0A, 6, 1, 8})),
            PictureKind::Unsupported);  // version above 5
  EXPECT_EQ(recognisePictureKind(bytesOf({0x0A, 5, 1, 1})),
            PictureKind::Unsupported);  // 1-bit needs version 3
  EXPECT_EQ(recognisePictureKind(bytesOf({0x0A, 3, 0, 8})),
            PictureKind::Unsupported);  // not run-length coded
  EXPECT_EQ(recognisePictureKind(bytesOf({0xFF})), PictureKind::Unsupported);
  EXPECT_EQ(recognisePictureKind(QByteArray()), PictureKind::Unsupported);
  EXPECT_EQ(recognisePictureKind("JFIF this is text, not a picture"), PictureKind::Unsupported);
}

TEST(PictureStructure, CompleteTruncatedAndTrailing) {
  const QByteArray jpeg = testpictures::encode(testpictures::twoHalves(64, 48), ".jpg");
  ASSERT_FALSE(jpeg.isEmpty());
  EXPECT_TRUE(jpegIsComplete(jpeg));
  EXPECT_TRUE(jpegIsComplete(jpeg + QByteArray(100, 'x')));  // a camera trailer after the end
  EXPECT_FALSE(jpegIsComplete(jpeg.left(jpeg.size() - 2)));  // end marker cut off
  EXPECT_FALSE(jpegIsComplete(jpeg.left(jpeg.size() / 2)));
  EXPECT_FALSE(jpegIsComplete(jpeg.left(3)));
  EXPECT_FALSE(jpegIsComplete(bytesOf({0xFF, 0xD8})));
  EXPECT_FALSE(jpegIsComplete(QByteArray("\xFF\xD8 but then only text follows here")));
}

TEST(PictureStructure, ThumbnailEndMarkerInsideASegmentDoesNotCount) {
  const QByteArray jpeg = testpictures::encode(testpictures::twoHalves(64, 48), ".jpg");
  // An application segment holding a whole small JPEG, as an EXIF thumbnail does.
  const QByteArray thumb = bytesOf({0xFF, 0xD8, 0xFF, 0xD9});
  QByteArray segment = bytesOf({0xFF, 0xE1, 0, static_cast<int>(thumb.size()) + 2}) + thumb;
  const QByteArray withThumb = jpeg.left(2) + segment + jpeg.mid(2);
  EXPECT_TRUE(jpegIsComplete(withThumb));
  EXPECT_FALSE(jpegIsComplete(withThumb.left(withThumb.size() / 2)));
}

TEST(Pcx, EightBitsWithPaletteAndRunLengths) {
  QByteArray data = pcxHeader(5, 8, 3, 2, 1, 4);
  // row 0: a run of three 7s then padding; row 1: literal 1, 2 then a run of two 0xC5
  data += bytesOf({0xC3, 7, 0, 1, 2, 0xC2, 0xC5});
  QByteArray palette(768, '\0');
  palette[7 * 3] = char(200);
  palette[1 * 3 + 1] = char(100);
  palette[2 * 3 + 2] = char(50);
  palette[0xC5 * 3] = char(10);
  data += bytesOf({0x0C}) + palette;
  const QImage image = decodePcx(data);
  ASSERT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(image.pixel(0, 0), qRgb(200, 0, 0));
  EXPECT_EQ(image.pixel(2, 0), qRgb(200, 0, 0));
  EXPECT_EQ(image.pixel(0, 1), qRgb(0, 100, 0));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 50));
  EXPECT_EQ(image.pixel(2, 1), qRgb(10, 0, 0));
}

TEST(Pcx, OneBitBlackAndWhite) {
  QByteArray data = pcxHeader(3, 1, 10, 2, 1, 2);
  data += bytesOf({0xC1, 0xA0, 0xC1, 0x40, 0xC2, 0xFF});  // 1010 0000 0100 0000, then all white
  const QImage image = decodePcx(data);
  ASSERT_EQ(image.size(), QSize(10, 2));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(2, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(9, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(8, 0), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(5, 1), qRgb(255, 255, 255));
}

TEST(Pcx, DamagedDataIsRefused) {
  QByteArray data = pcxHeader(5, 8, 3, 2, 1, 4);
  data += bytesOf({0xC3, 7});  // body ends early, no palette
  EXPECT_TRUE(decodePcx(data).isNull());
  EXPECT_TRUE(decodePcx(data.left(60)).isNull());
  EXPECT_TRUE(decodePcx(pcxHeader(5, 8, 3, 2, 1, 2) + QByteArray(800, '\x0C'))
                  .isNull());  // line shorter than width
  // a header claiming 60000 × 60000 is refused before anything is allocated
  EXPECT_TRUE(decodePcx(pcxHeader(5, 8, 60000, 60000, 1, 60000) + QByteArray(1000, '\0')).isNull());
}

TEST(BmpStructure, RowsMustAllBeThere) {
  const QByteArray bmp = testpictures::encode(testpictures::twoHalves(30, 20), ".bmp");
  EXPECT_TRUE(bmpIsComplete(bmp));
  EXPECT_FALSE(bmpIsComplete(bmp.left(bmp.size() - 1)));
  EXPECT_FALSE(bmpIsComplete(bmp.left(20)));
  EXPECT_FALSE(bmpIsComplete("BM"));
}

TEST(GifStructure, TheFirstPictureMustBeWhole) {
  const QByteArray gif = testpictures::encode(testpictures::twoHalves(30, 20), ".gif");
  ASSERT_FALSE(gif.isEmpty());
  EXPECT_TRUE(gifIsComplete(gif));
  EXPECT_TRUE(gifIsComplete(gif.left(gif.size() - 1)));  // only the trailer missing
  EXPECT_FALSE(gifIsComplete(gif.left(gif.size() - 3)));
  EXPECT_FALSE(gifIsComplete(gif.left(gif.size() / 2)));
  EXPECT_FALSE(gifIsComplete(gif.left(12)));
  EXPECT_FALSE(gifIsComplete(QByteArray("GIF89a") + QByteArray(7, '\0') +
                             QByteArray(1, ';')));  // no picture at all
}
