#include "print/PageLoops.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cmath>

#include "print/PageFilePanel.h"
#include "print/PageGeometry.h"
#include "print/PagePainter.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/DrawPanel.h"
#include "render/PrinterObject.h"
#include "render/Units.h"
#include "settings/SettingsSession.h"

namespace {

constexpr int kA4Width = 2100;
constexpr int kA4Height = 2970;
// Points to the page panel's 0.1 mm pixels (slightly below 254 / 96 on purpose: the
// sizes must match pages made before).
constexpr double kPanelPointScale = 2.6458;

QString documentName(const PrintSettings& settings, const QTime& time) {
  return QString::number(time.hour() * 10000 + time.minute() * 100 + time.second()) +
         QStringLiteral("_宽高：") + QString::number(settings.paperWidth) + QStringLiteral("×") +
         QString::number(settings.paperHeight) + QStringLiteral("，方向：") +
         QString::number(settings.landscape ? 1 : 0) + QStringLiteral("-") +
         QString::number(QRandomGenerator::global()->bounded(1000, 10000));
}

}  // namespace

void CloseProgress(ProgressWindowHost& progress) {
  if (ProgressWindow* window = progress.window()) {
    window->hide();
    window->setProgress(0);
  }
  progress.Close();
}

int PanelFontSize(int points) {
  return static_cast<int>(std::trunc(points * kPanelPointScale));
}

PageRunResult PrintPagesToPrinter(PageLoopServices& services, const PrinterPageArgs& pages) {
  const PrintSettings& settings = services.session.printSettings;
  PageRunResult result;
  services.progress.Open();
  PrinterObject printer(services.pictures);

  result.documentName = documentName(settings, services.clock().time());
  printer.setDocumentName(result.documentName);
  printer.setCopies(settings.copies);
  printer.setPrinterName(settings.printerName);
  printer.setOutputPdf(services.printerPdfOutput);

  if (services.setDefaultPrinter && !settings.printerName.isEmpty()) {
    services.session.defaultPrinterToRestore = settings.defaultPrinter;
    services.setDefaultPrinter(settings.printerName);
  }
  DrawPrinterPages(services, printer, pages, true, result);
  if (services.setDefaultPrinter && !settings.printerName.isEmpty() &&
      !settings.defaultPrinter.isEmpty())
    services.setDefaultPrinter(settings.defaultPrinter);
  services.session.defaultPrinterToRestore.clear();
  CloseProgress(services.progress);
  return result;
}

void DrawPrinterPages(PageLoopServices& services, PrinterObject& printer,
                      const PrinterPageArgs& pages, bool showStatusDialog, PageRunResult& result) {
  const PrintSettings& settings = services.session.printSettings;
  printer.setUnit(units::TenthMm);
  printer.setFont(settings.bodyFont);
  printer.setMargins(settings.marginLeft, settings.marginTop, settings.marginRight,
                     settings.marginBottom);
  result.jobStarted = printer.StartPrintJob({.showStatusDialog = showStatusDialog,
                                             .landscape = settings.landscape,
                                             .paperWidth = settings.paperWidth,
                                             .paperHeight = settings.paperHeight});
  if (!result.jobStarted) {
    result.printerError = printer.lastError();
    return;
  }
  const PageSetup& page = pages.page;
  const bool sized = page.paperWidth > 0 && page.paperHeight > 0;
  const int paperWidth = sized ? page.paperWidth : kA4Width;
  const int paperHeight = sized ? page.paperHeight : kA4Height;
  // The margins as the printer holds them.
  const int printableWidth =
      PrintableLength(paperWidth, printer.marginLeft(), printer.marginRight());
  const int printableHeight =
      PrintableLength(paperHeight, printer.marginTop(), printer.marginBottom());
  // Header and footer are placed on the printable area: no margins, distances
  // counted from the margin edges.
  PageCanvas canvas{
      .surface = printer,
      .grid =
          PrinterPageGrid(printableWidth, printableHeight, UsableGridShape(page.rows, page.columns),
                          page.rowSpacing, page.columnSpacing),
      .bodyFont = printer.font(),
      .headerFont = settings.headerFont,
      .footerFont = settings.footerFont,
      .frame = {.paperWidth = printableWidth,
                .paperHeight = printableHeight,
                .headerFromTop = page.headerFromTop - printer.marginTop(),
                .footerFromBottom = page.footerFromBottom - printer.marginBottom(),
                .photoFit = page.photoFit},
  };
  canvas.endPage = [&printer, &result](int pageNumber) {
    if (!printer.NewPage()) {
      result.jobAborted = true;
      return false;
    }
    result.pagesDone = pageNumber;
    return true;
  };
  PaintServices paint{services.pictures, services.progress, services.clock};
  const PaintOutcome outcome = PaintPages(paint, canvas, settings, pages.job);
  result.totalPages = outcome.totalPages;
  result.emptyCells = outcome.emptyCells;
  if (!printer.EndPrintJob() || result.pagesDone < result.totalPages) {
    result.jobAborted = true;
    result.printerError = printer.lastError();
  }
}

PageRunResult PrintPagesToPictureFiles(PageLoopServices& services,
                                       const PictureFilePageArgs& pages) {
  const PrintSettings& settings = services.session.printSettings;
  PageRunResult result;
  services.progress.Open();
  PageFilePanel page(services.pictures, settings, pages.page, pages.bodyFont);

  const PrintJob& job = pages.useThisJob ? pages.job : services.session.lastJob;
  const QString programFolder = services.programFolder.isEmpty()
                                    ? QCoreApplication::applicationDirPath()
                                    : services.programFolder;
  PageCanvas& canvas = page.canvas();
  canvas.endPage = [&](int pageNumber) {
    const PageFileResult saved =
        SavePageAsPictureFile(page.panel(), pages.folder, pageNumber, pages.pictureFormat,
                              page.landscape(), services.clock(), programFolder);
    if (saved.written)
      result.writtenFiles.append(saved.fileName);
    else
      result.failedFiles.append(saved);
    result.pagesDone = pageNumber;
    return true;
  };
  PaintServices paint{services.pictures, services.progress, services.clock};
  const PaintOutcome outcome = PaintPages(paint, canvas, settings, job);
  result.totalPages = outcome.totalPages;
  result.emptyCells = outcome.emptyCells;
  CloseProgress(services.progress);
  return result;
}

JobOutputReport ReportOf(const PageRunResult& result) {
  JobOutputReport report;
  if (!result.jobStarted) {
    report.started = false;
    report.startError =
        ReasonInWords(QStringLiteral("打印机无法开始打印作业。"), result.printerError);
  } else if (result.jobAborted) {
    // Pages already handed over may come out, but the job as a whole did not.
    report.started = false;
    report.startError = ReasonInWords(QStringLiteral("打印作业被中止，只完成了 %1 页（共 %2 页）。")
                                          .arg(result.pagesDone)
                                          .arg(result.totalPages),
                                      result.printerError);
  }
  report.emptyCells = result.emptyCells;
  for (const PageFileResult& failed : result.failedFiles)
    report.unwrittenFiles.append(QDir::toNativeSeparators(failed.fileName) + QStringLiteral("：") +
                                 failed.reason);
  return report;
}
