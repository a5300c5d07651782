#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// How a component of a fixed-geometry form follows the window when it grows beyond
// its designed size: it stays put, moves down with the bottom edge, moves with the
// bottom-right corner, grows downwards, or grows in both directions.
enum class Anchor { Fixed, Bottom, BottomRight, GrowDown, GrowBoth };

// Where a component designed at "design" (in the coordinates of the container the
// form describes) lands when the form is "grow" larger than designed and its real
// parent starts at "origin" in those coordinates.
QRect placeComponent(const QRect& design, Anchor anchor, QSize grow, QPoint origin = QPoint());
