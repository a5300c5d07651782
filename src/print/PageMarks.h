#pragma once

#include <QImage>
#include <QList>
#include <QRectF>

#include "print/PageGeometry.h"
#include "print/RunCheck.h"

// Where a cell of a page file lies on the page as shown: the grid's cell (0.1 mm, the
// page drawn lying when landscape) turned upright as the page file turns it, then
// scaled to the shown page.
QRectF ShownCellRect(const PageGrid& grid, int cell, QSize lyingPaper, bool landscape,
                     double scale);

// The shown page with each problem's cell framed in red and its trouble written in it.
QImage MarkedPage(const QImage& shown, const QList<PhotoProblem>& problems, const PageGrid& grid,
                  QSize lyingPaper, bool landscape, double scale);
