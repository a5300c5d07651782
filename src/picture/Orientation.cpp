#include "picture/Orientation.h"

#include <QTransform>

bool OrientationSwapsSides(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

QSize UprightSize(QSize stored, int orientation) {
  return OrientationSwapsSides(orientation) ? stored.transposed() : stored;
}

QImage TurnedUpright(const QImage& stored, int orientation) {
  switch (orientation) {
    case 2:
      return stored.mirrored(true, false);
    case 3:
      return stored.mirrored(true, true);
    case 4:
      return stored.mirrored(false, true);
    case 5:
      return stored.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
      return stored.transformed(QTransform().rotate(90));
    case 7:
      return stored.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8:
      return stored.transformed(QTransform().rotate(270));
    default:
      return stored;
  }
}
