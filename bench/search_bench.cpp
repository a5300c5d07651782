// Times the search button of the main window, wired as the program wires it, filling
// the picture list of a shown window on the offscreen platform. Prints one line per
// run and then the median and the peak resident memory as key=value lines. With
// --photo-info the box 读取拍摄信息 is checked, and the rows whose 像素 cell was read
// are counted too.
#include <sys/resource.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
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
    std::fprintf(stderr, "usage: search_bench ROOT [RUNS [--photo-info]]\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const bool photoInfo = argc > 3 && QByteArray(argv[3]) == "--photo-info";

  AppState state;
  FakeDialogs dialogs;
  FakeDesktop desktop;
  InitialiseMainWindowState(state.collect, desktop);
  MainWindow window;
  wireSubsystems(window, state, dialogs, desktop);
  window.photoInfoBox()->setChecked(photoInfo);
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
  const QAbstractItemModel* table = window.pictureList()->model();
  std::printf("rows=%d\n", table->rowCount());
  if (photoInfo) {
    int read = 0;
    for (int row = 0; row < table->rowCount(); ++row)
      read += table->index(row, 6).data().toString().isEmpty() ? 0 : 1;
    std::printf("photo_info_rows=%d\n", read);
  }
  std::printf("median_ms=%.1f\n", times[times.size() / 2]);
  std::printf("peak_rss_mb=%.1f\n", double(usage.ru_maxrss) / 1024.0);
  return 0;
}
