#pragma once

#include <QFont>

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
