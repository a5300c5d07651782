#pragma once

#include "model/CardLayout.h"
#include "model/PrintSettings.h"

class PictureRegistry;

// The cell layout the layout editor gives settings that were never laid out by hand:
// the photo fills the cell above a full-width band for the caption lines in the body
// font. The cell is measured as the settings window's boxes describe it (whole
// millimetres, the paper as typed, not turned for landscape). Both areas stay zero when
// the settings describe no cell.
CardLayout DefaultCellLayout(const PrintSettings& settings, PictureRegistry& pictures);
