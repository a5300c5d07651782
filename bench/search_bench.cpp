// Times the search button of the main window, wired as the program wires it, filling
// the picture list of a shown window on the offscreen platform. Prints one line per
// run and then the median and the peak resident memory as key=value lines.
#include <sys/resource.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/StartUp.h"
#include "app/Wiring.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeDialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: search_bench ROOT [RUNS]\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  AppState state;
  FakeDialogs dialogs;
  FakeDesktop desktop;
  InitialiseMainWindowState(state.collect, desktop);
  MainWindow window;
  wireSubsystems(window, state, dialogs, desktop);
  window.show();
  QCoreApplication::processEvents();

  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    state.collect.folderPath = root;
    QElapsedTimer timer;
    timer.start();
    window.searchButton()->click();
    QCoreApplication::processEvents();  // the list and the status bar catch up
    times.push_back(double(timer.nsecsElapsed()) / 1e6);
    std::printf("run %d: %.1f ms, %d rows\n", run + 1, times.back(),
                window.pictureList()->model()->rowCount());
  }
  std::sort(times.begin(), times.end());
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("rows=%d\n", window.pictureList()->model()->rowCount());
  std::printf("median_ms=%.1f\n", times[times.size() / 2]);
  std::printf("peak_rss_mb=%.1f\n", double(usage.ru_maxrss) / 1024.0);
  return 0;
}
