// A fully started program that is then told to end from where the test says: idle,
// inside a modal message box, inside a long handler that lets events run, or in the
// middle of a printer job (arguments: job printer, previous default, PDF file).
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
#include "print/PageLoops.h"

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
  return runApplication(1, argv, [where, how, argc, argv](MainWindow& window, AppState& state) {
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
    } else if (std::strcmp(where, "printing") == 0 && argc >= 6) {
      QTimer::singleShot(50, &window, [&window, &state, how, argv] {
        auto* poll = new QTimer(&window);
        // The job has made its printer the default: end the program now.
        QObject::connect(poll, &QTimer::timeout, &window, [&window, &state, how] {
          if (!state.settings.defaultPrinterToRestore.isEmpty()) endFrom(window, how);
        });
        poll->start(20);
        PrintSettings& settings = state.settings.printSettings;
        settings = PrintSettings::builtInDefaults();
        settings.printerName = QString::fromLocal8Bit(argv[3]);
        settings.defaultPrinter = QString::fromLocal8Bit(argv[4]);
        PageLoopServices services{state.settings, state.pictures, state.progressWindow};
        services.printerPdfOutput = QString::fromLocal8Bit(argv[5]);
        PrintJob job;
        job.pictures = QStringList(20000, QStringLiteral("/nonexistent/photo.jpg"));
        PrintPagesToPrinter(services, PrinterArgsFor(job, settings));
        std::puts("handler went on after the printer job");
      });
    }
    std::fflush(stdout);
  });
}
