#pragma once

// What the desktop scenarios share: failing with a screenshot, real input through
// xdotool, finding what the user sees, and the script of steps a scenario adds to.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/AppState.h"
#include "app/MainWindow.h"

namespace desktopprobe {

// What the program shows, said when a step fails.
inline std::function<QString()> describeProgram;

// Fails with what the screen showed: a screenshot goes to QUILLMERE_X_FAILURE_SHOT.
[[noreturn]] inline void fail(const QString& why) {
  std::printf("FAIL: %s\n", why.toUtf8().constData());
  if (describeProgram) std::printf("%s\n", describeProgram().toUtf8().constData());
  // Without the window manager no window gets the focus, and a step waiting for it
  // times out; say so, since the screenshot alone only shows frameless windows.
  QProcess wm;
  wm.start(QStringLiteral("xprop"),
           {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
  const bool managed = wm.waitForFinished(5000) && wm.readAllStandardOutput().contains("window id");
  std::printf("window manager: %s\n", managed ? "running" : "not running");
  if (!managed) {
    QFile log(QString::fromLocal8Bit(qgetenv("QUILLMERE_X_STATE")) +
              QStringLiteral(".openbox.log"));
    if (log.open(QIODevice::ReadOnly)) std::printf("openbox said: %s\n", log.readAll().constData());
  }
  std::fflush(stdout);
  const QString shot = QString::fromLocal8Bit(qgetenv("QUILLMERE_X_FAILURE_SHOT"));
  if (!shot.isEmpty())
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"), shot});
  std::_Exit(1);
}

inline void check(bool condition, const QString& why) {
  if (!condition) fail(why);
}

// Points this process at the display the fixture started.
inline void useTestDisplay() {
  QFile state(QString::fromLocal8Bit(qgetenv("QUILLMERE_X_STATE")));
  if (!state.open(QIODevice::ReadOnly)) fail(QStringLiteral("no X session state file"));
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("DISPLAY_NUMBER=(\\d+)"))
                                        .match(QString::fromLatin1(state.readAll()));
  if (!m.hasMatch()) fail(QStringLiteral("no display in the X session state file"));
  qputenv("DISPLAY", ":" + m.captured(1).toLatin1());
  qputenv("QT_QPA_PLATFORM", "xcb");
  qunsetenv("QT_QPA_PLATFORMTHEME");
}

inline void xdotool(const QStringList& arguments) {
  check(QProcess::execute(QStringLiteral("xdotool"), arguments) == 0,
        QStringLiteral("xdotool %1 failed").arg(arguments.join(QLatin1Char(' '))));
}

// Lets the window manager place the widget's window and the program draw it.
inline void settle(QWidget* widget) {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 300 ||
         (waited.elapsed() < 5000 &&
          !(widget->window()->windowHandle() && widget->window()->windowHandle()->isExposed())))
    QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// A real click in the middle of the widget, wherever it is on the screen.
inline void click(QWidget* widget, QPoint at = {-1, -1}) {
  check(widget && widget->isVisible(), QStringLiteral("nothing visible to click"));
  settle(widget);
  const QPoint local = at.x() < 0 ? widget->rect().center() : at;
  const QPoint global = widget->mapToGlobal(local);
  xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
           QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
}

inline void typeText(const QString& text) {
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

inline QStringList buttonTexts(QWidget* dialog) {
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

// Scenarios kept in files of their own.
void captureListImportWithChangedClipboard(Scenario& s);

}  // namespace desktopprobe
