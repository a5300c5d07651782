#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TestPictures.h"
#include "picture/GifResolution.h"
#include "picture/PageFileEncoder.h"
#include "picture/PictureReader.h"

using namespace testpictures;

namespace {

// "x y" resolution in dots per inch as the file says it: ImageMagick's identify reads it,
// except from GIF, where it is the program's own block.
QString fileDpi(const QString& file, const QByteArray& bytes) {
  if (bytes.startsWith("GIF")) {
    int x = 0;
    int y = 0;
    readGifResolution(bytes, x, y);
    return QStringLiteral("%1 %2").arg(x).arg(y);
  }
  QProcess identify;
  identify.start(
      QStringLiteral("identify"),
      {QStringLiteral("-units"), QStringLiteral("PixelsPerInch"), QStringLiteral("-format"),
       QStringLiteral("%[fx:round(resolution.x)] %[fx:round(resolution.y)]"), file});
  if (!identify.waitForFinished(30000)) return QStringLiteral("identify did not finish");
  return QString::fromUtf8(identify.readAllStandardOutput()).trimmed();
}

}  // namespace

TEST(PageFileEncoderTest, EveryKindKeepsTheSizeAndCarriesThePageResolution) {
  if (QStandardPaths::findExecutable(QStringLiteral("identify")).isEmpty())
    GTEST_SKIP() << "ImageMagick identify missing";
  QTemporaryDir dir;
  const struct {
    PictureFormat code;
    const char* extension;
  } kinds[] = {{PictureFormat::Bmp, ".bmp"},
               {PictureFormat::Gif, ".gif"},
               {PictureFormat::Jpeg, ".jpg"},
               {PictureFormat::Png, ".png"},
               {PictureFormat::Tiff, ".tiff"}};
  for (const auto& kind : kinds) {
    const EncodedPage page = EncodePagePicture(twoHalves(90, 60), kind.code, false);
    ASSERT_FALSE(page.bytes.isEmpty()) << kind.extension << page.error.toStdString();
    const QString file = dir.filePath(QStringLiteral("page") + QLatin1String(kind.extension));
    writeFile(file, page.bytes);
    EXPECT_EQ(std::pair(ReadUprightPictureSize(page.bytes), fileDpi(file, page.bytes)),
              std::pair(QSize(90, 60), QStringLiteral("254 254")))
        << kind.extension;
  }
}

TEST(PageFileEncoderTest, ALandscapePageTurnsAQuarterClockwise) {
  for (const PictureFormat kind : {PictureFormat::Bmp, PictureFormat::Png}) {
    const QImage turned =
        ReadPicture(EncodePagePicture(twoHalves(80, 40), kind, true).bytes).picture;
    ASSERT_EQ(turned.size(), QSize(40, 80)) << int(kind);
    EXPECT_GT(qRed(turned.pixel(20, 10)), 200) << int(kind);  // the left half is now on top
    EXPECT_GT(qBlue(turned.pixel(20, 70)), 200) << int(kind);
  }
}

TEST(PageFileEncoderTest, BmpPixelsPassThroughUnchangedWhateverTheRowPadding) {
  // 7 pixels of RGB leave padded rows; 8 do not
  for (int width : {7, 8}) {
    QImage source(width, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) source.setPixel(x, y, qRgb(x * 30, y * 80, 255 - x * 20));
    const QImage back = QImage::fromData(EncodePagePicture(source, PictureFormat::Bmp, false).bytes)
                            .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(back, source) << width << " wide";
  }
}

TEST(PageFileEncoderTest, NothingToEncodeOrNoKindGivesAReasonAndNoBytes) {
  for (const auto& [page, kind] : {std::pair(QImage(), PictureFormat::Png),
                                   std::pair(twoHalves(20, 20), PictureFormat::Unknown),
                                   std::pair(twoHalves(20, 20), PictureFormat(5))}) {
    const EncodedPage encoded = EncodePagePicture(page, kind, false);
    EXPECT_TRUE(encoded.bytes.isEmpty()) << int(kind);
    EXPECT_FALSE(encoded.error.isEmpty()) << int(kind);
  }
}
