#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>

#include "AlbumFixture.h"
#include "cli/PrintOptions.h"
#include "cli/PrintRun.h"
#include "settings/PrintSettingsWindow.h"

using namespace album;

namespace {

// The pixels of every page file in the folders, in an order that does not depend on
// the files' names (those carry the time they were written).
QList<QByteArray> PagePixels(const QStringList& folders) {
  QList<QByteArray> pages;
  for (const QString& folder : folders) {
    for (const QString& file : PageFiles(folder)) {
      const QImage page = QImage(file).convertToFormat(QImage::Format_RGB32);
      pages.append(QByteArray(reinterpret_cast<const char*>(page.constBits()), page.sizeInBytes()) +
                   QByteArray::number(page.width()));
    }
  }
  std::sort(pages.begin(), pages.end());
  return pages;
}

TEST(CommandLineAndWindow, MakeTheSamePageFilesPixelForPixel) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString photos = dir.filePath("photos");
  MakePhotos(photos, QStringLiteral("海边"), 7);
  MakePhotos(photos, QStringLiteral("山里"), 3, 50);
  for (const char* folder : {"window1", "window2", "cli"}) QDir(dir.path()).mkpath(folder);
  const QString header = QStringLiteral("&f 第&p页/共&a页 &y年&m月&d日");
  const QString footer = QStringLiteral("班级相册");
  const QDate day = QDate::currentDate();

  Program program;
  SettingsWindowScript settingsWindow;
  program.Search(photos);
  program.window->headerEdit()->setText(header);
  program.window->footerEdit()->setText(footer);
  AcceptColumns(program.dialogs);
  program.dialogs.queueAnswer(AnswerTimedOut);
  program.dialogs.queueAnswer(AnswerTimedOut);
  program.dialogs.queueFolder(dir.filePath("window1"));
  program.dialogs.queueFolder(dir.filePath("window2"));
  settingsWindow.queue([](PrintSettingsWindow& window) {
    SetText(window, "编辑框_行数", QStringLiteral("2"));
    SetText(window, "编辑框_列数", QStringLiteral("3"));
    SetText(window, "编辑框_上边距", QStringLiteral("15"));
    SetChecked(window, "单选框_横向打印", true);
    SelectIndex(window, "组合框_照片打印方式", 3);
    SelectIndex(window, "组合框_正文对齐方式", 1);
    SelectIndex(window, "组合框_页眉对齐", 0);
    SelectIndex(window, "组合框_图片优化比率", 1);
    SetChecked(window, "选择框_打印到图片文件", true);
    SelectIndex(window, "组合框_图片格式", 4);
    Click(window, "按钮_确定");
  });
  program.PressPreparePrint();
  ASSERT_EQ(program.window->statusText(), QStringLiteral("打印完毕！"));

  // The settings the window was given above, as options.
  const QStringList options =
      QStringLiteral(
          "--format png --rows 2 --cols 3 --margins 15,18,5,15 --landscape --fit 3 "
          "--caption-align left --header-align left --level 1")
          .split(u' ');
  const ParsedCommand parsed =
      ParsePrintCommand(options + QStringList{"--out", dir.filePath("cli"), "--header", header,
                                              "--footer", footer, photos});
  ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
  QString errors;
  PrintRunConsole console;
  console.writeError = [&errors](const QString& text) { errors += text; };
  EXPECT_EQ(RunPrint(parsed.command, console), kExitDone) << errors.toStdString();
  if (QDate::currentDate() != day) GTEST_SKIP() << "the date changed between the two runs";

  const QList<QByteArray> fromWindow =
      PagePixels({dir.filePath("window1"), dir.filePath("window2")});
  EXPECT_EQ(fromWindow.size(), 3);  // 海边 on two pages of 2 × 3, 山里 on one
  EXPECT_TRUE(fromWindow == PagePixels({dir.filePath("cli")}));
}

}  // namespace
