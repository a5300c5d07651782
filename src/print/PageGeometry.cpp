#include "print/PageGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kA4Width = 2100;
constexpr int kA4Height = 2970;

// Cell length from the printable length: what is left after the gaps, shared out.
double cellLength(int printable, int count, int spacing) {
  return (static_cast<double>(printable) - static_cast<double>(count - 1) * spacing) / count;
}

}  // namespace

GridShape UsableGridShape(int rows, int columns) {
  if (rows <= 0 || columns <= 0) return {};
  // Beyond this the page would not hold a single unit per cell anyway; the cap keeps
  // rows × columns inside int.
  constexpr int kMaxCells = 46340;
  return {qMin(rows, kMaxCells), qMin(columns, kMaxCells)};
}

int PrintableLength(int paperLength, int marginBefore, int marginAfter) {
  const qint64 length = qint64(paperLength) - marginBefore - marginAfter;
  return static_cast<int>(
      std::clamp<qint64>(length, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

CellRect PageGrid::cell(int row, int column) const {
  // Panel cells keep their fractions; printer cells are whole units already.
  const float left = static_cast<float>(originLeft) +
                     static_cast<float>(column) * (cellWidth + static_cast<float>(columnSpacing));
  const float top = static_cast<float>(originTop) +
                    static_cast<float>(row) * (cellHeight + static_cast<float>(rowSpacing));
  return {left, top, cellWidth, cellHeight};
}

PageGrid PrinterPageGrid(int printableWidth, int printableHeight, GridShape shape, int rowSpacing,
                         int columnSpacing) {
  PageGrid grid;
  grid.shape = shape;
  grid.cellWidth =
      static_cast<float>(std::trunc(cellLength(printableWidth, shape.columns, columnSpacing)));
  grid.cellHeight =
      static_cast<float>(std::trunc(cellLength(printableHeight, shape.rows, rowSpacing)));
  grid.rowSpacing = rowSpacing;
  grid.columnSpacing = columnSpacing;
  return grid;
}

PageGrid PanelPageGrid(int printableWidth, int printableHeight, GridShape shape, int rowSpacing,
                       int columnSpacing, int marginLeft, int marginTop) {
  PageGrid grid;
  grid.shape = shape;
  grid.cellWidth = static_cast<float>(cellLength(printableWidth, shape.columns, columnSpacing));
  grid.cellHeight = static_cast<float>(cellLength(printableHeight, shape.rows, rowSpacing));
  grid.rowSpacing = rowSpacing;
  grid.columnSpacing = columnSpacing;
  grid.originLeft = marginLeft;
  grid.originTop = marginTop;
  return grid;
}

int TotalPages(qsizetype pictureCount, GridShape shape) {
  const qint64 perPage = qint64(shape.rows) * shape.columns;
  if (pictureCount <= 0 || perPage <= 0) return 0;
  return static_cast<int>((pictureCount + perPage - 1) / perPage);
}

QSize PageFilePaper(const PageSetup& page) {
  QSize paper(page.paperWidth, page.paperHeight);
  if (paper.width() <= 0 || paper.height() <= 0) paper = QSize(kA4Width, kA4Height);
  return page.landscape ? paper.transposed() : paper;
}

PageGrid PageFileGrid(const PageSetup& page) {
  const QSize paper = PageFilePaper(page);
  return PanelPageGrid(PrintableLength(paper.width(), page.marginLeft, page.marginRight),
                       PrintableLength(paper.height(), page.marginTop, page.marginBottom),
                       UsableGridShape(page.rows, page.columns), page.rowSpacing,
                       page.columnSpacing, page.marginLeft, page.marginTop);
}
