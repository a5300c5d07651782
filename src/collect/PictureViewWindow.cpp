#include "collect/PictureViewWindow.h"

#include <QPainter>
#include <algorithm>

#include "picture/PictureReader.h"

namespace {

// The longest side a shown picture is decoded to: sharp on a large screen, a few
// megabytes in memory whatever the file claims.
constexpr int kViewMaxSide = 2560;

}  // namespace

QRect FitPictureRect(QSize picture, QSize area) {
  if (picture.isEmpty() || area.isEmpty()) return QRect();
  const QSize fitted = picture.scaled(area, Qt::KeepAspectRatio);
  const QSize size(std::max(1, fitted.width()), std::max(1, fitted.height()));
  return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
               size);
}

// Through the program's one picture route: a cut-off picture, or a BMP whose pixels
// lie past its end, is refused rather than shown with whatever memory held, and the
// picture's own size, not the shrunk one, is judged against the pixel limit.
QImage ReadViewPicture(const QString& path, int maxSide) {
  PictureRequest request;
  request.use = PictureUse::View;
  request.sizeFor = [maxSide](QSize upright) {
    return std::max(upright.width(), upright.height()) > maxSide
               ? upright.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1))
               : upright;
  };
  return ReadPicture(path, request).picture;
}

PictureViewWindow::PictureViewWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("PictureViewWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString());
  setGeometry(50, 50, 486, 371);
}

void PictureViewWindow::SetPicture(const QString& path) {
  picture_ = ReadViewPicture(path, kViewMaxSide);
  update();
}

void PictureViewWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const QRect target = FitPictureRect(picture_.size(), size());
  if (target.isEmpty()) return;
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture_);
}
