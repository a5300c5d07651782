#pragma once

#include <QImage>
#include <QSize>

// EXIF orientations 5 to 8 store the picture a quarter turned: its upright width is the
// stored height.
bool OrientationSwapsSides(int orientation);

// The size of a picture stored as `stored` once turned upright.
QSize UprightSize(QSize stored, int orientation);

// The size to store so that the upright picture has `upright`.
inline QSize StoredSize(QSize upright, int orientation) {
  return UprightSize(upright, orientation);
}

// The picture stored in the file turned upright by an EXIF orientation (1..8).
QImage TurnedUpright(const QImage& stored, int orientation);
