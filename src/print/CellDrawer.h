#pragma once

#include <QString>

#include "print/PageGeometry.h"
#include "render/PictureRegistry.h"

class Surface;
struct PrintSettings;

// Draws one cell: the photo fitted into the photo area by the fit mode, then released,
// and the caption lines aligned in the text area. The areas, caption lines and
// alignment come from the settings. Handle 0 draws only the caption; a cell of no
// area draws nothing. naturalSize false (the page preview) measures photos at one
// unit per 11.8 pixels.
void DrawCell(Surface& surface, PictureRegistry& pictures, const PrintSettings& settings,
              PictureHandle picture, const CellRect& cell, const QString& caption,
              float aspectOverride, int fitMode, bool naturalSize);
