#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <tuple>
#include <vips/vips8>

#include "PrintTestPictures.h"
#include "TestPictures.h"
#include "picture/ColourProfile.h"
#include "picture/GifResolution.h"
#include "picture/PictureReader.h"
#include "platform/Paths.h"
#include "print/PageLoops.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

namespace {

const QDateTime kWhen(QDate(2026, 12, 8), QTime(9, 30, 5));

// The colour profile embedded in a picture file as ImageMagick reads it; empty when none.
QByteArray embeddedProfile(const QString& file) {
  QProcess convert;
  convert.start(QStringLiteral("convert"), {file, QStringLiteral("icc:-")});
  convert.waitForFinished(60000);
  return convert.readAllStandardOutput();
}

// A page file's size and the resolution its header gives, read by libvips (BMP through its
// ImageMagick loader) or, for GIF, from the program's own resolution block.
std::tuple<QSize, int, int> sizeAndDpi(const QString& file) {
  QFile in(file);
  in.open(QIODevice::ReadOnly);
  const QByteArray data = in.readAll();
  int xDpi = 0;
  int yDpi = 0;
  if (data.startsWith("GIF")) {
    readGifResolution(data, xDpi, yDpi);
  } else {
    const vips::VImage header = vips::VImage::new_from_file(file.toUtf8().constData());
    xDpi = qRound(header.xres() * 25.4);
    yDpi = qRound(header.yres() * 25.4);
  }
  return {ReadUprightPictureSize(data), xDpi, yDpi};
}

class PictureFilePagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    out = dir.filePath("out");
    QDir().mkpath(out);
    PrintSettings& s = session.printSettings;
    s.photoArea = {0.0f, 0.0f, 1.0f, 0.8f};
    s.textArea = {0.0f, 0.8f, 1.0f, 0.2f};
    s.captionLines = 1;
    s.optimiseLevel = 3;
    s.headerAlign = HeaderAlign::Centre;
    s.footerAlign = HeaderAlign::Centre;
  }

  // A4 portrait 5 × 5 with the built-in margins, the job's pictures and captions.
  PictureFilePageArgs args(const QStringList& photos, const QStringList& captions) {
    PictureFilePageArgs a;
    a.folder = out;
    a.page.paperWidth = 2100;
    a.page.paperHeight = 2970;
    a.page.rows = 5;
    a.page.columns = 5;
    a.page.rowSpacing = 10;
    a.page.columnSpacing = 10;
    a.bodyFont = FontDescription::song9();
    a.page.marginTop = 200;
    a.page.marginBottom = 180;
    a.page.marginLeft = 50;
    a.page.marginRight = 150;
    a.page.headerFromTop = 110;
    a.page.footerFromBottom = 140;
    a.pictureFormat = PageFileFormat::Png;
    a.job.pictures = photos;
    a.job.captions = captions;
    return a;
  }

  QString photo(const QString& name, int width = 400, int height = 300) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(
        testpictures::write(path, testpictures::twoHalves(width, height, Qt::black, Qt::darkBlue)));
    return path;
  }

  PageRunResult run(const PictureFilePageArgs& a) { return PrintPagesToPictureFiles(services, a); }

  QTemporaryDir dir;
  QString out;
  SettingsSession session;
  PictureRegistry pictures;
  ProgressWindowHost progress{session};
  PageLoopServices services = [this] {
    PageLoopServices s(session, pictures, progress);
    s.clock = [] { return kWhen; };
    s.programFolder = QStringLiteral("/nonexistent-program-folder");
    return s;
  }();
};

TEST_F(PictureFilePagesTest, TwentySixPicturesMakeTwoNumberedPages) {
  const QString p = photo("a.jpg");
  const PageRunResult result = run(args(QStringList(26, p), {}));
  EXPECT_TRUE(result.succeeded());
  EXPECT_EQ(result.totalPages, 2);
  EXPECT_EQ(result.writtenFiles,
            (QStringList{out + "/20261208_93005_1.png", out + "/20261208_93005_2.png"}));
  EXPECT_EQ(pictures.liveCount(), 0);
  EXPECT_FALSE(progress.isLoaded());

  // page 2 holds only its first cell
  const QImage page2(result.writtenFiles.value(1));
  ASSERT_EQ(page2.size(), QSize(2100, 2970));
  EXPECT_TRUE(printtest::hasInk(page2, QRect(50, 200, 372, 400)));
  EXPECT_FALSE(printtest::hasInk(page2, QRect(50 + 382, 200, 372, 510)));
  EXPECT_FALSE(printtest::hasInk(page2, QRect(50, 200 + 520, 372, 510)));
}

// One pixel of the page panel is 0.1 mm: 254 dpi prints the page at its paper size. Every
// format that holds a colour profile says the page is sRGB.
TEST_F(PictureFilePagesTest, PagesCarryTheirTrueDensityAndAnSrgbTagInEveryFormat) {
  const struct {
    PageFileFormat format;
    bool srgb;
  } cases[] = {{PageFileFormat::Bmp, false},
               {PageFileFormat::Jpg, true},
               {PageFileFormat::Gif, false},
               {PageFileFormat::Tiff, true},
               {PageFileFormat::Png, true}};
  const QString p = photo("a.jpg");
  for (const auto& c : cases) {
    PictureFilePageArgs a = args({p}, {"x"});
    a.pictureFormat = c.format;
    a.folder = dir.filePath(QString::number(int(c.format)));
    QDir().mkpath(a.folder);
    const PageRunResult result = run(a);
    ASSERT_EQ(result.writtenFiles.size(), 1) << int(c.format);
    const QString file = result.writtenFiles[0];
    const bool srgb = embeddedProfile(file) == SrgbProfile();
    EXPECT_EQ(std::tuple(sizeAndDpi(file), srgb),
              std::tuple(std::tuple(QSize(2100, 2970), 254, 254), c.srgb))
        << file.toStdString();
  }
}

TEST_F(PictureFilePagesTest, LandscapePageIsDrawnLyingAndSavedUpright) {
  PictureFilePageArgs a = args({photo("a.jpg")}, {});
  a.page.landscape = true;
  a.page.rows = a.page.columns = 1;
  a.page.marginTop = a.page.marginBottom = a.page.marginLeft = a.page.marginRight = 0;
  a.job.headerText = QStringLiteral("W");
  a.page.headerFromTop = 0;
  session.printSettings.headerAlign = HeaderAlign::Left;
  session.printSettings.photoArea = {0.0f, 0.5f, 1.0f, 0.5f};  // lower half of the lying page
  const PageRunResult result = run(a);
  ASSERT_EQ(result.writtenFiles.size(), 1);
  const QImage saved(result.writtenFiles[0]);
  ASSERT_EQ(saved.size(), QSize(2100, 2970));
  // the lying page was 2970 × 2100 with its photo in the lower half: after the quarter
  // turn the photo fills one long half of the upright page
  const bool leftHalf = printtest::hasInk(saved, QRect(100, 1400, 900, 100));
  const bool rightHalf = printtest::hasInk(saved, QRect(1100, 1400, 900, 100));
  EXPECT_NE(leftHalf, rightHalf);
}

TEST_F(PictureFilePagesTest, MissingPhotoStillHasItsCaption) {
  PictureFilePageArgs a = args({dir.filePath("gone.jpg")}, {QStringLiteral("说明 caption")});
  a.bodyFont.size = 20;
  a.page.rows = a.page.columns = 1;
  const PageRunResult result = run(a);
  ASSERT_EQ(result.writtenFiles.size(), 1);
  const QImage page(result.writtenFiles[0]);
  // photo area: the top 80 % of the cell, text band below
  const int cellHeight = 2970 - 200 - 180;
  EXPECT_FALSE(printtest::hasInk(page, QRect(50, 200, 1900, int(cellHeight * 0.8) - 2)));
  EXPECT_TRUE(printtest::hasInk(page, QRect(50, 200 + int(cellHeight * 0.8), 1900, 200)));
}

TEST_F(PictureFilePagesTest, PhotosWhoseNamesAreNotValidTextArePrinted) {
  // One small photo drawn as it is, one large enough to be shrunk on loading first.
  const QString small = photo("small.jpg");
  const QString large = dir.filePath("large.jpg");
  ASSERT_TRUE(printtest::writePhoto(large, printtest::noisyPhoto(2000, 1500)));
  const QByteArray folder = NativePath(dir.path());
  const QList<QByteArray> raw = {folder + "/\xfe.jpg", folder + "/\xff\xfe.jpg"};
  ASSERT_EQ(::rename(NativePath(small).constData(), raw[0].constData()), 0);
  ASSERT_EQ(::rename(NativePath(large).constData(), raw[1].constData()), 0);
  const QStringList renamed = {PathFromNative(raw[0]), PathFromNative(raw[1])};
  const PageRunResult result = run(args(renamed, {}));
  ASSERT_EQ(result.writtenFiles.size(), 1);
  const QImage page(result.writtenFiles[0]);
  EXPECT_TRUE(printtest::hasInk(page, QRect(50, 200, 372, 400)));
  EXPECT_TRUE(printtest::hasInk(page, QRect(50 + 382, 200, 372, 400)));
}

TEST_F(PictureFilePagesTest, APipeNamedLikeAPhotoLeavesItsCellEmptyWithoutWaiting) {
  const QString pipe = dir.filePath("pipe.jpg");
  ASSERT_EQ(::mkfifo(NativePath(pipe).constData(), 0644), 0);
  const PageRunResult result = run(args({pipe, photo("a.jpg")}, {}));
  ASSERT_EQ(result.writtenFiles.size(), 1);
  const QImage page(result.writtenFiles[0]);
  EXPECT_FALSE(printtest::hasInk(page, QRect(50, 200, 372, 400)));
  EXPECT_TRUE(printtest::hasInk(page, QRect(50 + 382, 200, 372, 400)));
}

TEST_F(PictureFilePagesTest, HeaderAndFooterCarryThePageNumbers) {
  PictureFilePageArgs a = args(QStringList(26, photo("a.jpg")), {});
  a.job.headerText = QStringLiteral("Page &p of &A");
  a.job.footerText = QStringLiteral("&p");
  const PageRunResult result = run(a);
  ASSERT_EQ(result.writtenFiles.size(), 2);
  const QImage page(result.writtenFiles[1]);
  EXPECT_TRUE(printtest::hasInk(page, QRect(600, 110, 900, 80)));         // header
  EXPECT_TRUE(printtest::hasInk(page, QRect(900, 2970 - 140, 300, 80)));  // footer
  EXPECT_FALSE(printtest::hasInk(page, QRect(0, 0, 2100, 100)));
}

TEST_F(PictureFilePagesTest, ASecondJobInTheSameSecondNeverOverwritesTheFirst) {
  const QString p = photo("a.jpg");
  const PageRunResult first = run(args({p}, {}));
  const QByteArray firstBytes = testpictures::readFile(first.writtenFiles.value(0));
  const PageRunResult second = run(args(QStringList(26, p), {}));
  EXPECT_EQ(second.writtenFiles,
            (QStringList{out + "/20261208_93005_1 (2).png", out + "/20261208_93005_2.png"}));
  EXPECT_EQ(testpictures::readFile(first.writtenFiles.value(0)), firstBytes);
}

TEST_F(PictureFilePagesTest, UnwritablePagesAreReportedByNameAndReason) {
  PictureFilePageArgs a = args(QStringList(30, photo("a.jpg")), {});
  a.folder = dir.filePath("no/such/folder");
  const PageRunResult result = run(a);
  EXPECT_FALSE(result.succeeded());
  EXPECT_TRUE(result.writtenFiles.isEmpty());
  ASSERT_EQ(result.failedFiles.size(), 2);
  EXPECT_TRUE(result.failedFiles[1].fileName.endsWith("20261208_93005_2.png"));
  EXPECT_TRUE(result.failedFiles[1].reason.startsWith(QStringLiteral("文件夹不存在：")));
  const JobOutputReport report = ReportOf(result);
  EXPECT_TRUE(report.started);
  ASSERT_EQ(report.unwrittenFiles.size(), 2);
  EXPECT_TRUE(report.unwrittenFiles[0].contains("20261208_93005_1.png"));
}

TEST_F(PictureFilePagesTest, NonsenseSizesFallBackToTheDefaults) {
  PictureFilePageArgs a = args(QStringList(26, photo("a.jpg")), {});
  a.page.paperWidth = 0;
  a.page.paperHeight = -3;
  a.page.rows = 0;
  a.page.columns = -2;
  a.page.photoFit = 17;
  a.bodyFont = FontDescription();
  const PageRunResult result = run(a);
  EXPECT_EQ(result.totalPages, 2);  // 5 × 5
  ASSERT_EQ(result.writtenFiles.size(), 2);
  EXPECT_EQ(QImageReader(result.writtenFiles[0]).size(), QSize(2100, 2970));
}

TEST_F(PictureFilePagesTest, MarginsWiderThanThePaperDrawNoCellsAndDoNotCrash) {
  PictureFilePageArgs a = args(QStringList(3, photo("a.jpg")), {"a", "b", "c"});
  a.page.marginLeft = 1500;
  a.page.marginRight = 1500;
  const PageRunResult result = run(a);
  ASSERT_EQ(result.writtenFiles.size(), 1);
  EXPECT_FALSE(printtest::hasInk(QImage(result.writtenFiles[0]), QRect(0, 0, 2100, 2970)));
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(PictureFilePagesTest, WithoutUseThisJobTheLastJobIsDrawn) {
  session.lastJob.pictures = QStringList(26, photo("a.jpg"));
  PictureFilePageArgs a = args({}, {});
  a.useThisJob = false;
  EXPECT_EQ(run(a).totalPages, 2);
}

}  // namespace
