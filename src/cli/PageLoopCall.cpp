#include "cli/PageLoopCall.h"

#include <QProgressBar>

#include "print/JobOutput.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "settings/SettingsSession.h"

PageRunResult PrintJobPages(PageLoopServices& services, const PrintJob& job, const QString& folder,
                            const std::function<void(int cellsDone)>& cellsDone) {
  if (cellsDone) {
    // The loops count the cells on the progress window's bar; they move the window
    // opened here and close it at the end.
    QProgressBar& bar = services.progress.Open().progressBar();
    QObject::connect(&bar, &QProgressBar::valueChanged, &bar, [cellsDone](int value) {
      if (value > 0) cellsDone(value);
    });
  }
  const PrintSettings& settings = services.session.printSettings;
  if (settings.toPictureFiles)
    return PrintPagesToPictureFiles(services, PictureFileArgsFor(folder, job, settings));
  return PrintPagesToPrinter(services, PrinterArgsFor(job, settings));
}
