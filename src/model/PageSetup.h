#pragma once

#include "model/PrintSettings.h"

// How a page is laid out: paper, margins, header and footer distances, the cell grid
// and how photos fit their cells. Lengths are in the unit of whoever fills it: 0.1 mm
// from PrintSettings, whole millimetres for the page preview.
struct PageSetup {
  int paperWidth = 0;
  int paperHeight = 0;
  bool landscape = false;
  int marginTop = 0;
  int marginBottom = 0;
  int marginLeft = 0;
  int marginRight = 0;
  int headerFromTop = 0;     // from the paper's top edge
  int footerFromBottom = 0;  // from the paper's bottom edge
  int rows = 0;
  int columns = 0;
  int rowSpacing = 0;
  int columnSpacing = 0;
  int photoFit = 0;  // 0..4

  // The page of the print settings, in 0.1 mm.
  static PageSetup of(const PrintSettings& s) {
    return {.paperWidth = s.paperWidth,
            .paperHeight = s.paperHeight,
            .landscape = s.landscape,
            .marginTop = s.marginTop,
            .marginBottom = s.marginBottom,
            .marginLeft = s.marginLeft,
            .marginRight = s.marginRight,
            .headerFromTop = s.headerFromTop,
            .footerFromBottom = s.footerFromBottom,
            .rows = s.rows,
            .columns = s.columns,
            .rowSpacing = s.rowSpacing,
            .columnSpacing = s.columnSpacing,
            .photoFit = s.photoFit};
  }

  friend bool operator==(const PageSetup&, const PageSetup&) = default;
};
