// quillmere_bench_album MODE TARGET LIST — prints the photos named in LIST (one path a
// line) as an A4 album of 5 × 5 cells with file-name captions at optimisation level 3,
// the way a search fills the table. MODE "files": JPEG pages into the folder TARGET;
// "printer": to the print queue TARGET; "pdf": the printer route to the PDF file TARGET;
// "pdf-file": one PDF file of the job (the pdf格式 page format) into the folder TARGET.
// Ends with seconds=…, pages=…, peak_rss_mb=… lines.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

#include "print/PageLoops.h"
#include "print/PdfPages.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

namespace {

// The settings window's built-in defaults, with one caption line under each photo.
PrintSettings albumSettings() {
  PrintSettings s = PrintSettings::builtInDefaults();
  s.photoArea = {0.0f, 0.0f, 1.0f, 0.93f};
  s.textArea = {0.0f, 0.93f, 1.0f, 0.07f};
  return s;
}

double peakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s files|printer|pdf|pdf-file TARGET LIST\n", argv[0]);
    return 2;
  }
  const QString mode = QString::fromLocal8Bit(argv[1]);
  const QString target = QString::fromLocal8Bit(argv[2]);
  QFile list(QString::fromLocal8Bit(argv[3]));
  if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) return 2;

  PrintJob job;
  QTextStream in(&list);
  while (!in.atEnd()) {
    const QString path = in.readLine().trimmed();
    if (path.isEmpty()) continue;
    job.pictures.append(path);
    job.captions.append(QFileInfo(path).completeBaseName());
  }
  job.headerText = QStringLiteral("相册");
  job.footerText = QStringLiteral("第 &p 页，共 &a 页");

  SettingsSession session;
  session.printSettings = albumSettings();
  PictureRegistry pictures;
  ProgressWindowHost progress(session);
  PageLoopServices services(session, pictures, progress);
  services.setDefaultPrinter = [](const QString&) { return true; };

  QElapsedTimer timer;
  timer.start();
  PageRunResult result;
  if (mode == QLatin1String("files")) {
    result =
        PrintPagesToPictureFiles(services, PictureFileArgsFor(target, job, session.printSettings));
  } else if (mode == QLatin1String("pdf-file")) {
    result = PrintPagesToPdfFile(services, PdfFileArgsFor(target, job, session.printSettings));
  } else {
    if (mode == QLatin1String("pdf"))
      services.printerPdfOutput = target;
    else
      session.printSettings.printerName = target;
    result = PrintPagesToPrinter(services, PrinterArgsFor(job, session.printSettings));
  }
  const double seconds = timer.nsecsElapsed() / 1e9;
  std::printf("seconds=%.3f\npages=%d\nok=%d\npeak_rss_mb=%.1f\ndocument=%s\n", seconds,
              result.pagesDone, result.succeeded() ? 1 : 0, peakRssMb(),
              result.documentName.toUtf8().constData());
  return result.succeeded() ? 0 : 1;
}
