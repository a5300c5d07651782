#include "collect/PictureViewWindow.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>

#include "render/MappedFile.h"
#include "render/PictureReader.h"

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

QImage ReadViewPicture(const QString& path, int maxSide) {
  if (path.isEmpty() || !QFileInfo(path).isFile()) return QImage();
  const MappedFile file(path);
  const QSize size = readUprightPictureSize(file.data());
  QSize shown;
  if (size.isValid() && std::max(size.width(), size.height()) > maxSide)
    shown = size.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  return readPicture(file.data(), shown);
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
