// Times the page preview of a first page of camera-size photos, pressed as the user
// presses it in the settings window, and counts how often the progress window repaints
// meanwhile (the window must stay alive while the page renders) and how many bytes
// the process reads from files for each photo.
//
//   preview_bench DIR COUNT RUNS [GRID]   previews the first COUNT photos of DIR, RUNS
//                                         times, on a page of GRID × GRID cells (5)

#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

#include "platform/FakeDialogs.h"
#include "print/PagePreview.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/PrintSettingsWindow.h"
#include "settings/SettingsSession.h"

namespace {

class PaintCounter : public QObject {
public:
  int paints = 0;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget && qobject_cast<ProgressWindow*>(widget->window())) ++paints;
    }
    return false;
  }
};

// CPU seconds of the whole process (every thread) so far: on a shared machine the
// steadier figure.
double cpuSecondsSoFar() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Bytes this process has read through read() and its kin so far.
qint64 bytesReadSoFar() {
  QFile io(QStringLiteral("/proc/self/io"));
  if (!io.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : io.readAll().split('\n'))
    if (line.startsWith("rchar:")) return line.mid(6).trimmed().toLongLong();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  QTextStream out(stdout);
  if (args.size() != 4 && args.size() != 5) {
    std::fprintf(stderr, "usage: preview_bench DIR COUNT RUNS [GRID]\n");
    return 2;
  }

  SettingsSession session;
  PictureRegistry pictures;
  FakeDialogs dialogs;
  ProgressWindowHost progress(session);
  PreviewServices services{session, pictures, progress};
  const QDir dir(args[1]);
  const QStringList names = dir.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
  for (const QString& name : names.mid(0, args[2].toInt())) {
    session.lastJob.pictures.append(dir.filePath(name));
    session.lastJob.captions.append(QFileInfo(name).completeBaseName());
  }
  session.lastJob.headerText = QStringLiteral("第&p页/共&a页");

  PrinterCatalog printers;
  printers.listPrinters = [] { return QStringList{}; };
  printers.defaultPrinter = [] { return QString(); };
  printers.listPaperForms = [] { return QStringList{QStringLiteral("A4")}; };
  printers.paperForm = [](const QString&, PaperForm& form) {
    form = PaperForm{2100, 2970, 0, 0, 0, 0};
    return true;
  };
  PrintSettingsWindow* shown = nullptr;
  SettingsWindowHooks hooks;
  hooks.pagePreview = [&] { ShowPagePreview(*shown, services); };
  PrintSettingsWindow window(session, dialogs, pictures, printers, hooks);
  shown = &window;
  window.show();
  auto* button = window.findChild<QPushButton*>(QStringLiteral("按钮_打印预览"));
  if (!button) return 3;
  const QString grid = args.size() == 5 ? args[4] : QStringLiteral("5");
  for (const char* name : {"编辑框_行数", "编辑框_列数"}) {
    auto* box = window.findChild<QLineEdit*>(QString::fromUtf8(name));
    if (!box) return 3;
    box->setText(grid);
  }

  PaintCounter counter;
  app.installEventFilter(&counter);
  QList<double> seconds;
  QList<int> paints;
  QList<qint64> bytesRead;
  QList<double> cpuSeconds;
  const int runs = std::max(1, args[3].toInt());
  for (int run = 0; run < runs; ++run) {
    counter.paints = 0;
    const qint64 readBefore = bytesReadSoFar();
    const double cpuBefore = cpuSecondsSoFar();
    QElapsedTimer timer;
    timer.start();
    button->click();
    seconds.append(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    bytesRead.append(bytesReadSoFar() - readBefore);
    cpuSeconds.append(cpuSecondsSoFar() - cpuBefore);
    paints.append(counter.paints);
  }
  std::sort(seconds.begin(), seconds.end());
  std::sort(paints.begin(), paints.end());
  out << "photos=" << session.lastJob.pictures.size() << "\n";
  out << "preview_runs=" << runs << "\n";
  out << "preview_min_s=" << QString::number(seconds.first(), 'f', 3) << "\n";
  out << "progress_paints_per_preview=" << paints[paints.size() / 2] << "\n";
  std::sort(bytesRead.begin(), bytesRead.end());
  std::sort(cpuSeconds.begin(), cpuSeconds.end());
  out << "preview_cpu_s=" << QString::number(cpuSeconds[cpuSeconds.size() / 2], 'f', 3) << "\n";
  const qsizetype photos = std::max<qsizetype>(1, session.lastJob.pictures.size());
  out << "bytes_read_per_photo=" << bytesRead[bytesRead.size() / 2] / photos << "\n";
  out << "preview_s=" << QString::number(seconds[seconds.size() / 2], 'f', 3) << "\n";
  return 0;
}
