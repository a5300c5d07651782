#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

// Where a picture of the given size sits when fitted into an area, keeping its aspect
// and centred. An empty picture or area gives an empty rectangle.
QRect FitPictureRect(QSize picture, QSize area);

// Reads a picture file upright by its EXIF orientation, decoded at most maxSide pixels
// on its longer side so a huge photo does not flood memory. Null when the path is empty,
// not a regular file, not a picture the program can decode, or not whole (cut off, or a BMP
// whose pixels lie past its end).
QImage ReadViewPicture(const QString& path, int maxSide);

// Non-modal window that shows one picture fitted into it; each new picture replaces
// the last, and a file that cannot be shown leaves the window empty.
class PictureViewWindow : public QWidget {
  Q_OBJECT
public:
  explicit PictureViewWindow(QWidget* owner = nullptr);

  void SetPicture(const QString& path);
  const QImage& picture() const { return picture_; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QImage picture_;
};
