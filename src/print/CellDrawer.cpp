#include "print/CellDrawer.h"

#include <cmath>

#include "layout/PhotoFit.h"
#include "model/PrintSettings.h"
#include "print/CaptionLayout.h"
#include "render/Surface.h"

namespace {

// Photos in the preview are measured at 11.8 pixels per unit.
constexpr double kPreviewPixelsPerUnit = 11.8;

PhotoRect areaInCell(const CardRect& fractions, const CellRect& cell) {
  return {fractions.x * cell.width, fractions.y * cell.height, fractions.width * cell.width,
          fractions.height * cell.height};
}

int truncated(double value) {
  return static_cast<int>(std::trunc(value));
}

void drawPhoto(Surface& surface, const PrintSettings& settings, PictureHandle picture,
               const CellRect& cell, float aspectOverride, int fitMode, bool naturalSize) {
  int width = surface.PictureWidth(picture);
  int height = surface.PictureHeight(picture);
  if (!naturalSize) {
    width = truncated(width / kPreviewPixelsPerUnit);
    height = truncated(height / kPreviewPixelsPerUnit);
  }
  const PhotoRect placed =
      FitPhoto(areaInCell(settings.photoArea, cell), width, height, fitMode, aspectOverride);
  if (placed.isEmpty()) return;
  surface.DrawPicture(picture, truncated(double(cell.left) + placed.left),
                      truncated(double(cell.top) + placed.top), truncated(placed.width),
                      truncated(placed.height));
}

void drawCaption(Surface& surface, const PrintSettings& settings, const CellRect& cell,
                 const QString& caption) {
  if (settings.captionLines <= 0 || caption.isEmpty()) return;
  const int lineHeight = surface.TextHeight(QStringLiteral("大"));
  const QList<TextPlacement> lines =
      LayoutCaption(caption, settings.captionLines, settings.captionAlign, cell,
                    areaInCell(settings.textArea, cell), lineHeight,
                    [&surface](const QString& text) { return surface.TextWidth(text); });
  for (const TextPlacement& line : lines) surface.WriteTextAt(line.x, line.y, line.text);
}

}  // namespace

void DrawCell(Surface& surface, PictureRegistry& pictures, const PrintSettings& settings,
              PictureHandle picture, const CellRect& cell, const QString& caption,
              float aspectOverride, int fitMode, bool naturalSize) {
  if (cell.width > 0.0f && cell.height > 0.0f) {
    if (picture != 0)
      drawPhoto(surface, settings, picture, cell, aspectOverride, fitMode, naturalSize);
    drawCaption(surface, settings, cell, caption);
  }
  pictures.UnloadPicture(picture);
}
