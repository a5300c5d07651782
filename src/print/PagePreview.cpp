#include "print/PagePreview.h"

#include <QScopeGuard>

#include "picture/PageFileEncoder.h"
#include "print/PagePainter.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/DrawPanel.h"
#include "render/Units.h"
#include "settings/PrintSettingsWindow.h"
#include "settings/SettingsSession.h"

namespace {

FontDescription ScaledFont(FontDescription font) {
  font.size = preview::PreviewFontSize(font.size);
  return font;
}

// The job's lists padded with empty cells up to one full page.
PrintJob OnePageOf(const PrintJob& source, const PreviewPage& page, qsizetype capacity) {
  PrintJob job = source;
  while (job.pictures.size() < capacity) job.pictures.append(QString());
  job.headerText = page.headerText;
  job.footerText = page.footerText;
  return job;
}

}  // namespace

QByteArray RenderPreviewPage(PreviewServices& services, const PrintSettings& settings,
                             const PreviewPage& requested, CardRect& photoArea,
                             CardRect& textArea) {
  SettingsSession& session = services.session;
  session.previewStopRequested = false;
  services.progress.Open();
  DrawPanel panel(services.pictures);
  panel.setUnit(units::Pixels);

  const PreviewPage page = preview::WithDefaults(requested);
  const PageSetup& numbers = page.numbers;
  panel.setFont(ScaledFont(page.bodyFont));
  panel.moveResize(0, 0, numbers.paperWidth, numbers.paperHeight);
  panel.ClearPanel();

  PageCanvas canvas{
      .surface = panel,
      .grid = PanelPageGrid(
          PrintableLength(numbers.paperWidth, numbers.marginLeft, numbers.marginRight),
          PrintableLength(numbers.paperHeight, numbers.marginTop, numbers.marginBottom),
          UsableGridShape(numbers.rows, numbers.columns), numbers.rowSpacing, numbers.columnSpacing,
          numbers.marginLeft, numbers.marginTop),
      .bodyFont = ScaledFont(page.bodyFont),
      .headerFont = ScaledFont(settings.headerFont),
      .footerFont = ScaledFont(settings.footerFont),
      .frame = numbers,
      .naturalSize = false,
      .pictureUse = CellPictureUse::Preview,
  };
  canvas.frame.paperWidth = panel.width();
  canvas.frame.paperHeight = panel.height();
  canvas.stopRequested = [&session] { return session.previewStopRequested; };
  canvas.cellLimit = canvas.grid.cellsPerPage();
  preview::RepairLayout(photoArea, textArea, settings.bodyFont.size, settings.captionLines,
                        canvas.grid.cellHeight);

  // The preview decodes photos at the lightest optimisation whatever the settings say.
  PrintSettings drawn = settings;
  drawn.optimiseLevel = 1;
  PaintServices paint{services.pictures, services.progress};
  const PrintJob job =
      OnePageOf(requested.lists ? *requested.lists : session.lastJob, page, canvas.cellLimit);
  const PaintOutcome outcome = PaintPages(paint, canvas, drawn, job);
  session.previewStopRequested = false;

  QByteArray bytes =
      EncodePagePicture(panel.backImage(), PictureFormat::Bmp, numbers.landscape).bytes;
  if (ProgressWindow* window = services.progress.window()) {
    window->setProgress(outcome.stopped ? 1 : 0);
    window->hide();
  }
  return bytes;
}

void ShowPagePreview(PrintSettingsWindow& window, PreviewServices& services) {
  SettingsSession& session = services.session;
  if (session.previewBusy) return;
  session.previewBusy = true;
  const auto notBusy = qScopeGuard([&session] { session.previewBusy = false; });

  window.RefreshCellPreview();
  session.settingsApplied = true;
  window.WarnIfPaperMissing();
  const PrintSettings settings = window.SettingsFromControls();

  DrawPanel* shown = window.pagePreviewPanel();
  if (shown) {
    shown->ClearPanel();
    shown->setBackgroundPicture(QByteArray());
    shown->setBackgroundPlacement(BackgroundPlacement::Centred);
  }

  PreviewPage page;
  page.numbers = window.pagePreviewInputs();
  page.bodyFont = settings.bodyFont;
  page.headerText = session.lastJob.headerText;
  page.footerText = session.lastJob.footerText;
  const QByteArray bytes = RenderPreviewPage(
      services, settings, page, session.workingLayout.photoArea, session.workingLayout.textArea);
  if (shown) shown->setBackgroundPicture(bytes);
}
