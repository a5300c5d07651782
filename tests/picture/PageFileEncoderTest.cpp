#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TestPictures.h"
#include "picture/CxImage.h"
#include "render/PictureRegistry.h"

using namespace testpictures;

namespace {

// "x y" resolution in dots per inch as ImageMagick's identify reads it from the file.
QString identifiedDpi(const QString& file) {
  QProcess identify;
  identify.start(
      QStringLiteral("identify"),
      {QStringLiteral("-units"), QStringLiteral("PixelsPerInch"), QStringLiteral("-format"),
       QStringLiteral("%[fx:round(resolution.x)] %[fx:round(resolution.y)]"), file});
  if (!identify.waitForFinished(30000)) return QStringLiteral("identify did not finish");
  return QString::fromUtf8(identify.readAllStandardOutput()).trimmed();
}

struct FormatCase {
  PictureFormat code;
  const char* extension;
};

}  // namespace

class CxImageTest : public ::testing::Test {
protected:
  QString path(const QString& name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  CxImage image;
};

class CxImageFormatTest : public CxImageTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(CxImageFormatTest, RoundTripKeepsSizeAndWritesTheDpiSet) {
  if (QStandardPaths::findExecutable(QStringLiteral("identify")).isEmpty())
    GTEST_SKIP() << "ImageMagick identify missing";
  const FormatCase format = GetParam();
  ASSERT_TRUE(image.Decode(encode(twoHalves(90, 60), ".jpg"), PictureFormat::Jpeg))
      << image.lastError().toStdString();
  image.SetXDpi(254);
  image.SetYDpi(254);
  const QString file = path(QStringLiteral("page") + QLatin1String(format.extension));
  ASSERT_TRUE(image.Save(file, format.code)) << image.lastError().toStdString();
  EXPECT_EQ(identifiedDpi(file), QStringLiteral("254 254"));

  CxImage back;
  ASSERT_TRUE(back.Load(file, format.code)) << back.lastError().toStdString();
  EXPECT_EQ(back.Width(), 90);
  EXPECT_EQ(back.Height(), 60);
  EXPECT_EQ(back.XDpi(), 254);
  EXPECT_EQ(back.YDpi(), 254);

  const QByteArray encoded = image.Encode(format.code);
  ASSERT_FALSE(encoded.isEmpty());
  ASSERT_TRUE(back.Decode(encoded, format.code));
  EXPECT_EQ(back.Width(), 90);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, CxImageFormatTest,
                         ::testing::Values(FormatCase{PictureFormat::Bmp, ".bmp"},
                                           FormatCase{PictureFormat::Gif, ".gif"},
                                           FormatCase{PictureFormat::Jpeg, ".jpg"},
                                           FormatCase{PictureFormat::Png, ".png"},
                                           FormatCase{PictureFormat::Tiff, ".tiff"}),
                         [](const auto& param) { return std::string(param.param.extension + 1); });

TEST_F(CxImageTest, RotateQuarterSwapsTheSizeAndTurnsClockwise) {
  ASSERT_TRUE(image.Decode(encode(twoHalves(80, 40), ".png"), PictureFormat::Png));
  ASSERT_TRUE(image.RotateQuarter());
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Height(), 80);
  PictureRegistry registry;
  const QImage* turned = registry.picture(registry.LoadPicture(image.Encode(PictureFormat::Bmp)));
  ASSERT_NE(turned, nullptr);
  EXPECT_GT(qRed(turned->pixel(20, 10)), 200);  // the left half is now on top
  EXPECT_GT(qBlue(turned->pixel(20, 70)), 200);
}

TEST_F(CxImageTest, BmpPixelsPassThroughUnchangedWhateverTheRowPadding) {
  // 7 pixels of RGB leave padded rows; 8 do not
  for (int width : {7, 8}) {
    QImage source(width, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) source.setPixel(x, y, qRgb(x * 30, y * 80, 255 - x * 20));
    ASSERT_TRUE(image.Decode(encode(source, ".bmp"), PictureFormat::Bmp));
    PictureRegistry registry;
    const QImage* back = registry.picture(registry.LoadPicture(image.Encode(PictureFormat::Bmp)));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->size(), source.size());
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(back->pixel(x, y), source.pixel(x, y)) << width << " wide, at " << x << "," << y;
  }
}

TEST_F(CxImageTest, TakenBitmapIsHeldAsItsBmpBytesWouldBe) {
  QImage drawn = twoHalves(9, 4);
  drawn.setDotsPerMeterX(3780);
  drawn.setDotsPerMeterY(3780);
  CxImage decoded;
  ASSERT_TRUE(decoded.Decode(encode(drawn, ".bmp"), PictureFormat::Bmp));
  ASSERT_TRUE(image.TakeBitmap(drawn));
  EXPECT_EQ(image.SourceFormat(), PictureFormat::Bmp);
  EXPECT_EQ(image.XDpi(), decoded.XDpi());
  EXPECT_EQ(image.YDpi(), 96);
  EXPECT_EQ(image.Encode(PictureFormat::Bmp), decoded.Encode(PictureFormat::Bmp));

  EXPECT_FALSE(image.TakeBitmap(QImage()));
  EXPECT_FALSE(image.IsValid());
}

TEST_F(CxImageTest, ResampleGivesExactlyTheSizeAsked) {
  ASSERT_TRUE(image.Decode(encode(twoHalves(4000, 3000), ".jpg"), PictureFormat::Jpeg));
  for (QSize size :
       {QSize(1066, 800), QSize(1600, 1200), QSize(333, 777), QSize(1, 1), QSize(4001, 2999)}) {
    ASSERT_TRUE(image.Resample(size.width(), size.height(), 0));
    EXPECT_EQ(QSize(image.Width(), image.Height()), size);
  }
  EXPECT_FALSE(image.Resample(0, 10, 0));
  EXPECT_FALSE(image.Resample(60000, 60000, 0));
}

TEST_F(CxImageTest, BadInputFailsAndLeavesNothingHeld) {
  const QByteArray jpeg = encode(twoHalves(200, 100), ".jpg");
  writeFile(path("text.jpg"), "plain text, not a photo");
  writeFile(path("empty.jpg"), {});
  writeFile(path("truncated.jpg"), jpeg.left(jpeg.size() / 2));
  writeFile(path("bomb.jpg"), withClaimedJpegSize(jpeg, 60000, 60000));
  const QByteArray bmp = encode(twoHalves(200, 100), ".bmp");
  writeFile(path("truncated.bmp"), bmp.left(bmp.size() - 10));
  for (const char* name :
       {"text.jpg", "empty.jpg", "truncated.jpg", "bomb.jpg", "truncated.bmp", "missing.jpg"}) {
    ASSERT_TRUE(image.Decode(jpeg, PictureFormat::Jpeg));
    EXPECT_FALSE(image.Load(path(QString::fromLatin1(name)), PictureFormat::Jpeg)) << name;
    EXPECT_FALSE(image.IsValid()) << name;
    EXPECT_EQ(image.Width(), 0) << name;
    EXPECT_FALSE(image.lastError().isEmpty()) << name;
    EXPECT_TRUE(image.Encode(PictureFormat::Jpeg).isEmpty()) << name;
  }
  // judged by the size it claims, not the eighth of it that shrink-on-load would decode
  EXPECT_FALSE(image.LoadShrunk(path("bomb.jpg"), PictureFormat::Jpeg, 100, 100));
  EXPECT_FALSE(image.RotateQuarter());
  EXPECT_FALSE(image.Save(path("out.jpg"), PictureFormat::Jpeg));
  EXPECT_FALSE(QFile::exists(path("out.jpg")));
}

TEST_F(CxImageTest, SourceFormatComesFromTheContent) {
  const QImage picture = twoHalves(20, 10);
  for (const FormatCase& c :
       {FormatCase{PictureFormat::Bmp, ".bmp"}, FormatCase{PictureFormat::Gif, ".gif"},
        FormatCase{PictureFormat::Jpeg, ".jpg"}, FormatCase{PictureFormat::Png, ".png"},
        FormatCase{PictureFormat::Tiff, ".tif"}}) {
    ASSERT_TRUE(
        image.Decode(encode(picture, QString::fromLatin1(c.extension)), PictureFormat::Unknown))
        << c.extension;
    EXPECT_EQ(image.SourceFormat(), c.code) << c.extension;
  }
  EXPECT_FALSE(image.Decode("garbage", PictureFormat::Unknown));
  EXPECT_EQ(image.SourceFormat(), PictureFormat::Unknown);
}

TEST_F(CxImageTest, UnknownFormatCodeEncodesNothing) {
  ASSERT_TRUE(image.Decode(encode(twoHalves(20, 20), ".png"), PictureFormat::Unknown));
  EXPECT_TRUE(image.Encode(PictureFormat::Unknown).isEmpty());
  EXPECT_TRUE(image.Encode(PictureFormat(5)).isEmpty());
  EXPECT_FALSE(image.Save(path("x.out"), PictureFormat(7)));
  EXPECT_FALSE(QFile::exists(path("x.out")));
}

TEST_F(CxImageTest, UprightLikeTheRegistrySoBothPathsAgreeOnTheSize) {
  const QString file = path("turned.jpg");
  ASSERT_TRUE(write(file, twoHalves(80, 40), 6));
  ASSERT_TRUE(image.Load(file, PictureFormat::Jpeg));
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Height(), 80);
  PictureRegistry registry;
  const QImage* viaRegistry = registry.picture(registry.LoadPicture(file));
  ASSERT_NE(viaRegistry, nullptr);
  EXPECT_EQ(viaRegistry->size(), QSize(image.Width(), image.Height()));
  const QImage* reencoded =
      registry.picture(registry.LoadPicture(image.Encode(PictureFormat::Jpeg)));
  ASSERT_NE(reencoded, nullptr);
  EXPECT_EQ(reencoded->size(), QSize(40, 80));  // no second turn from a left-over tag
  EXPECT_GT(qRed(reencoded->pixel(20, 10)), 180);
}

TEST_F(CxImageTest, LoadShrunkStaysAtLeastTheTargetSize) {
  const QString file = path("big.jpg");
  ASSERT_TRUE(write(file, twoHalves(4000, 3000)));
  ASSERT_TRUE(image.LoadShrunk(file, PictureFormat::Jpeg, 500, 400));
  EXPECT_EQ(image.Width(), 1000);  // shrunk by 4 on load: 8 would fall below 400 high
  EXPECT_EQ(image.Height(), 750);
  ASSERT_TRUE(image.LoadShrunk(file, PictureFormat::Jpeg, 3000, 3000));
  EXPECT_EQ(image.Width(), 4000);
  const QString turned = path("turned.jpg");
  ASSERT_TRUE(write(turned, twoHalves(4000, 3000), 6));
  ASSERT_TRUE(
      image.LoadShrunk(turned, PictureFormat::Jpeg, 700, 1000));  // upright it is 3000 × 4000
  EXPECT_EQ(image.Width(), 750);
  EXPECT_EQ(image.Height(), 1000);
}

TEST_F(CxImageTest, SaveReplacesTheFileWhole) {
  const QString file = path("page.jpg");
  writeFile(file, QByteArray(500000, 'x'));
  ASSERT_TRUE(image.Decode(encode(twoHalves(30, 20), ".png"), PictureFormat::Png));
  ASSERT_TRUE(image.Save(file, PictureFormat::Jpeg));
  CxImage back;
  ASSERT_TRUE(back.Load(file, PictureFormat::Jpeg));
  EXPECT_EQ(back.Width(), 30);
  EXPECT_LT(QFileInfo(file).size(), 100000);
}
