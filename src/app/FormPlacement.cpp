#include "app/FormPlacement.h"

QRect placeComponent(const QRect& design, Anchor anchor, QSize grow, QPoint origin) {
  // The form never shrinks its components below their designed size.
  const int dx = grow.width() > 0 ? grow.width() : 0;
  const int dy = grow.height() > 0 ? grow.height() : 0;
  QRect r = design.translated(-origin);
  switch (anchor) {
    case Anchor::Fixed:
      break;
    case Anchor::Bottom:
      r.translate(0, dy);
      break;
    case Anchor::BottomRight:
      r.translate(dx, dy);
      break;
    case Anchor::GrowDown:
      r.setHeight(r.height() + dy);
      break;
    case Anchor::GrowBoth:
      r.setSize(r.size() + QSize(dx, dy));
      break;
  }
  return r;
}
