// A fully started program that is then told to end from where the test says: idle,
// inside a modal message box, or inside a long handler that lets events run.
#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/AppState.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "platform/QtDialogs.h"

namespace {

void endFrom(MainWindow& window, const char* how) {
  if (std::strcmp(how, "button") == 0)
    window.exitButton()->click();
  else
    window.close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const char* where = argv[1];
  const char* how = argv[2];
  QStandardPaths::setTestModeEnabled(true);
  return runApplication(1, argv, [where, how](MainWindow& window, AppState& state) {
    state.programExit.addCleanup([] { std::puts("cleanup ran"); });
    if (std::strcmp(where, "idle") == 0) {
      QTimer::singleShot(50, &window, [&window, how] { endFrom(window, how); });
    } else if (std::strcmp(where, "modal") == 0) {
      QTimer::singleShot(50, &window, [&window, how] {
        QTimer::singleShot(100, &window, [&window, how] { endFrom(window, how); });
        QtDialogs dialogs;
        dialogs.messageBox(QStringLiteral("继续吗？"), QStringLiteral("提示"),
                           MessageButtons::OkCancel, MessageIcon::Question, Modality::Task);
        std::puts("handler went on after the modal box");
      });
    } else if (std::strcmp(where, "busy") == 0) {
      QTimer::singleShot(50, &window, [&window, &state, how] {
        QTimer::singleShot(100, &window, [&window, how] { endFrom(window, how); });
        state.collect.searchDone = false;
        for (int i = 0; i < 2000; ++i) {
          QApplication::processEvents();
          QThread::msleep(5);
        }
        std::puts("handler went on after the busy loop");
      });
    }
    std::fflush(stdout);
  });
}
