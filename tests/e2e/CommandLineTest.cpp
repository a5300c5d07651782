#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <vips/vips8>

#include "AlbumFixture.h"
#include "CupsPdfQueue.h"
#include "cli/PrintOptions.h"
#include "cli/PrintRun.h"
#include "settings/PrintSettingsWindow.h"
#include "settings/SettingSets.h"
#include "settings/SettingsFile.h"

using namespace album;

namespace {

// A page file as libvips reads it: every format the page files are written in.
QImage ReadPage(const QString& file) {
  static const bool started = VIPS_INIT("e2e") == 0;
  if (!started) return {};
  void* png = nullptr;
  size_t size = 0;
  try {
    vips::VImage::new_from_file(file.toUtf8().constData()).write_to_buffer(".png", &png, &size);
  } catch (const vips::VError& error) {
    ADD_FAILURE() << file.toStdString() << ": " << error.what();
    return {};
  }
  QImage page = QImage::fromData(static_cast<const uchar*>(png), static_cast<int>(size), "PNG");
  g_free(png);
  return page;
}

// The pixels of a picture, with its width, for comparing whole pages.
QByteArray PixelsOf(const QImage& picture) {
  const QImage page = picture.convertToFormat(QImage::Format_RGB32);
  return QByteArray(reinterpret_cast<const char*>(page.constBits()), page.sizeInBytes()) +
         QByteArray::number(page.width());
}

// Every page of the PDF, rendered by pdftoppm.
QList<QImage> RenderedPdfPages(const QString& pdf) {
  QTemporaryDir out;
  QProcess pdftoppm;
  pdftoppm.start(QStringLiteral("pdftoppm"),
                 {"-r", "40", "-png", pdf, out.filePath(QStringLiteral("page"))});
  if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) {
    ADD_FAILURE() << "pdftoppm could not render " << pdf.toStdString();
    return {};
  }
  QList<QImage> pages;
  for (const QString& file : QDir(out.path()).entryList({"*.png"}, QDir::Files, QDir::Name))
    pages.append(QImage(out.filePath(file)));
  return pages;
}

// The pixels of every page in the folders — page files as they are, PDF files page by
// page — in an order that does not depend on the files' names (those carry the time
// they were written).
QList<QByteArray> PagePixels(const QStringList& files) {
  QList<QByteArray> pages;
  for (const QString& file : files) {
    if (file.endsWith(QStringLiteral(".pdf"))) {
      for (const QImage& page : RenderedPdfPages(file)) pages.append(PixelsOf(page));
    } else {
      pages.append(PixelsOf(ReadPage(file)));
    }
  }
  std::sort(pages.begin(), pages.end());
  return pages;
}

QStringList FilesIn(const QStringList& folders) {
  QStringList files;
  for (const QString& folder : folders) files += PageFiles(folder);
  return files;
}

// The PDFs the queue writes beyond those in "before", once count of them are complete.
QStringList NewQueuePdfs(const CupsPdfQueue& queue, const QSet<QString>& before, int count) {
  QElapsedTimer waited;
  waited.start();
  QHash<QString, qint64> lastSizes;
  QStringList complete;
  while (waited.elapsed() < 90000) {
    complete.clear();
    for (const QFileInfo& file : QDir(queue.outputFolder()).entryInfoList({"*.pdf"}, QDir::Files)) {
      if (before.contains(file.fileName())) continue;
      // Complete once it reads as a PDF and has stopped growing.
      if (file.size() > 0 && lastSizes.value(file.filePath()) == file.size() &&
          readPdfInfo(file.filePath()).ok)
        complete.append(file.filePath());
      lastSizes[file.filePath()] = file.size();
    }
    if (complete.size() >= count) return complete;
    QThread::msleep(250);
  }
  return complete;
}

QSet<QString> QueuePdfs(const CupsPdfQueue& queue) {
  const QStringList names = QDir(queue.outputFolder()).entryList({"*.pdf"}, QDir::Files);
  return QSet<QString>(names.begin(), names.end());
}

// Where a run's pages go: a page-file format of the settings window's list (its index),
// or the printer.
struct Output {
  const char* name;
  int formatIndex;  // of 组合框_图片格式; -1: the CUPS-PDF printer
  const char* format;
};

void PrintTo(const Output& output, std::ostream* os) {
  *os << output.name;
}

// One album — two categories, ten photos — printed from the window and from the command
// line with the same settings.
class SameAlbum : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    MakePhotos(Path("photos"), QStringLiteral("海边"), 7);
    MakePhotos(Path("photos"), QStringLiteral("山里"), 3, 50);
    for (const char* folder : {"window1", "window2", "cli"}) QDir(dir.path()).mkpath(folder);
  }

  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

  // The settings the window is given, and then the same as options.
  static void ChooseSettings(PrintSettingsWindow& window) {
    // A small paper keeps the pages quick to write and compare.
    SetText(window, "编辑框_宽度", QStringLiteral("100"));
    SetText(window, "编辑框_高度", QStringLiteral("150"));
    SetText(window, "编辑框_行数", QStringLiteral("2"));
    SetText(window, "编辑框_列数", QStringLiteral("3"));
    SetText(window, "编辑框_上边距", QStringLiteral("15"));
    SetChecked(window, "单选框_横向打印", true);
    SelectIndex(window, "组合框_照片打印方式", 3);
    SelectIndex(window, "组合框_正文对齐方式", 1);
    SelectIndex(window, "组合框_页眉对齐", 0);
    SelectIndex(window, "组合框_图片优化比率", 1);
  }
  QStringList SameSettingsAsOptions() const {
    return QStringLiteral(
               "--paper 100x150mm --rows 2 --cols 3 --margins 15,18,5,15 --landscape --fit 3 "
               "--caption-align left --header-align left --level 1")
               .split(u' ') +
           QStringList{"--header", kHeader, "--footer", kFooter};
  }

  // Searches the photos, types the header and footer and presses 准备打印; inWindow sets up
  // and closes the settings window.
  void PrintPhotosFromWindow(Program& program,
                             const std::function<void(PrintSettingsWindow&)>& inWindow) {
    program.Search(Path("photos"));
    program.window->headerEdit()->setText(kHeader);
    program.window->footerEdit()->setText(kFooter);
    AcceptColumns(program.dialogs);
    program.dialogs.queueFolder(Path("window1"));
    program.dialogs.queueFolder(Path("window2"));
    settingsWindow.queue(inWindow);
    program.PressPreparePrint();
  }

  // Presses 准备打印 with the window's settings chosen and the output selected.
  void PrintFromWindow(Program& program, const std::function<void(PrintSettingsWindow&)>& output) {
    PrintPhotosFromWindow(program, [output](PrintSettingsWindow& window) {
      output(window);
      ChooseSettings(window);
      Click(window, "按钮_确定");
    });
    ASSERT_EQ(program.window->statusText(), QStringLiteral("打印完毕！"));
  }

  void PrintFromCommandLine(const QStringList& arguments,
                            const StartSettingsReader& readSettings = {},
                            const SettingSetReader& readSets = {}) {
    const ParsedCommand parsed =
        ParsePrintCommand(arguments + QStringList{Path("photos")}, readSettings, readSets);
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    QString errors;
    PrintRunConsole console;
    console.writeError = [&errors](const QString& text) { errors += text; };
    EXPECT_EQ(RunPrint(parsed.command, console), kExitDone) << errors.toStdString();
  }

  const QString kHeader = QStringLiteral("&f 第&p页/共&a页 &y年&m月&d日");
  const QString kFooter = QStringLiteral("班级相册");
  QTemporaryDir dir;
  SettingsWindowScript settingsWindow;
};

class CommandLineAndWindow : public SameAlbum, public ::testing::WithParamInterface<Output> {};

TEST_P(CommandLineAndWindow, MakeTheSamePages) {
  const Output& output = GetParam();
  const QDate day = QDate::currentDate();
  std::optional<CupsPdfQueue> queue;
  QStringList fromWindow;
  QStringList fromCommandLine;
  if (output.formatIndex < 0) {
    queue.emplace();
    REQUIRE_CUPS_PDF_QUEUE(*queue);
    const QString name = queue->name();
    const QSet<QString> before = QueuePdfs(*queue);
    Program program;
    PrintFromWindow(program, [name](PrintSettingsWindow& window) {
      auto* printers = window.findChild<QComboBox*>(QStringLiteral("组合框_打印机列表"));
      ASSERT_NE(printers, nullptr);
      printers->setCurrentIndex(printers->findText(name));
      SetChecked(window, "选择框_打印到图片文件", false);
    });
    fromWindow = NewQueuePdfs(*queue, before, 2);
    const QSet<QString> beforeCommandLine = QueuePdfs(*queue);
    PrintFromCommandLine(SameSettingsAsOptions() + QStringList{"--printer", name});
    fromCommandLine = NewQueuePdfs(*queue, beforeCommandLine, 2);
  } else {
    Program program;
    PrintFromWindow(program, [&output](PrintSettingsWindow& window) {
      SetChecked(window, "选择框_打印到图片文件", true);
      SelectIndex(window, "组合框_图片格式", output.formatIndex);
    });
    fromWindow = FilesIn({Path("window1"), Path("window2")});
    PrintFromCommandLine(SameSettingsAsOptions() +
                         QStringList{"--format", output.format, "--out", Path("cli")});
    fromCommandLine = FilesIn({Path("cli")});
  }
  if (QDate::currentDate() != day) GTEST_SKIP() << "the date changed between the two runs";

  // 海边 on two pages of 2 × 3, 山里 on one: page files, or one PDF per job
  EXPECT_EQ(fromWindow.size(), output.formatIndex == 5 || output.formatIndex < 0 ? 2 : 3);
  for (const QString& file : fromWindow + fromCommandLine)
    EXPECT_TRUE(file.endsWith(QStringLiteral(".") + output.format) ||
                (output.formatIndex < 0 && file.endsWith(QStringLiteral(".pdf"))))
        << file.toStdString();
  const QList<QByteArray> windowPages = PagePixels(fromWindow);
  EXPECT_EQ(windowPages.size(), 3);

  EXPECT_TRUE(windowPages == PagePixels(fromCommandLine));
}

INSTANTIATE_TEST_SUITE_P(EveryOutput, CommandLineAndWindow,
                         ::testing::Values(Output{"bmp", 0, "bmp"}, Output{"jpg", 1, "jpg"},
                                           Output{"gif", 2, "gif"}, Output{"tiff", 3, "tiff"},
                                           Output{"png", 4, "png"}, Output{"pdf", 5, "pdf"},
                                           Output{"cups_pdf_printer", -1, "pdf"}),
                         [](const auto& test) { return std::string(test.param.name); });

// The start settings saved by 保存为默认设置 — the settings window's and the main
// window's choices — give the command line the window's pages.
TEST_F(SameAlbum, SettingsSavedByTheWindowGiveTheCommandLineTheSamePages) {
  const QDate day = QDate::currentDate();
  const QString saved = Path("saved.ini");
  {
    Program program;
    program.state.settings.startSettingsFile = saved;
    program.window->byFolderBox()->setChecked(false);
    PrintFromWindow(program, [](PrintSettingsWindow& window) {
      ChooseSettings(window);
      SetChecked(window, "选择框_打印到图片文件", true);
      SelectIndex(window, "组合框_图片格式", 4);
      Click(window, "按钮_保存为默认设置");
    });
  }
  PrintFromCommandLine({"--settings", saved, "--out", Path("cli")},
                       [](const QString& file) { return ReadSettingsFile(file); });
  if (QDate::currentDate() != day) GTEST_SKIP() << "the date changed between the two runs";

  const QList<QByteArray> windowPages = PagePixels(FilesIn({Path("window1"), Path("window2")}));
  EXPECT_EQ(windowPages.size(), 2);  // by page: 10 photos, 6 a page
  EXPECT_TRUE(windowPages == PagePixels(FilesIn({Path("cli")})));
}

// A setting set saved in one run and chosen in the settings window of the next gives
// the pages --preset gives.
TEST_F(SameAlbum, ASettingSetGivesTheWindowAndTheCommandLineTheSamePages) {
  const QDate day = QDate::currentDate();
  const QString saved = Path("config/settings.ini");
  const QString name = QStringLiteral("小相册");
  {
    Program program;
    program.state.settings.startSettingsFile = saved;
    program.Search(Path("photos"));
    AcceptColumns(program.dialogs);
    settingsWindow.queue([&program, name](PrintSettingsWindow& window) {
      ChooseSettings(window);
      SetChecked(window, "选择框_打印到图片文件", true);
      SelectIndex(window, "组合框_图片格式", 4);
      program.dialogs.queueInput(name);
      Click(window, "按钮_保存方案");
      Click(window, "按钮_取消");
    });
    program.PressPreparePrint();
  }
  {
    Program program;
    program.state.settings.startSettingsFile = saved;
    PrintPhotosFromWindow(program, [name](PrintSettingsWindow& window) {
      auto* sets = window.findChild<QComboBox*>(QStringLiteral("组合框_方案"));
      ASSERT_NE(sets, nullptr);
      const int index = sets->findText(name);
      ASSERT_GE(index, 0);
      sets->setCurrentIndex(index);
      Q_EMIT sets->activated(index);
      Click(window, "按钮_确定");
    });
    ASSERT_EQ(program.window->statusText(), QStringLiteral("打印完毕！"));
  }
  const SettingSets sets(saved);
  PrintFromCommandLine(
      {"--preset", name, "--out", Path("cli"), "--header", kHeader, "--footer", kFooter}, {},
      {[&sets] { return sets.Names(); }, [&sets](const QString& set) { return sets.Read(set); }});
  if (QDate::currentDate() != day) GTEST_SKIP() << "the date changed between the two runs";

  const QList<QByteArray> windowPages = PagePixels(FilesIn({Path("window1"), Path("window2")}));
  EXPECT_EQ(windowPages.size(), 3);
  EXPECT_TRUE(windowPages == PagePixels(FilesIn({Path("cli")})));
}

}  // namespace
