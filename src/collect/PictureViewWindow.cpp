#include "collect/PictureViewWindow.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

#include "platform/Paths.h"
#include "render/PictureLimits.h"

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
  QFile file;
  if (!OpenForReading(file, path)) return QImage();
  QImageReader reader(&file);
  reader.setAutoTransform(true);
  reader.setDecideFormatFromContent(true);
  const QSize stored = reader.size();
  // Judged by the picture's own size, before the reader shrinks it on load.
  if (stored.isValid() && !pictureSizeAllowed(stored.width(), stored.height())) return QImage();
  if (stored.isValid() && std::max(stored.width(), stored.height()) > maxSide)
    reader.setScaledSize(stored.scaled(maxSide, maxSide, Qt::KeepAspectRatio));
  return reader.read();
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
