#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "PageLoopRig.h"
#include "PrintTestPictures.h"
#include "TestPictures.h"
#include "picture/ColourProfile.h"
#include "print/PdfPages.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

namespace {

// What a poppler tool prints for the file.
QString poppler(const QString& tool, QStringList arguments) {
  QProcess process;
  process.start(tool, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

// What a checking tool says is wrong with the file: its errors and a failed exit, or
// nothing.
QString complaints(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(60000)) return tool + " did not finish";
  const QString errors = QString::fromUtf8(process.readAllStandardError());
  if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return errors;
  return errors + QString::fromUtf8(process.readAllStandardOutput()) +
         QStringLiteral("exit %1").arg(process.exitCode());
}

QSizeF pageSizePoints(const QString& pdf, int page) {
  const QString info =
      poppler("pdfinfo", {"-f", QString::number(page), "-l", QString::number(page), pdf});
  const QRegularExpressionMatch m =
      QRegularExpression(R"(size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
  return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

int pageCount(const QString& pdf) {
  return QRegularExpression(R"(Pages:\s+(\d+))")
      .match(poppler("pdfinfo", {pdf}))
      .captured(1)
      .toInt();
}

QString pageText(const QString& pdf, int page) {
  return poppler("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

// The page rendered at 254 dpi: one pixel is 0.1 mm of paper.
QImage renderPage(const QString& pdf, int page) {
  const QString base = pdf + QStringLiteral("-%1").arg(page);
  poppler("pdftoppm", {"-r", "254", "-f", QString::number(page), "-l", QString::number(page),
                       "-singlefile", "-png", pdf, base});
  return QImage(base + ".png");
}

QRect boundsOf(const QImage& image, const QRect& area, QRgb colour) {
  QRect bounds;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (std::abs(qRed(p) - qRed(colour)) < 60 && std::abs(qGreen(p) - qGreen(colour)) < 60 &&
          std::abs(qBlue(p) - qBlue(colour)) < 60)
        bounds |= QRect(x, y, 1, 1);
    }
  return bounds;
}

class PdfPagesTest : public ::testing::Test, protected printtest::PageLoopRig {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    PrintSettings& s = session.printSettings;
    s = PrintSettings::builtInDefaults();
    s.toPictureFiles = true;
    s.pictureFormat = PageFileFormat::Pdf;
    s.photoArea = {0.0f, 0.0f, 1.0f, 0.8f};
    s.textArea = {0.0f, 0.8f, 1.0f, 0.2f};
    services.setDefaultPrinter = [](const QString&) { return true; };
    services.clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(23, 59, 41)); };
    photo = dir.filePath("photo.jpg");
    ASSERT_TRUE(testpictures::write(photo, testpictures::twoHalves(400, 300)));
    for (int i = 1; i <= 26; ++i) {
      job.pictures.append(photo);
      job.captions.append(QStringLiteral("照片%1号 IMG_%1").arg(i));
    }
    job.headerText = QStringLiteral("相册 &Y年");
    job.footerText = QStringLiteral("第 &p 页，共 &A 页");
    out = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
  }

  PageRunResult print() {
    return PrintPagesToPdfFile(services, PdfFileArgsFor(out, job, session.printSettings));
  }

  QString photo;
  QString out;
  PrintJob job;
};

TEST_F(PdfPagesTest, OneA4PdfPerJobWithEveryCaptionHeaderAndFooterAsText) {
  session.printSettings.copies = 3;  // a file is made once
  const PageRunResult result = print();
  ASSERT_TRUE(result.succeeded());
  const QString pdf = out + "/20261208_235941.pdf";
  EXPECT_EQ(result.writtenFiles, QStringList{pdf});
  EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{"20261208_235941.pdf"});
  EXPECT_EQ(pictures.liveCount(), 0);
  EXPECT_FALSE(progress.isLoaded());
  QFile fresh(dir.filePath("fresh"));
  ASSERT_TRUE(fresh.open(QIODevice::WriteOnly));
  EXPECT_EQ(QFileInfo(pdf).permissions(), fresh.permissions());  // not a private temporary

  EXPECT_EQ(pageCount(pdf), 2);
  for (int page = 1; page <= 2; ++page) {
    const QSizeF size = pageSizePoints(pdf, page);
    EXPECT_NEAR(size.width(), 595, 1);
    EXPECT_NEAR(size.height(), 842, 1);
    const QString text = pageText(pdf, page);
    EXPECT_TRUE(text.contains("相册 2026年")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("第 %1 页，共 2 页").arg(page))) << text.toStdString();
    for (int i = (page - 1) * 25 + 1; i <= qMin(26, page * 25); ++i)
      EXPECT_TRUE(text.contains(QStringLiteral("照片%1号 IMG_%1").arg(i))) << text.toStdString();
  }
  const QStringList fonts = poppler("pdffonts", {pdf}).split('\n').mid(2);
  EXPECT_TRUE(std::any_of(fonts.cbegin(), fonts.cend(), [](const QString& line) {
    return line.contains(QRegularExpression("CJK|UKai")) &&
           line.contains(QRegularExpression(R"(\byes\s+yes\s+yes\b)"));
  })) << fonts.join('\n').toStdString();
}

TEST_F(PdfPagesTest, LandscapeAndCustomPaperGiveTheirOwnPageSizes) {
  session.printSettings.landscape = true;
  ASSERT_TRUE(print().succeeded());
  const QSizeF lying = pageSizePoints(out + "/20261208_235941.pdf", 1);
  EXPECT_NEAR(lying.width(), 842, 1);
  EXPECT_NEAR(lying.height(), 595, 1);

  session.printSettings.landscape = false;
  session.printSettings.paperWidth = 1000;
  session.printSettings.paperHeight = 1500;
  session.printSettings.marginTop = session.printSettings.marginBottom = 50;
  ASSERT_TRUE(print().succeeded());
  const QSizeF custom = pageSizePoints(out + "/20261208_235941 (2).pdf", 1);
  EXPECT_NEAR(custom.width(), 100 / 25.4 * 72, 1);
  EXPECT_NEAR(custom.height(), 150 / 25.4 * 72, 1);
}

TEST_F(PdfPagesTest, PhotosAreEmbeddedAtMostAt300PpiAsJpegWithoutOptimisation) {
  session.printSettings.optimiseLevel = 0;
  const QString large = dir.filePath("large.jpg");
  ASSERT_TRUE(printtest::writePhoto(large, printtest::noisyPhoto(3000, 2000)));
  job.pictures = QStringList(3, large);
  job.captions.clear();
  session.printSettings.rows = 1;
  session.printSettings.columns = 2;
  ASSERT_TRUE(print().succeeded());
  const QStringList lines =
      poppler("pdfimages", {"-list", out + "/20261208_235941.pdf"}).split('\n').mid(2);
  int images = 0;
  for (const QString& line : lines) {
    const QStringList f = line.simplified().split(' ');
    if (f.size() < 14) continue;
    ++images;
    EXPECT_EQ(f[8], "jpeg") << line.toStdString();
    EXPECT_LE(f[12].toInt(), 301) << line.toStdString();
    EXPECT_LE(f[13].toInt(), 301) << line.toStdString();
    EXPECT_GE(f[12].toInt(), 250) << line.toStdString();  // reduced, not starved
  }
  EXPECT_EQ(images, 3);
}

// The photos show in the colours of the page files, sRGB named by an embedded profile, in a
// file strict readers take without a complaint.
TEST_F(PdfPagesTest, PhotosAreTaggedSrgbInASoundFile) {
  job.pictures = job.pictures.mid(0, 3);
  ASSERT_TRUE(print().succeeded());
  const QString pdf = out + "/20261208_235941.pdf";
  QStringList spaces;
  for (const QString& line : poppler("pdfimages", {"-list", pdf}).split('\n').mid(2))
    if (!line.isEmpty()) spaces.append(line.simplified().split(' ').value(5));
  EXPECT_EQ(spaces, QStringList(3, "icc"));
  EXPECT_TRUE(testpictures::readFile(pdf).contains(SrgbProfile()));
  EXPECT_EQ(complaints("pdfinfo", {pdf}), "");
  EXPECT_EQ(complaints("qpdf", {"--check", pdf}), "");
}

TEST_F(PdfPagesTest, SecondRunIntoTheSameFolderKeepsTheFirstFile) {
  ASSERT_TRUE(print().succeeded());
  const QByteArray first = testpictures::readFile(out + "/20261208_235941.pdf");
  job.pictures = job.pictures.mid(0, 1);
  const PageRunResult second = print();
  EXPECT_EQ(second.writtenFiles, QStringList{out + "/20261208_235941 (2).pdf"});
  EXPECT_EQ(testpictures::readFile(out + "/20261208_235941.pdf"), first);
  EXPECT_EQ(pageCount(out + "/20261208_235941 (2).pdf"), 1);
}

TEST_F(PdfPagesTest, PhotosLandWhereThePrinterPutsThemAndStandUpright) {
  PrintSettings& s = session.printSettings;
  s.rows = 2;
  s.columns = 3;
  s.photoFit = 1;  // stretched over the photo area: its rectangle is the photo's
  s.photoArea = {0.1f, 0.05f, 0.8f, 0.7f};
  // the first photo lies on its side in the file: red left, blue right, turned by EXIF
  const QString turned = dir.filePath("turned.jpg");
  ASSERT_TRUE(testpictures::write(turned, testpictures::twoHalves(400, 300), 6));
  job.pictures = QStringList(6, photo);
  job.pictures[0] = turned;
  ASSERT_TRUE(print().succeeded());
  const QImage page = renderPage(out + "/20261208_235941.pdf", 1);
  ASSERT_FALSE(page.isNull());

  // the printer's layout: cells of trunc((1900 - 20) / 3) × trunc((2590 - 10) / 2) from
  // the margin corner at (50, 200)
  const int cellWidth = 626, cellHeight = 1290;
  for (const auto& [row, column] : {std::pair{0, 0}, std::pair{1, 2}}) {
    const int left = 50 + column * (cellWidth + 10);
    const int top = 200 + row * (cellHeight + 10);
    const QRect expected(left + int(0.1f * cellWidth), top + int(0.05f * cellHeight),
                         int(0.8f * cellWidth), int(0.7f * cellHeight));
    const QRect cell(left, top, cellWidth, cellHeight);
    const QRect photoRect =
        boundsOf(page, cell, qRgb(255, 0, 0)) | boundsOf(page, cell, qRgb(0, 0, 255));
    EXPECT_NEAR(photoRect.left(), expected.left(), 2) << row << column;
    EXPECT_NEAR(photoRect.top(), expected.top(), 2) << row << column;
    EXPECT_NEAR(photoRect.right(), expected.right(), 2) << row << column;
    EXPECT_NEAR(photoRect.bottom(), expected.bottom(), 2) << row << column;
  }
  // upright, the turned photo's red half is on top
  const QRect first(50, 200, cellWidth, cellHeight);
  EXPECT_LT(boundsOf(page, first, qRgb(255, 0, 0)).center().y(),
            boundsOf(page, first, qRgb(0, 0, 255)).center().y());
}

TEST_F(PdfPagesTest, MissingFolderOrFullDiskIsNamedAndLeavesNoFile) {
  out = dir.filePath("missing");
  PageRunResult result = print();
  EXPECT_TRUE(result.writtenFiles.isEmpty());
  ASSERT_EQ(result.failedFiles.size(), 1);
  EXPECT_EQ(result.failedFiles[0].fileName, out + "/20261208_235941.pdf");
  EXPECT_TRUE(result.failedFiles[0].reason.startsWith("文件夹不存在"));
  EXPECT_FALSE(ReportOf(result).unwrittenFiles.isEmpty());

  // a disk of 64 KiB fills up in the middle of the first photo
  out = dir.filePath("tiny");
  ASSERT_TRUE(QDir().mkpath(out));
  if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", out}) != 0)
    GTEST_SKIP() << "a small disk cannot be mounted here";
  ASSERT_TRUE(printtest::writePhoto(photo, printtest::noisyPhoto(800, 600)));
  result = print();
  const QStringList left = QDir(out).entryList(QDir::Files | QDir::Hidden);
  QProcess::execute("umount", {out});
  EXPECT_TRUE(result.writtenFiles.isEmpty());
  ASSERT_EQ(result.failedFiles.size(), 1);
  EXPECT_EQ(result.failedFiles[0].reason, "磁盘空间不足");
  EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
}

}  // namespace
