// Times the page preview of a first page of camera-size photos, pressed as the user
// presses it in the settings window, and counts how often the progress window repaints
// meanwhile (the window must stay alive while the page renders).
//
//   preview_bench DIR COUNT RUNS   previews the first COUNT photos of DIR, RUNS times

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

#include "platform/FakeDialogs.h"
#include "print/PagePreview.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/CxImage.h"
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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  QTextStream out(stdout);
  if (args.size() != 4) {
    std::fprintf(stderr, "usage: preview_bench DIR COUNT RUNS\n");
    return 2;
  }

  SettingsSession session;
  PictureRegistry pictures;
  CxImage image;
  FakeDialogs dialogs;
  ProgressWindowHost progress(session);
  PreviewServices services{session, pictures, image, progress};
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

  PaintCounter counter;
  app.installEventFilter(&counter);
  QList<double> seconds;
  QList<int> paints;
  const int runs = std::max(1, args[3].toInt());
  for (int run = 0; run < runs; ++run) {
    counter.paints = 0;
    QElapsedTimer timer;
    timer.start();
    button->click();
    seconds.append(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    paints.append(counter.paints);
  }
  std::sort(seconds.begin(), seconds.end());
  std::sort(paints.begin(), paints.end());
  out << "photos=" << session.lastJob.pictures.size() << "\n";
  out << "preview_runs=" << runs << "\n";
  out << "preview_min_s=" << QString::number(seconds.first(), 'f', 3) << "\n";
  out << "progress_paints_per_preview=" << paints[paints.size() / 2] << "\n";
  out << "preview_s=" << QString::number(seconds[seconds.size() / 2], 'f', 3) << "\n";
  return 0;
}
