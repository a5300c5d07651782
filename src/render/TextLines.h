#pragma once

#include <QList>
#include <QString>

// One piece of a multi-line text and how far below the first piece it starts, in
// device pixels.
struct TextPiece {
  QString text;
  int offsetY = 0;
};

// The pieces to draw (empty ones left out) and how far below the start the next line
// would begin.
struct TextLayout {
  QList<TextPiece> pieces;
  int advance = 0;
};

// The line rule both surfaces share: the text is cut at every CR, LF or CR LF; each
// piece starts one lineHeight plus gap below the previous one, while an empty piece
// only advances by emptyAdvance (the height of "W").
TextLayout layoutTextLines(const QString& text, int lineHeight, int emptyAdvance, int gap);

// The pieces of a text cut at every CR, LF or CR LF.
QStringList splitTextLines(const QString& text);
