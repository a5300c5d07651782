// The whole program on a real X server with a window manager, driven by real mouse and
// keyboard input (xdotool): a click lands on whatever window the user would see at
// that spot. Run as "desktop_probe SCENARIO"; the X display comes from the state file
// named by QUILLMERE_X_STATE (tests/desktop/xsession.sh). Prints "PASS" and ends with
// exit code 0, or prints "FAIL: why" and ends with 1.
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

namespace {

// What the program shows, said when a step fails.
std::function<QString()> describeProgram;

// Fails with what the screen showed: a screenshot goes to QUILLMERE_X_FAILURE_SHOT.
[[noreturn]] void fail(const QString& why) {
  std::printf("FAIL: %s\n", why.toUtf8().constData());
  if (describeProgram) std::printf("%s\n", describeProgram().toUtf8().constData());
  std::fflush(stdout);
  const QString shot = QString::fromLocal8Bit(qgetenv("QUILLMERE_X_FAILURE_SHOT"));
  if (!shot.isEmpty())
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"), shot});
  std::_Exit(1);
}

void check(bool condition, const QString& why) {
  if (!condition) fail(why);
}

// Points this process at the display the fixture started.
void useTestDisplay() {
  QFile state(QString::fromLocal8Bit(qgetenv("QUILLMERE_X_STATE")));
  if (!state.open(QIODevice::ReadOnly)) fail(QStringLiteral("no X session state file"));
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("DISPLAY_NUMBER=(\\d+)"))
                                        .match(QString::fromLatin1(state.readAll()));
  if (!m.hasMatch()) fail(QStringLiteral("no display in the X session state file"));
  qputenv("DISPLAY", ":" + m.captured(1).toLatin1());
  qputenv("QT_QPA_PLATFORM", "xcb");
  qunsetenv("QT_QPA_PLATFORMTHEME");
}

void xdotool(const QStringList& arguments) {
  check(QProcess::execute(QStringLiteral("xdotool"), arguments) == 0,
        QStringLiteral("xdotool %1 failed").arg(arguments.join(QLatin1Char(' '))));
}

// Lets the window manager place the widget's window and the program draw it.
void settle(QWidget* widget) {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 300 ||
         (waited.elapsed() < 5000 &&
          !(widget->window()->windowHandle() && widget->window()->windowHandle()->isExposed())))
    QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// A real click in the middle of the widget, wherever it is on the screen.
void click(QWidget* widget, QPoint at = {-1, -1}) {
  check(widget && widget->isVisible(), QStringLiteral("nothing visible to click"));
  settle(widget);
  const QPoint local = at.x() < 0 ? widget->rect().center() : at;
  const QPoint global = widget->mapToGlobal(local);
  xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
           QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void typeText(const QString& text) {
  xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

template <typename W = QWidget>
W* visible(const char* name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    if (top->objectName() == QString::fromUtf8(name))
      if (auto* w = qobject_cast<W*>(top)) return w;
    for (W* w : top->findChildren<W*>(QString::fromUtf8(name)))
      if (w->isVisible()) return w;
  }
  return nullptr;
}

template <typename W>
W* activeModal() {
  return qobject_cast<W*>(QApplication::activeModalWidget());
}

QStringList buttonTexts(QWidget* dialog) {
  QStringList texts;
  for (auto* box : dialog->findChildren<QDialogButtonBox*>())
    for (QAbstractButton* b : box->buttons())
      if (b->isVisible()) texts << b->text().remove(QLatin1Char('&'));
  texts.sort();
  return texts;
}

// Steps run one after the other: each waits until it is ready (polled every 100 ms,
// also inside the program's modal dialogs and busy loops), then acts.
class Script : public QObject {
public:
  struct Step {
    QString what;
    std::function<bool()> ready;
    std::function<void()> act;
  };

  void add(QString what, std::function<bool()> ready, std::function<void()> act = {}) {
    steps_.push_back({std::move(what), std::move(ready), std::move(act)});
  }
  void start() {
    timer_.start();
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] { tick(); });
    poll->start(100);
  }

private:
  void tick() {
    if (busy_ || next_ >= steps_.size()) return;
    const Step& step = steps_[next_];
    if (!step.ready()) {
      if (timer_.elapsed() > kStepTimeoutMs) fail(QStringLiteral("timed out: %1").arg(step.what));
      return;
    }
    busy_ = true;  // an action may open a modal dialog whose loop polls again
    ++next_;
    timer_.restart();
    if (step.act) step.act();
    busy_ = false;
  }

  static constexpr int kStepTimeoutMs = 60000;
  std::vector<Step> steps_;
  size_t next_ = 0;
  bool busy_ = false;
  QElapsedTimer timer_;
};

struct Scenario {
  MainWindow& window;
  AppState& state;
  QString photos;  // the folder searched: the desktop folder
  QString output;  // where page files go
  Script script;
  QPointer<QWidget> answered;  // the dialog clicked last, which may not have gone yet

  // Select 桌面 in the folder tree and search it with its sub-folders.
  void search(int expectedRows) {
    script.add(
        QStringLiteral("the main window"), [this] { return window.isVisible(); },
        [this] {
          QTreeWidget* tree = window.folderTree();
          QTreeWidgetItem* desktop = tree->topLevelItem(0);
          click(tree->viewport(), tree->visualItemRect(desktop).center());
        });
    script.add(
        QStringLiteral("桌面 chosen in the tree"),
        [this] { return !state.collect.folderPath.isEmpty(); },
        [this] { click(visible("按钮_文件夹搜索")); });
    script.add(QStringLiteral("the search to list the photos"), [this, expectedRows] {
      const QAbstractItemModel* table = window.pictureList()->model();
      return state.collect.searchDone && table && table->rowCount() == expectedRows;
    });
  }

  // The column input boxes are confirmed as proposed until `until` is true.
  void confirmInputBoxesUntil(QString what, std::function<bool()> until) {
    script.add(std::move(what), [this, until] {
      if (until()) return true;
      QDialog* input = activeModal<QDialog>();
      if (input && input != answered && input->objectName() == QStringLiteral("输入框") &&
          input->isVisible()) {
        answered = input;
        click(input->findChild<QPushButton*>(QStringLiteral("按钮_确认输入")));
      }
      return false;
    });
  }

  // A message box on top: its buttons must be Chinese; then it is answered OK.
  void answerMessageBox(const QString& what) {
    script.add(
        what,
        [this] {
          auto* box = activeModal<QMessageBox>();
          return box && box != answered && box->isVisible();
        },
        [this, what] {
          auto* box = activeModal<QMessageBox>();
          answered = box;
          const QStringList texts = buttonTexts(box);
          check(texts.contains(QStringLiteral("确定")) && !texts.contains(QStringLiteral("OK")),
                QStringLiteral("%1 shows the buttons %2").arg(what, texts.join(QLatin1Char('/'))));
          click(box->button(QMessageBox::Ok));
        });
  }

  // 准备打印 on the main window up to the folder chooser for the page files.
  void printToPageFilesUntilFolderChooser() {
    script.add(
        QStringLiteral("the photos listed"), [] { return true; },
        [] { click(visible("按钮_文件夹准备打印")); });
    confirmInputBoxesUntil(QStringLiteral("the column confirmation"),
                           [] { return activeModal<QMessageBox>() != nullptr; });
    answerMessageBox(QStringLiteral("the column confirmation"));
    answerMessageBox(QStringLiteral("the prompt to go on"));
    script.add(
        QStringLiteral("the settings window"),
        [] { return visible("PrintSettingsWindow") && visible("选择框_打印到图片文件"); },
        [] { click(visible("选择框_打印到图片文件")); });
    script.add(
        QStringLiteral("打印成图片 checked"),
        [] { return visible<QCheckBox>("选择框_打印到图片文件")->isChecked(); },
        [] { click(visible("按钮_确定")); });
    script.add(QStringLiteral("the folder chooser"), [] {
      auto* chooser = activeModal<QFileDialog>();
      return chooser && chooser->isVisible();
    });
  }
};

// Photos of one colour, `count` of them, width × height, in folder/album.
void makePhotos(const QString& folder, int count, int width, int height) {
  QDir(folder).mkpath(QStringLiteral("album"));
  QImage photo(width, height, QImage::Format_RGB32);
  photo.fill(Qt::red);
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
  makePhotos(s.photos, 25, 1600, 1200);
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
