#pragma once

#include <QFont>

class QPaintDevice;

#include "model/FontDescription.h"

// Character height in pixels of a font of `points` on the 96 dpi screen, rounded as
// the screen does.
int screenFontPixels(int points);

// The installed family that stands for a face name: the Chinese Song, Hei and Kai
// faces map to the CJK fonts on the machine; an empty face, or one longer than 31
// bytes, means the system face (empty family).
QString resolvedFontFamily(const QString& face);

// A QFont of the font's face and style with the given character (em) height in device
// pixels.
QFont makeFont(const FontDescription& description, int pixelHeight);

// How the program measures a line of text: by the font's character (em) cell, the
// height the font was made with, not by the taller line box its file declares (1.45 em
// for Noto CJK), so a text area sized for n lines holds n lines on the panel, the
// printer, the preview and the card alike. The baseline sits where the font's line
// box, centred on the cell, puts it: an ideograph then fills the cell.
struct TextCell {
  int height = 0;    // device pixels
  int baseline = 0;  // device pixels below the cell's top
};
TextCell textCellOf(const QFont& font, const QPaintDevice* device = nullptr);
