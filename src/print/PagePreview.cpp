#include "print/PagePreview.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <cmath>
#include <utility>

#include "print/CellDrawer.h"
#include "print/CellPicturePrefetch.h"
#include "print/HeaderFooter.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/CxImage.h"
#include "render/DrawPanel.h"
#include "render/Units.h"
#include "settings/PrintSettingsWindow.h"
#include "settings/SettingsSession.h"

namespace {

FontDescription ScaledFont(FontDescription font) {
  font.size = preview::PreviewFontSize(font.size);
  return font;
}

// A header or footer line on the page panel, in its own font; the body font after.
void WriteHeaderFooter(DrawPanel& panel, const SettingsSession& session, const PreviewPage& page,
                       bool isHeader, const QString& text) {
  const PrintSettings& settings = session.printSettings;
  panel.setFont(ScaledFont(isHeader ? settings.headerFont : settings.footerFont));
  const FilledHeaderFooter filled = FillHeaderFooter(
      isHeader, panel, text, 1, 1, panel.width(), panel.height(), page.numbers.marginLeft,
      page.numbers.marginRight, page.numbers.headerFromTop, page.numbers.footerFromBottom,
      isHeader ? settings.headerAlign : settings.footerAlign);
  panel.WriteTextAt(filled.x, filled.y, filled.text);
  panel.setFont(ScaledFont(page.bodyFont));
}

}  // namespace

QByteArray RenderPreviewPage(PreviewServices& services, const PreviewPage& requested,
                             CardRect& photoArea, CardRect& textArea) {
  SettingsSession& session = services.session;
  session.previewStopRequested = false;
  ProgressWindow& window = services.progress.Open();
  const QPointer<ProgressWindow> alive(&window);
  DrawPanel& panel = window.pagePanel();
  panel.setUnit(units::Pixels);
  panel.setAutoRedraw(true);
  panel.ClearPanel();

  const PrintJob& source = requested.lists ? *requested.lists : session.lastJob;
  QStringList pictures = source.pictures;
  QStringList captions = source.captions;
  QList<float> overrides = source.aspectOverrides;

  const PreviewPage page = preview::WithDefaults(requested);
  panel.setFont(ScaledFont(page.bodyFont));
  panel.moveResize(panel.x(), panel.y(), page.numbers.paperWidth, page.numbers.paperHeight);
  panel.ClearPanel();

  const int usableWidth =
      page.numbers.paperWidth - page.numbers.marginLeft - page.numbers.marginRight;
  const int usableHeight =
      page.numbers.paperHeight - page.numbers.marginTop - page.numbers.marginBottom;
  const int capacity = page.numbers.rows * page.numbers.columns;
  while (pictures.size() < capacity) pictures.append(QString());
  while (captions.size() < pictures.size()) captions.append(QString());
  while (overrides.size() < pictures.size()) overrides.append(0.0f);
  QList<PictureHandle> handles(pictures.size(), 0);

  const float cellWidth =
      (static_cast<float>(usableWidth) -
       static_cast<float>((page.numbers.columns - 1) * page.numbers.columnSpacing)) /
      static_cast<float>(page.numbers.columns);
  const float cellHeight = (static_cast<float>(usableHeight) -
                            static_cast<float>((page.numbers.rows - 1) * page.numbers.rowSpacing)) /
                           static_cast<float>(page.numbers.rows);
  preview::RepairLayout(photoArea, textArea, session.printSettings.bodyFont.size,
                        session.printSettings.captionLines, cellHeight);

  if (!requested.headerText.isEmpty()) {
    WriteHeaderFooter(panel, session, page, true, requested.headerText);
  }
  window.setRange(capacity);

  const bool landscape = page.numbers.landscape == 1;
  const auto finish = [&](int progressAtEnd) {
    QByteArray bytes;
    if (services.image.TakeBitmap(panel.backImage())) {
      if (landscape) services.image.RotateQuarter();
      bytes = services.image.Encode(CxImage::Bmp);
    }
    for (PictureHandle handle : handles) services.pictures.UnloadPicture(handle);
    window.setProgress(progressAtEnd);
    window.hide();
    return bytes;
  };

  CellPicturePrefetch prefetch(pictures.mid(0, capacity), 1, static_cast<int>(cellWidth),
                               static_cast<int>(cellHeight));
  int k = 0;
  for (int i = 0; i < page.numbers.rows && k < capacity; ++i) {
    for (int j = 0; j < page.numbers.columns && k < capacity; ++j) {
      const CellRect cell{
          static_cast<float>(page.numbers.marginLeft) +
              static_cast<float>(j) * (cellWidth + static_cast<float>(page.numbers.columnSpacing)),
          static_cast<float>(page.numbers.marginTop) +
              static_cast<float>(i) * (cellHeight + static_cast<float>(page.numbers.rowSpacing)),
          cellWidth, cellHeight};
      if (!pictures[k].isEmpty() && QFileInfo::exists(pictures[k])) {
        handles[k] = prefetch.Load(services.pictures, k);
      }
      DrawCellOnPanel(panel, services.pictures, session.printSettings, handles[k], cell,
                      captions[k], overrides[k], page.numbers.photoFit, false);
      ++k;
      window.setProgress(k);
      // The progress window repaints and its hide button can ask the preview to stop.
      QCoreApplication::processEvents();
      if (!alive) return {};  // the window went away with the program
      if (session.previewStopRequested) {
        QByteArray bytes = finish(1);
        session.previewStopRequested = false;
        return bytes;
      }
    }
  }

  if (!requested.footerText.isEmpty()) {
    WriteHeaderFooter(panel, session, page, false, requested.footerText);
  }
  QCoreApplication::processEvents();
  if (!alive) return {};
  return finish(0);
}

void ShowPagePreview(PrintSettingsWindow& window, PreviewServices& services) {
  SettingsSession& session = services.session;
  if (session.previewBusy) return;
  session.previewBusy = true;
  const PrintSettings snapshot = session.printSettings;

  window.RefreshCellPreview();
  session.settingsApplied = true;
  window.StoreSettings();

  DrawPanel* shown = window.pagePreviewPanel();
  if (shown) {
    shown->setAutoRedraw(true);
    shown->ClearPanel();
    shown->setBackgroundPicture(QByteArray());
    shown->setBackgroundMode(2);
  }

  PreviewPage page;
  page.numbers = window.pagePreviewInputs();
  page.bodyFont = session.printSettings.bodyFont;
  page.headerText = session.lastJob.headerText;
  page.footerText = session.lastJob.footerText;
  const QByteArray bytes = RenderPreviewPage(services, page, session.workingLayout.photoArea,
                                             session.workingLayout.textArea);
  if (shown) shown->setBackgroundPicture(bytes);

  session.printSettings = snapshot;
  session.previewBusy = false;
}
