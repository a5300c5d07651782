#pragma once

#include <QSize>
#include <QtGlobal>

#include "model/PageSetup.h"

// One cell of a page in surface units: left, top, width, height.
struct CellRect {
  float left = 0.0f;
  float top = 0.0f;
  float width = 0.0f;
  float height = 0.0f;

  friend bool operator==(const CellRect&, const CellRect&) = default;
};

// Rows and columns a page loop lays out. Zero or negative counts would divide by
// zero or never take a picture, so both loops fall back to 5 × 5.
struct GridShape {
  int rows = 5;
  int columns = 5;
};
GridShape UsableGridShape(int rows, int columns);

// The size between the margins: paper − both margins (may come out 0 or negative).
int PrintableLength(int paperLength, int marginBefore, int marginAfter);

// The cells of one page. On the printer the cell size is truncated to whole units
// and the origin is the margin corner; on the page panel the size stays a float and
// the margins are added to every origin.
struct PageGrid {
  GridShape shape;
  float cellWidth = 0.0f;
  float cellHeight = 0.0f;
  int rowSpacing = 0;
  int columnSpacing = 0;
  int originLeft = 0;
  int originTop = 0;

  // Row i and column j from 0.
  CellRect cell(int row, int column) const;
  int cellsPerPage() const { return shape.rows * shape.columns; }
  // A cell of zero or negative size holds nothing.
  bool cellsAreDrawable() const { return cellWidth > 0.0f && cellHeight > 0.0f; }
};

PageGrid PrinterPageGrid(int printableWidth, int printableHeight, GridShape shape, int rowSpacing,
                         int columnSpacing);
PageGrid PanelPageGrid(int printableWidth, int printableHeight, GridShape shape, int rowSpacing,
                       int columnSpacing, int marginLeft, int marginTop);

// The paper a page file is drawn on, in 0.1 mm: A4 when a side is not positive, width
// and height swapped for a landscape page (drawn lying, turned when saved).
QSize PageFilePaper(const PageSetup& page);
// The cells of a page file: the panel grid of that paper and the page's margins.
PageGrid PageFileGrid(const PageSetup& page);

// n pictures at rows × columns per page, rounded up; 0 pictures make 0 pages.
int TotalPages(qsizetype pictureCount, GridShape shape);
