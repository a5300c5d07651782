#include "print/PageLoops.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cmath>

#include "platform/MemoryPolicy.h"
#include "print/CellDrawer.h"
#include "print/CellPicturePrefetch.h"
#include "print/HeaderFooter.h"
#include "print/PageGeometry.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/DrawPanel.h"
#include "render/PrinterObject.h"
#include "render/Units.h"
#include "settings/PhotoFit.h"
#include "settings/SettingsSession.h"

namespace {

constexpr int kA4Width = 2100;
constexpr int kA4Height = 2970;
// Points to the page panel's 0.1 mm pixels (slightly below 254 / 96 on purpose: the
// sizes must match pages made before).
constexpr double kPanelPointScale = 2.6458;

// The per-picture lists of a job, padded so every index has an entry.
struct JobLists {
  QStringList pictures;
  QStringList captions;
  QList<float> aspectOverrides;
};

JobLists paddedLists(const PrintJob& job) {
  JobLists lists{job.pictures, job.captions, job.aspectOverrides};
  const qsizetype n = lists.pictures.size();
  if (lists.aspectOverrides.size() < n) lists.aspectOverrides = QList<float>(n, 0.0f);
  while (lists.captions.size() < n) lists.captions.append(QString());
  return lists;
}

// What differs between the two surfaces: everything else of a page is drawn the same.
struct PageSurface {
  Surface& surface;
  PageGrid grid;
  FontDescription bodyFont;
  FontDescription headerFont;
  FontDescription footerFont;
  // Header and footer placement.
  int pageWidth = 0;
  int pageHeight = 0;
  int leftMargin = 0;
  int rightMargin = 0;
  int headerFromTop = 0;
  int footerFromBottom = 0;
  bool naturalSize = true;
  // Ends a page; false stops the run.
  std::function<bool(int page)> endPage;
};

void writeHeaderFooter(PageSurface& page, const PrintSettings& settings, bool isHeader,
                       const QString& text, int pageNumber, int totalPages, const QDateTime& now) {
  if (text.isEmpty()) return;
  page.surface.setFont(isHeader ? page.headerFont : page.footerFont);
  const FilledHeaderFooter filled = FillHeaderFooter(
      isHeader, page.surface, text, pageNumber, totalPages, page.pageWidth, page.pageHeight,
      page.leftMargin, page.rightMargin, page.headerFromTop, page.footerFromBottom,
      isHeader ? settings.headerAlign : settings.footerAlign, now);
  page.surface.WriteTextAt(filled.x, filled.y, filled.text);
  page.surface.setFont(page.bodyFont);
}

// The page loop both surfaces share: header, cells row by row, footer, end of page.
void drawPages(PageLoopServices& services, PageSurface& page, const PrintJob& job, int fitMode,
               PageRunResult& result) {
  const PrintSettings& settings = services.session.printSettings;
  const JobLists lists = paddedLists(job);
  const qsizetype n = lists.pictures.size();
  result.totalPages = TotalPages(n, page.grid.shape);
  ProgressWindow* window = services.progress.window();
  if (window) window->setRange(static_cast<int>(qMin<qsizetype>(n, ProgressWindow::kMaxSteps)));

  const int targetWidth = static_cast<int>(page.grid.cellWidth);
  const int targetHeight = static_cast<int>(page.grid.cellHeight);
  QList<PictureHandle> handles(n, 0);
  CellPicturePrefetch prefetch(page.grid.cellsAreDrawable() ? lists.pictures : QStringList(),
                               settings.optimiseLevel, targetWidth, targetHeight);
  qsizetype k = 0;
  int pageNumber = 0;
  while (k < n) {
    ++pageNumber;
    writeHeaderFooter(page, settings, true, job.headerText, pageNumber, result.totalPages,
                      services.clock());
    for (int i = 0; i < page.grid.shape.rows && k < n; ++i) {
      for (int j = 0; j < page.grid.shape.columns && k < n; ++j) {
        const CellRect cell = page.grid.cell(i, j);
        const QString& path = lists.pictures.at(k);
        if (page.grid.cellsAreDrawable() && !path.isEmpty() && QFileInfo::exists(path))
          handles[k] = prefetch.Load(services.pictures, k);
        DrawCell(page.surface, services.pictures, settings, handles[k], cell, lists.captions.at(k),
                 lists.aspectOverrides.at(k), fitMode, page.naturalSize);
        ++k;
        if ((window = services.progress.window()))
          window->setProgress(static_cast<int>(qMin<qsizetype>(k, ProgressWindow::kMaxSteps)));
        // A page of large photos takes seconds: the bar moves and the hide button
        // answers after every cell, not only between pages.
        QCoreApplication::processEvents();
      }
    }
    writeHeaderFooter(page, settings, false, job.footerText, pageNumber, result.totalPages,
                      services.clock());
    const bool goOn = page.endPage(pageNumber);
    ReleaseFreedMemory();
    QCoreApplication::processEvents();
    if (!goOn) break;
  }
  for (PictureHandle handle : handles) services.pictures.UnloadPicture(handle);
}

QString documentName(const PrintSettings& settings, const QTime& time) {
  return QString::number(time.hour() * 10000 + time.minute() * 100 + time.second()) +
         QStringLiteral("_宽高：") + QString::number(settings.paperWidth) + QStringLiteral("×") +
         QString::number(settings.paperHeight) + QStringLiteral("，方向：") +
         QString::number(settings.landscape) + QStringLiteral("-") +
         QString::number(QRandomGenerator::global()->bounded(1000, 10000));
}

FontDescription panelFont(FontDescription font) {
  font.size = PanelFontSize(font.size);
  return font;
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
  ProgressWindow& window = services.progress.Open();
  PrinterObject& printer = window.printer();

  result.documentName = documentName(settings, services.clock().time());
  printer.setDocumentName(result.documentName);
  printer.setCopies(settings.copies);
  printer.setPrinterName(settings.printerName);
  printer.setOutputPdf(services.printerPdfOutput);

  if (services.setDefaultPrinter && !settings.printerName.isEmpty())
    services.setDefaultPrinter(settings.printerName);
  DrawPrinterPages(services, printer, pages, true, result);
  if (services.setDefaultPrinter && !settings.printerName.isEmpty() &&
      !settings.defaultPrinter.isEmpty())
    services.setDefaultPrinter(settings.defaultPrinter);
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
  result.jobStarted = printer.StartPrintJob(false, showStatusDialog, -1, settings.landscape,
                                            settings.paperWidth, settings.paperHeight);
  if (!result.jobStarted) {
    result.printerError = printer.lastError();
    return;
  }
  const bool sized = pages.paperWidth > 0 && pages.paperHeight > 0;
  const int paperWidth = sized ? pages.paperWidth : kA4Width;
  const int paperHeight = sized ? pages.paperHeight : kA4Height;
  // The margins as the printer holds them.
  const int printableWidth =
      PrintableLength(paperWidth, printer.marginLeft(), printer.marginRight());
  const int printableHeight =
      PrintableLength(paperHeight, printer.marginTop(), printer.marginBottom());
  // Header and footer are placed on the printable area: no margins, distances
  // counted from the margin edges.
  PageSurface page{
      .surface = printer,
      .grid = PrinterPageGrid(printableWidth, printableHeight,
                              UsableGridShape(pages.rows, pages.columns), pages.rowSpacing,
                              pages.columnSpacing),
      .bodyFont = printer.font(),
      .headerFont = settings.headerFont,
      .footerFont = settings.footerFont,
      .pageWidth = printableWidth,
      .pageHeight = printableHeight,
      .leftMargin = 0,
      .rightMargin = 0,
      .headerFromTop = pages.headerFromTop - printer.marginTop(),
      .footerFromBottom = pages.footerFromBottom - printer.marginBottom(),
      .naturalSize = true,
      .endPage = {},
  };
  page.endPage = [&printer, &result](int pageNumber) {
    if (!printer.NewPage()) {
      result.jobAborted = true;
      return false;
    }
    result.pagesDone = pageNumber;
    return true;
  };
  const PrintJob job{pages.pictures, pages.captions, pages.aspectOverrides, pages.headerText,
                     pages.footerText};
  drawPages(services, page, job, NormalisedFitMode(pages.photoFit), result);
  if (!printer.EndPrintJob() || result.pagesDone < result.totalPages) {
    result.jobAborted = true;
    result.printerError = printer.lastError();
  }
}

PageRunResult PrintPagesToPictureFiles(PageLoopServices& services,
                                       const PictureFilePageArgs& pages) {
  const PrintSettings& settings = services.session.printSettings;
  PageRunResult result;
  ProgressWindow& window = services.progress.Open();
  DrawPanel& panel = window.pagePanel();
  panel.setUnit(units::Pixels);
  panel.setAutoRedraw(true);
  panel.ClearPanel();

  const PrintJob& job = pages.useThisJob ? pages.job : services.session.lastJob;
  const QString programFolder = services.programFolder.isEmpty()
                                    ? QCoreApplication::applicationDirPath()
                                    : services.programFolder;

  int paperWidth = pages.paperWidth;
  int paperHeight = pages.paperHeight;
  if (paperWidth <= 0 || paperHeight <= 0) {
    paperWidth = kA4Width;
    paperHeight = kA4Height;
  }
  const int fitMode = NormalisedFitMode(pages.photoFit);
  const GridShape shape = UsableGridShape(pages.rows, pages.columns);
  const bool landscape = pages.landscape == 1;
  if (landscape) std::swap(paperWidth, paperHeight);
  // A font without size and face was never chosen.
  const bool neverChosen = pages.bodyFont.size <= 0 && pages.bodyFont.face.isEmpty();
  const FontDescription bodyFont = neverChosen ? FontDescription::song9() : pages.bodyFont;

  panel.setFont(panelFont(bodyFont));
  panel.moveResize(panel.x(), panel.y(), paperWidth, paperHeight);
  panel.ClearPanel();

  PageSurface page{
      .surface = panel,
      .grid =
          PanelPageGrid(PrintableLength(paperWidth, pages.marginLeft, pages.marginRight),
                        PrintableLength(paperHeight, pages.marginTop, pages.marginBottom), shape,
                        pages.rowSpacing, pages.columnSpacing, pages.marginLeft, pages.marginTop),
      .bodyFont = panelFont(bodyFont),
      .headerFont = panelFont(settings.headerFont),
      .footerFont = panelFont(settings.footerFont),
      .pageWidth = panel.width(),
      .pageHeight = panel.height(),
      .leftMargin = pages.marginLeft,
      .rightMargin = pages.marginRight,
      .headerFromTop = pages.headerFromTop,
      .footerFromBottom = pages.footerFromBottom,
      .naturalSize = true,
      .endPage = {},
  };
  page.endPage = [&](int pageNumber) {
    const PageFileResult saved =
        SavePageAsPictureFile(panel, services.image, pages.folder, pageNumber, pages.pictureFormat,
                              landscape, services.clock(), programFolder);
    if (saved.written)
      result.writtenFiles.append(saved.fileName);
    else
      result.failedFiles.append(saved);
    result.pagesDone = pageNumber;
    return true;
  };
  drawPages(services, page, job, fitMode, result);
  CloseProgress(services.progress);
  return result;
}

JobOutputReport ReportOf(const PageRunResult& result) {
  JobOutputReport report;
  if (!result.jobStarted) {
    report.started = false;
    report.startError = result.printerError.isEmpty() ? QStringLiteral("打印机无法开始打印作业。")
                                                      : result.printerError;
  } else if (result.jobAborted) {
    // Pages already handed over may come out, but the job as a whole did not.
    report.started = false;
    report.startError = QStringLiteral("打印作业被中止，只完成了 %1 页（共 %2 页）。")
                            .arg(result.pagesDone)
                            .arg(result.totalPages);
  }
  for (const PageFileResult& failed : result.failedFiles)
    report.unwrittenFiles.append(QDir::toNativeSeparators(failed.fileName) + QStringLiteral("：") +
                                 failed.reason);
  return report;
}
