// Times the folder search filling the picture table shown in a list view, with the
// status texts going to a status bar label, as in the main window. Prints one line per
// run and then the median and the peak resident memory as key=value lines.
#include "collect/CollectState.h"
#include "collect/PictureSearch.h"
#include "collect/PictureTableModel.h"
#include "collect/PictureTableView.h"
#include "platform/FakeDesktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: search_bench ROOT [RUNS]\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* view = new QTableView;
  auto* statusBar = new QStatusBar;
  auto* statusLabel = new QLabel;
  statusBar->addWidget(statusLabel, 1);
  layout->addWidget(view);
  layout->addWidget(statusBar);
  window.resize(687, 545);
  window.show();

  CollectState state;
  PictureTableModel table;
  AttachPictureTable(*view, table);
  FakeDesktop desktop;
  PictureSearch search(state, table, desktop, [statusLabel](const QString& text) {
    statusLabel->setText(text);
  });

  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    state.folderPath = root;
    QElapsedTimer timer;
    timer.start();
    search.SearchPictures(true);
    QCoreApplication::processEvents();  // the view catches up, as it would on screen
    times.push_back(double(timer.nsecsElapsed()) / 1e6);
    std::printf("run %d: %.1f ms, %d rows\n", run + 1, times.back(), table.RowCount());
  }
  std::sort(times.begin(), times.end());
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("rows=%d\n", table.RowCount());
  std::printf("median_ms=%.1f\n", times[times.size() / 2]);
  std::printf("peak_rss_mb=%.1f\n", double(usage.ru_maxrss) / 1024.0);
  return 0;
}
