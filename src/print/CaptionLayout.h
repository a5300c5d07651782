#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "layout/PhotoFit.h"
#include "model/PrintSettings.h"
#include "print/PageGeometry.h"

// One WriteTextAt call of a caption.
struct TextPlacement {
  int x = 0;
  int y = 0;
  QString text;

  friend bool operator==(const TextPlacement&, const TextPlacement&) = default;
};

// The lines of a caption: cut at CR LF, CR or LF (as the surfaces cut text), an
// empty last part dropped.
QStringList CaptionLinesOf(const QString& caption);

// Where the caption of one cell is written. Left alignment writes the whole caption
// in one call (the surface lays out every line, whatever captionLines says); centre
// and right write at most captionLines lines, one line height apart. captionLines 0
// or an empty caption writes nothing; empty lines are skipped but keep their place.
// textArea is relative to the cell.
QList<TextPlacement> LayoutCaption(const QString& caption, int captionLines,
                                   CaptionAlign captionAlign, const CellRect& cell,
                                   const PhotoRect& textArea, int lineHeight,
                                   const std::function<int(const QString&)>& textWidth);
