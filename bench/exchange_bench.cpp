// Imports and exports a table of ROWS rows and 6 columns through the real handlers,
// with the picture table shown in a list view and scripted dialogs answering OK.
// Prints the median seconds of REPEATS runs and the process's peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "collect/PictureTableModel.h"
#include "collect/PictureTableView.h"
#include "exchange/TableExchange.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeDialogs.h"

namespace {

QString MakeTable(int rows) {
  QString text = QStringLiteral("序号\t图片名全称\t图片类别\t图片说明\t拍摄日期\t备注\r\n");
  for (int i = 1; i <= rows; ++i)
    text += QStringLiteral(
                "%1\t/home/user/Photos/album %2/IMG_%1.jpg\talbum %2\t第%1张 "
                "照片\t2026-05-%3\tnote %1\r\n")
                .arg(i)
                .arg(i / 500)
                .arg(i % 28 + 1);
  return text;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
  const int repeats = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5;
  const QString text = MakeTable(rows);
  if (argc > 3) {  // the table text for a peer tool
    QFile out(QString::fromLocal8Bit(argv[3]));
    if (!out.open(QIODevice::WriteOnly)) return 1;
    out.write(text.toUtf8());
  }

  FakeDialogs dialogs;
  FakeDesktop desktop;
  PictureTableModel table;
  QTableView view;
  view.resize(456, 384);
  AttachPictureTable(view, table);
  view.show();
  TableExchange exchange(dialogs, desktop, table);

  std::vector<double> importTimes;
  std::vector<double> exportTimes;
  for (int run = 0; run < repeats; ++run) {
    table.ClearAll();
    desktop.clipboard = text;
    dialogs.queueAnswer(AnswerOk);
    QElapsedTimer timer;
    timer.start();
    exchange.ImportTable();
    QCoreApplication::processEvents();
    importTimes.push_back(timer.nsecsElapsed() / 1e9);
    if (table.RowCount() != rows) return 2;

    timer.start();
    exchange.ExportTable();
    QCoreApplication::processEvents();
    exportTimes.push_back(timer.nsecsElapsed() / 1e9);
    if (desktop.clipboard.count(u'\n') != rows) return 3;
  }

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("rows=%d\nimport_s=%.4f\nexport_s=%.4f\npeak_rss_mb=%.1f\n", rows,
              Median(importTimes), Median(exportTimes), usage.ru_maxrss / 1024.0);
  return 0;
}
