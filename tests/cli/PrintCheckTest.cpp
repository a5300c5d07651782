#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestPictures.h"
#include "cli/PrintOptions.h"
#include "cli/PrintRun.h"

// `quillmere print --check` and what a real run says of the cells it left empty.
namespace {

using namespace testpictures;

class PrintCheck : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  QString Path(const QString& name) const { return QDir::toNativeSeparators(dir.filePath(name)); }

  // Twelve photos at 2 × 2 cells, three pages of one category; the last four, when
  // asked, are a missing file, a cut-off JPEG, a JPEG that claims 60000 × 60000 pixels
  // and a 320 × 240 photo printed some 9 cm wide.
  QString Table(bool withProblems) {
    const QByteArray photo = encode(twoHalves(1200, 900), ".jpg");
    QString table = QStringLiteral("序号\t图片名全称\t图片类别\t图片说明\r\n");
    for (int i = 1; i <= 12; ++i) {
      const QString name = Path(QStringLiteral("%1.jpg").arg(i, 2, 10, QChar(u'0')));
      QByteArray bytes = photo;
      if (withProblems && i == 10) bytes.truncate(bytes.size() / 2);
      if (withProblems && i == 11) bytes = withClaimedJpegSize(photo, 60000, 60000);
      if (withProblems && i == 12) bytes = encode(twoHalves(320, 240), ".jpg");
      if (!withProblems || i != 9) {
        EXPECT_TRUE(writeFile(name, bytes));
      }
      table += QStringLiteral("%1\t%2\t班级\t照片%1\r\n").arg(i).arg(name);
    }
    const QString file = Path(QStringLiteral("album.txt"));
    EXPECT_TRUE(writeFile(file, table.toUtf8()));
    return file;
  }

  int Run(const QStringList& arguments) {
    const ParsedCommand parsed = ParsePrintCommand(arguments);
    EXPECT_TRUE(parsed.ok()) << parsed.error.toStdString();
    PrintRunConsole console;
    console.writeError = [this](const QString& text) { errors += text; };
    console.writeOutput = [this](const QString& text) { output += text; };
    return RunPrint(parsed.command, console);
  }

  QTemporaryDir dir;
  QString output;
  QString errors;
};

TEST_F(PrintCheck, ListsEveryProblemWithItsPageAndCellAndFailsWhenAPhotoCannotBePrinted) {
  const QString out = dir.filePath(QStringLiteral("pages"));
  EXPECT_EQ(Run({"--check", "--rows", "2", "--cols", "2", "--out", out, Table(true)}), 1)
      << errors.toStdString();
  EXPECT_EQ(output, QStringLiteral(
                        "共 1 个作业，3 页，12 张照片，4 个问题。\n"
                        "第 3 页第 1 格：找不到照片文件（%1）\n"
                        "第 3 页第 2 格：照片文件不完整，后面一部分没有了（%2）\n"
                        "第 3 页第 3 格：照片有 60000 × 60000 像素，超过了 1 亿像素的上限（%3）\n"
                        "第 3 页第 4 格：照片只有 86 ppi，低于 150 ppi，印出来会发虚（%4）\n")
                        .arg(Path("09.jpg"), Path("10.jpg"), Path("11.jpg"), Path("12.jpg")));
  EXPECT_FALSE(QFileInfo::exists(out)) << "a check writes nothing";
}

TEST_F(PrintCheck, PassesACleanTableAndMovesTheResolutionBoundOnRequest) {
  EXPECT_EQ(Run({"--check", "--rows", "2", "--cols", "2", Table(false)}), 0);
  EXPECT_EQ(output, QStringLiteral("共 1 个作业，3 页，12 张照片，0 个问题。\n"));
  output.clear();
  // Soft photos alone do not fail the check.
  EXPECT_EQ(Run({"--check", "--rows", "2", "--cols", "2", "--min-ppi", "400",
                 Path(QStringLiteral("album.txt"))}),
            0);
  EXPECT_TRUE(output.startsWith(QStringLiteral("共 1 个作业，3 页，12 张照片，12 个问题。\n")))
      << output.toStdString();
}

TEST_F(PrintCheck, ARealRunNamesThePhotosOfTheCellsItLeftEmptyAndKeepsItsExitCode) {
  const QString out = dir.filePath(QStringLiteral("pages"));
  EXPECT_EQ(Run({"--rows", "2", "--cols", "2", "--out", out, "--format", "png", Table(true)}), 0);
  EXPECT_TRUE(errors.contains(
      QStringLiteral("有 3 个格子留空了，它们的照片找不到或读不出：\n  %1\n  %2\n  %3\n")
          .arg(Path("09.jpg"), Path("10.jpg"), Path("11.jpg"))))
      << errors.toStdString();
  EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 3);
}

}  // namespace
