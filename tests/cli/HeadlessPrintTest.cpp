#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "CupsPdfQueue.h"
#include "TestPictures.h"

// `quillmere print` as a script starts it: its own process, no display, no Qt platform
// chosen, no window manager.
namespace {

struct ProcessRun {
  int exitCode = -1;
  QString errors;  // standard error
};

ProcessRun RunQuillmere(const QStringList& arguments, const QByteArray& standardInput = {}) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(QString::fromLatin1(name));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(QUILLMERE_EXECUTABLE), QStringList{"print"} + arguments);
  process.write(standardInput);
  process.closeWriteChannel();
  if (!process.waitForFinished(180000)) process.kill();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardError())};
}

class HeadlessPrint : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath(QStringLiteral("photos"));
    // Twelve photos at 2 × 2 cells: three pages, one category.
    table = QStringLiteral("序号\t图片名全称\t图片类别\t图片说明\r\n");
    for (int i = 1; i <= 12; ++i) {
      const QString photo = dir.filePath(QStringLiteral("photos/%1.jpg").arg(i));
      ASSERT_TRUE(testpictures::write(photo, testpictures::twoHalves(400, 300)));
      table += QStringLiteral("%1\t%2\t班级\t照片%1\r\n").arg(i).arg(photo);
    }
    ASSERT_TRUE(testpictures::writeFile(dir.filePath("album.txt"), table.toUtf8()));
  }

  QTemporaryDir dir;
  QString table;
};

TEST_F(HeadlessPrint, ThreePagesFromStandardInputToPngFiles) {
  const QString out = dir.filePath(QStringLiteral("pages"));
  const ProcessRun run = RunQuillmere(
      {"--out", out, "--format", "png", "--rows", "2", "--cols", "2", "-"}, table.toUtf8());
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  EXPECT_TRUE(
      run.errors.trimmed().split(u'\n').last().startsWith(QStringLiteral("完成：3 页，12 张照片")))
      << run.errors.toStdString();
  const QStringList files = QDir(out).entryList({"*.png"}, QDir::Files);
  ASSERT_EQ(files.size(), 3);
  for (const QString& file : files)
    EXPECT_EQ(QImage(QDir(out).filePath(file)).size(), QSize(2100, 2970));
}

TEST_F(HeadlessPrint, ThreePagesFromATableFileToTheCupsPdfQueue) {
  CupsPdfQueue queue;
  if (!queue.ready()) GTEST_SKIP() << queue.whyNotReady().toStdString();
  const ProcessRun run = RunQuillmere(
      {"--printer", queue.name(), "--rows", "2", "--cols", "2", dir.filePath("album.txt")});
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  // The job's name begins with the time of day, as cups-pdf names the PDF.
  const QRegularExpressionMatch job =
      QRegularExpression(QStringLiteral("作业“(\\d+)_")).match(run.errors);
  ASSERT_TRUE(job.hasMatch()) << run.errors.toStdString();
  const QString pdf = queue.waitForPdf(job.captured(1) + u'_');
  ASSERT_FALSE(pdf.isEmpty()) << "no PDF came out of " << queue.name().toStdString();
  const PdfInfo info = readPdfInfo(pdf);
  EXPECT_EQ(info.pages, 3);
}

struct Refusal {
  const char* name;
  QStringList arguments;  // {dir} stands for the test's folder
  int exitCode;
  QString message;  // what the one line on standard error begins with
};

class HeadlessRefusals : public HeadlessPrint, public ::testing::WithParamInterface<Refusal> {};

TEST_P(HeadlessRefusals, SayWhyInOneLineWithTheirExitCode) {
  QStringList arguments = GetParam().arguments;
  for (QString& argument : arguments) argument.replace(QStringLiteral("{dir}"), dir.path());
  testpictures::writeFile(dir.filePath("picture.txt"),
                          testpictures::readFile(dir.filePath("photos/1.jpg")));
  testpictures::writeFile(dir.filePath("titles.txt"), "序号\t图片名全称\r\n");
  const ProcessRun run = RunQuillmere(arguments);
  EXPECT_EQ(run.exitCode, GetParam().exitCode);
  QString expected = GetParam().message;
  expected.replace(QStringLiteral("{dir}"), dir.path());
  EXPECT_EQ(run.errors.count(u'\n'), 1) << run.errors.toStdString();
  EXPECT_TRUE(run.errors.startsWith(QStringLiteral("quillmere print: ") + expected))
      << run.errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeadlessRefusals,
    ::testing::Values(
        Refusal{"bad_option",
                {"--rows", "0", "--out", "{dir}/p", "{dir}/album.txt"},
                2,
                "选项 --rows 的值“0”不对"},
        Refusal{"missing_input", {"--out", "{dir}/p", "{dir}/nothing.txt"}, 2, "找不到输入"},
        Refusal{"picture_as_table",
                {"--out", "{dir}/p", "{dir}/picture.txt"},
                2,
                "文件“{dir}/picture.txt”不是文本表格。"},
        Refusal{"unknown_printer",
                {"--printer", "没有这台", "{dir}/album.txt"},
                2,
                "没有名为“没有这台”的打印机"},
        Refusal{"out_is_a_file",
                {"--out", "{dir}/album.txt", "{dir}/album.txt"},
                2,
                "“{dir}/album.txt”不是文件夹。"},
        Refusal{"missing_settings_file",
                {"--settings", "{dir}/none.ini", "--out", "{dir}/p", "{dir}/album.txt"},
                2,
                "找不到设置文件“{dir}/none.ini”。"},
        Refusal{"picture_as_settings_file",
                {"--settings", "{dir}/photos/1.jpg", "--out", "{dir}/p", "{dir}/album.txt"},
                2,
                "读不了设置文件“{dir}/photos/1.jpg”："},
        Refusal{"table_without_rows",
                {"--out", "{dir}/p", "{dir}/titles.txt"},
                1,
                "“{dir}/titles.txt”里没有要打印的图片。"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
