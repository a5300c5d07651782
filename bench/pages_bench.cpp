// Times the pages window of 全部页面预览 turning page after page of an album, as PageDown
// turns it: from the key to the page shown. The settings are the settings window's
// built-in defaults with its default cell layout; every photo is one cell.
//
//   pages_bench LIST   LIST holds one photo path a line; prints page_median_s,
//                      page_max_s, pages and first_page_s

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

  QList<double> turns;
  for (int page = 1; page < window.pageCount(); ++page) {
    clock.restart();
    window.ShowPage(window.pageIndex() + 1);
    QCoreApplication::processEvents();
    turns.append(clock.nsecsElapsed() / 1e9);
  }
  std::sort(turns.begin(), turns.end());
  QTextStream out(stdout);
  out << "pages=" << window.pageCount() << '\n';
  out << "first_page_s=" << QString::number(first, 'f', 3) << '\n';
  out << "page_median_s="
      << QString::number(turns.isEmpty() ? 0.0 : turns[turns.size() / 2], 'f', 3) << '\n';
  out << "page_max_s=" << QString::number(turns.isEmpty() ? 0.0 : turns.last(), 'f', 3) << '\n';
  return 0;
}
