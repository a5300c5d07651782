#include "settings/DefaultCellLayout.h"

#include "layout/CardGeometry.h"
#include "render/DrawPanel.h"

CardLayout DefaultCellLayout(const PrintSettings& settings, PictureRegistry& pictures) {
  // The boxes show millimetres; the cell sum reads their whole part.
  const PageSetup inputs{.paperWidth = settings.paperWidth / 10,
                         .paperHeight = settings.paperHeight / 10,
                         .marginTop = settings.marginTop / 10,
                         .marginBottom = settings.marginBottom / 10,
                         .marginLeft = settings.marginLeft / 10,
                         .marginRight = settings.marginRight / 10,
                         .rows = settings.rows,
                         .columns = settings.columns,
                         .rowSpacing = settings.rowSpacing,
                         .columnSpacing = settings.columnSpacing};
  const std::optional<QSize> cell = CellSizeInTenths(inputs);
  if (!cell) return {};
  // The editor's text area measures the line height of the body font on the card.
  DrawPanel textArea(pictures);
  FontDescription font = settings.bodyFont;
  font.size = CardFontSize(font.size);
  textArea.setFont(font);
  const int band = TextBandHeight(textArea.TextHeight(QStringLiteral("大")), settings.captionLines);
  const CardAreas areas = DefaultCardAreas(*cell, band);
  return CaptureLayout(areas.photo, areas.text, *cell);
}
