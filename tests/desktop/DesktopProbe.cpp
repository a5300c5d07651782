// The whole program on a real X server with a window manager, driven by real mouse and
// keyboard input (xdotool): a click lands on whatever window the user would see at
// that spot. Run as "desktop_probe SCENARIO"; the X display comes from the state file
// named by QUILLMERE_X_STATE (tests/desktop/xsession.sh). Prints "PASS" and ends with
// exit code 0, or prints "FAIL: why" and ends with 1.
#include "DesktopProbe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "app/AppState.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "render/DrawPanel.h"

using namespace desktopprobe;

namespace {

// Photos of one colour, `count` of them, width × height, in folder/album.
// Red with a fine grain, so that decoding one costs about what a camera photo of its
// size does; a flat colour decodes in almost no time.
void makePhotos(const QString& folder, int count, int width, int height) {
  QDir(folder).mkpath(QStringLiteral("album"));
  QImage photo(width, height, QImage::Format_RGB32);
  quint32 grain = 12345;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
    for (int x = 0; x < width; ++x) {
      grain = grain * 1664525u + 1013904223u;
      line[x] = qRgb(200 + int(grain >> 26), int(grain >> 10 & 63), int(grain >> 18 & 63));
    }
  }
  for (int i = 0; i < count; ++i)
    check(photo.save(QStringLiteral("%1/album/%2.jpg").arg(folder).arg(i + 1, 3, 10, QChar(u'0')),
                     "JPG", 95),
          QStringLiteral("cannot write the test photos"));
}

// Search the desktop, print its three photos to page files through the real settings
// window and folder chooser, and find the page file.
void searchAndPrintToPageFiles(Scenario& s) {
  makePhotos(s.photos, 3, 400, 300);
  s.search(3);
  s.printToPageFilesUntilFolderChooser();
  s.script.add(
      QStringLiteral("the folder chooser"), [] { return true; },
      [&s] {
        auto* chooser = activeModal<QFileDialog>();
        auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        click(name);
        xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
        typeText(s.output);
      });
  s.script.add(
      QStringLiteral("the typed folder"),
      [&s] {
        auto* chooser = activeModal<QFileDialog>();
        auto* name =
            chooser ? chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        return name && name->text() == s.output;
      },
      [] {
        auto* chooser = activeModal<QFileDialog>();
        click(chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open));
      });
  // A click that only closed the line's completion list is repeated.
  s.script.add(QStringLiteral("the folder chooser to close"), [] {
    static QElapsedTimer sinceClick;
    auto* chooser = activeModal<QFileDialog>();
    if (!chooser) return true;
    if (!sinceClick.isValid() || sinceClick.elapsed() > 2000) {
      if (sinceClick.isValid())
        click(chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open));
      sinceClick.start();
    }
    return false;
  });
  s.script.add(
      QStringLiteral("打印完毕！"),
      [&s] { return s.window.statusText() == QStringLiteral("打印完毕！"); },
      [&s] {
        const QStringList pages = QDir(s.output).entryList(QDir::Files);
        check(pages.size() == 1 && pages.first().endsWith(QStringLiteral(".jpg")),
              QStringLiteral("page files: %1").arg(pages.join(QLatin1Char(' '))));
        check(QImage(QDir(s.output).filePath(pages.first())).size() == QSize(2100, 2970),
              QStringLiteral("the page file is not an A4 page"));
      });
}

// Message boxes and the folder chooser speak Chinese, also when the session's
// locale is not Chinese.
void chineseDialogs(Scenario& s) {
  makePhotos(s.photos, 1, 40, 30);
  s.search(1);
  s.printToPageFilesUntilFolderChooser();
  s.script.add(
      QStringLiteral("the folder chooser"), [] { return true; },
      [] {
        auto* chooser = activeModal<QFileDialog>();
        const QStringList texts = buttonTexts(chooser);
        check(texts.size() == 2 && texts[0].startsWith(QStringLiteral("取消")) &&
                  texts[1].startsWith(QStringLiteral("选择")),
              QStringLiteral("the folder chooser shows %1").arg(texts.join(QLatin1Char('/'))));
        auto* lookIn = chooser->findChild<QLabel*>(QStringLiteral("lookInLabel"));
        check(lookIn && lookIn->text().contains(QStringLiteral("查找")),
              QStringLiteral("the folder chooser's 'Look in' label is not Chinese"));
        click(chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel));
      });
  s.script.add(QStringLiteral("the folder chooser closed"),
               [] { return activeModal<QFileDialog>() == nullptr; });
}

// A page preview of many large photos stopped with 隐藏 on the progress window,
// clicked where the user sees it: the page is drawn in part.
void previewStoppedByHide(Scenario& s) {
  makePhotos(s.photos, 25, 2400, 1800);
  s.search(25);
  s.script.add(
      QStringLiteral("the photos listed"), [] { return true; },
      [] { click(visible("按钮_打印预览")); });
  s.confirmInputBoxesUntil(QStringLiteral("the settings window"),
                           [] { return visible("PrintSettingsWindow") != nullptr; });
  s.script.add(
      QStringLiteral("the settings window"), [] { return true; },
      [] {
        auto* group = visible("分组框_打印设置");
        click(group->findChild<QPushButton*>(QStringLiteral("按钮_打印预览")));
      });
  s.script.add(
      QStringLiteral("the progress window during the preview"),
      [&s] { return s.state.settings.previewBusy && visible("按钮_隐藏"); },
      [] { click(visible("按钮_隐藏")); });
  s.script.add(
      QStringLiteral("the preview to stop"), [&s] { return !s.state.settings.previewBusy; },
      [] {
        const QImage page = visible<DrawPanel>("画板_预览")->backImage();
        // Cells are drawn row by row: the first row has photos, the last row (below
        // 80 % of the page) none.
        int redFirstRow = 0;
        int redLastRow = 0;
        for (int y = 0; y < page.height(); ++y)
          for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y);
            const bool red = qAlpha(p) > 128 && qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90;
            if (red && y < page.height() * 3 / 10) ++redFirstRow;
            if (red && y > page.height() * 8 / 10) ++redLastRow;
          }
        check(redFirstRow > 0, QStringLiteral("no photo was drawn before the stop"));
        check(redLastRow == 0,
              QStringLiteral("the whole page was drawn: 隐藏 did not stop the preview"));
      });
  s.script.add(
      QStringLiteral("the settings window to close"), [] { return true; },
      [] {
        click(visible("分组框_打印设置")->findChild<QPushButton*>(QStringLiteral("按钮_取消")));
      });
  s.script.add(QStringLiteral("the settings window closed"),
               [] { return visible("PrintSettingsWindow") == nullptr; });
}

}  // namespace

#include "PagesPreviewScenario.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const QString scenario = QString::fromLocal8Bit(argv[1]);
  useTestDisplay();
  QTemporaryDir home;
  check(home.isValid(), QStringLiteral("no temporary folder"));
  qputenv("HOME", QFile::encodeName(home.path()));
  qunsetenv("XDG_CONFIG_HOME");
  const QString desktop = home.filePath(QStringLiteral("Desktop"));
  QDir().mkpath(desktop);
  QDir().mkpath(home.filePath(QStringLiteral("pages")));

  std::unique_ptr<Scenario> s;
  return runApplication(1, argv, [&](MainWindow& window, AppState& state) {
    describeProgram = [&window] {
      QWidget* modal = QApplication::activeModalWidget();
      return QStringLiteral("status bar: %1; in front: %2 %3")
          .arg(window.statusText(),
               modal ? QString::fromLatin1(modal->metaObject()->className()) : QStringLiteral("-"),
               modal ? modal->windowTitle() : QString());
    };
    // The program ends through its own exit, which skips the destructors.
    state.programExit.addCleanup([&home] { home.remove(); });
    s.reset(new Scenario{window, state, desktop, home.filePath(QStringLiteral("pages")), {}, {}});
    if (scenario == QStringLiteral("search-print"))
      searchAndPrintToPageFiles(*s);
    else if (scenario == QStringLiteral("chinese-dialogs"))
      chineseDialogs(*s);
    else if (scenario == QStringLiteral("preview-stop"))
      previewStoppedByHide(*s);
    else if (scenario == QStringLiteral("pages-preview"))
      pagesPreview(*s);
    else if (scenario == QStringLiteral("capture-list-import"))
      captureListImportWithChangedClipboard(*s);
    else
      fail(QStringLiteral("no scenario %1").arg(scenario));
    s->script.add(
        QStringLiteral("the end"), [] { return true; },
        [&window] {
          std::puts("PASS");
          std::fflush(stdout);
          click(window.exitButton());
        });
    s->script.start();
  });
}
