#include "print/PageMarks.h"

#include <QPainter>
#include <algorithm>

namespace {

QString shortTrouble(const PhotoProblem& problem) {
  switch (problem.kind) {
    case PhotoProblem::Kind::Missing:
      return QStringLiteral("找不到照片");
    case PhotoProblem::Kind::Unreadable:
      return QStringLiteral("照片读不出");
    case PhotoProblem::Kind::Refused:
      return QStringLiteral("照片不能用");
    case PhotoProblem::Kind::LowResolution:
      return QStringLiteral("只有 %1 ppi").arg(problem.ppi);
  }
  return {};
}

}  // namespace

QRectF ShownCellRect(const PageGrid& grid, int cell, QSize lyingPaper, bool landscape,
                     double scale) {
  const int columns = grid.shape.columns > 0 ? grid.shape.columns : 1;
  const CellRect r = grid.cell(cell / columns, cell % columns);
  QRectF rect(r.left, r.top, r.width, r.height);
  // The page file turns a lying page a quarter clockwise: (x, y) goes to (H − y, x).
  if (landscape)
    rect = QRectF(lyingPaper.height() - rect.bottom(), rect.left(), rect.height(), rect.width());
  return QRectF(rect.left() * scale, rect.top() * scale, rect.width() * scale,
                rect.height() * scale);
}

QImage MarkedPage(const QImage& shown, const QList<PhotoProblem>& problems, const PageGrid& grid,
                  QSize lyingPaper, bool landscape, double scale) {
  QImage marked = shown.convertToFormat(QImage::Format_RGB32);
  if (problems.isEmpty()) return marked;
  QPainter p(&marked);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font = p.font();
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  for (const PhotoProblem& problem : problems) {
    const QRectF cell =
        ShownCellRect(grid, problem.cell - 1, lyingPaper, landscape, scale).adjusted(1, 1, -1, -1);
    p.setPen(QPen(QColor(220, 0, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell);
    const QString text = shortTrouble(problem);
    const QRectF band(cell.left() + 2, cell.top() + 2, cell.width() - 4,
                      std::min<qreal>(18, cell.height() - 4));
    p.fillRect(band, QColor(220, 0, 0, 200));
    p.setPen(Qt::white);
    p.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, text);
  }
  return marked;
}
