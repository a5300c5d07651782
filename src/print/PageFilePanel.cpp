#include "print/PageFilePanel.h"

#include <QTransform>

#include "print/PageGeometry.h"
#include "print/PageLoops.h"
#include "render/Units.h"

namespace {

FontDescription panelFont(FontDescription font) {
  font.size = PanelFontSize(font.size);
  return font;
}

// Sizes and clears the panel, and lays the page out on it.
PageCanvas canvasOn(DrawPanel& panel, const PrintSettings& settings, const PageSetup& page,
                    const FontDescription& bodyFont) {
  const QSize paper = PageFilePaper(page);
  const bool neverChosen = bodyFont.size <= 0 && bodyFont.face.isEmpty();
  const FontDescription body = panelFont(neverChosen ? FontDescription::song9() : bodyFont);
  panel.setUnit(units::Pixels);
  panel.setFont(body);
  panel.moveResize(panel.x(), panel.y(), paper.width(), paper.height());
  panel.ClearPanel();

  PageSetup frame = page;
  frame.paperWidth = panel.width();
  frame.paperHeight = panel.height();
  return PageCanvas{
      .surface = panel,
      .grid = PageFileGrid(page),
      .bodyFont = body,
      .headerFont = panelFont(settings.headerFont),
      .footerFont = panelFont(settings.footerFont),
      .frame = frame,
  };
}

}  // namespace

PageFilePanel::PageFilePanel(PictureRegistry& pictures, const PrintSettings& settings,
                             const PageSetup& page, const FontDescription& bodyFont)
    : panel_(pictures),
      landscape_(page.landscape),
      canvas_(canvasOn(panel_, settings, page, bodyFont)) {}

QImage PageFilePanel::UprightPage() const {
  const QImage page = panel_.backImage();
  // The page file turns a lying page a quarter clockwise.
  return landscape_ ? page.transformed(QTransform().rotate(90)) : page;
}
