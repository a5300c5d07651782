#pragma once

#include <QString>

#include "model/FontDescription.h"
#include "render/PictureRegistry.h"

// What the page loops, cell drawers and header/footer filler draw through: the
// printer object and the drawing panel alike. Coordinates and sizes are in the
// surface's unit, from the top-left of the printable area (printer, after its
// margins) or of the client area (panel).
class Surface {
public:
  virtual ~Surface() = default;

  virtual void setUnit(int code) = 0;
  virtual int unit() const = 0;
  virtual void setFont(const FontDescription& font) = 0;
  virtual FontDescription font() const = 0;

  // Text is cut at every CR, LF or CR LF; each piece starts at x, one text height
  // plus 2 device pixels below the previous; an empty piece advances by "W"'s height.
  virtual void WriteTextAt(int x, int y, const QString& text) = 0;
  virtual int TextWidth(const QString& text) = 0;
  virtual int TextHeight(const QString& text) = 0;

  virtual int PictureWidth(PictureHandle picture) = 0;
  virtual int PictureHeight(PictureHandle picture) = 0;
  // Stretches the whole picture into the rectangle; width or height below 0 means
  // the natural size in that direction.
  virtual void DrawPicture(PictureHandle picture, int x, int y, int width = -1,
                           int height = -1) = 0;
};
