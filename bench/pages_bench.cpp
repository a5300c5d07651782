// Times the pages window of 全部页面预览 turning page after page of an album, as PageDown
// turns it: from the key to the page shown. The settings are the settings window's
// built-in defaults with its default cell layout; every photo is one cell.
//
//   pages_bench LIST   LIST holds one photo path a line; prints pages, first_page_s,
//                      page_median_s, page_max_s and page_cpu_median_s (CPU seconds of
//                      every thread: on a shared machine the steadier figure)

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

#include "print/PagesWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/DefaultCellLayout.h"
#include "settings/SettingsSession.h"

namespace {

double cpuSecondsSoFar() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double median(QList<double> values) {
  if (values.isEmpty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: pages_bench LIST\n");
    return 2;
  }
  QFile list(QString::fromLocal8Bit(argv[1]));
  if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) return 2;
  PagesRun run;
  PrintJob job;
  for (const QByteArray& line : list.readAll().split('\n')) {
    if (line.isEmpty()) continue;
    job.pictures.append(QString::fromLocal8Bit(line));
    job.captions.append(QStringLiteral("照片 %1").arg(job.pictures.size()));
  }
  job.headerText = QStringLiteral("相册 第&p页/共&a页");
  job.macros.category = QStringLiteral("相册");
  run.jobs = {job};
  SettingsSession session;
  PictureRegistry pictures;
  run.settings = PrintSettings::builtInDefaults();
  const CardLayout layout = DefaultCellLayout(run.settings, pictures);
  run.settings.photoArea = layout.photoArea;
  run.settings.textArea = layout.textArea;
  ProgressWindowHost progress(session);

  PagesWindow window(run, pictures, progress);
  window.show();
  QElapsedTimer clock;
  clock.start();
  while (window.drawnPageIndex() != 0) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  const double first = clock.nsecsElapsed() / 1e9;

  // The check reads every header once, beside the first page; the turns come after it.
  while (!window.checkDone()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  QList<double> turns;
  QList<double> cpu;
  for (int page = 1; page < window.pageCount(); ++page) {
    const double cpuBefore = cpuSecondsSoFar();
    clock.restart();
    window.ShowPage(window.pageIndex() + 1);
    QCoreApplication::processEvents();
    turns.append(clock.nsecsElapsed() / 1e9);
    cpu.append(cpuSecondsSoFar() - cpuBefore);
  }
  QTextStream out(stdout);
  out << "pages=" << window.pageCount() << '\n';
  out << "first_page_s=" << QString::number(first, 'f', 3) << '\n';
  out << "page_median_s=" << QString::number(median(turns), 'f', 3) << '\n';
  out << "page_max_s="
      << QString::number(turns.isEmpty() ? 0.0 : *std::max_element(turns.begin(), turns.end()), 'f',
                         3)
      << '\n';
  out << "page_cpu_median_s=" << QString::number(median(cpu), 'f', 3) << '\n';
  return 0;
}
