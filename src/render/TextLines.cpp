#include "render/TextLines.h"

QStringList splitTextLines(const QString& text) {
  QStringList pieces;
  QString current;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r' || c == u'\n') {
      pieces.append(current);
      current.clear();
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      current.append(c);
    }
  }
  pieces.append(current);
  return pieces;
}

TextLayout layoutTextLines(const QString& text, int lineHeight, int emptyAdvance, int gap) {
  TextLayout laidOut;
  int& y = laidOut.advance;
  for (const QString& piece : splitTextLines(text)) {
    if (piece.isEmpty()) {
      y += emptyAdvance;
      continue;
    }
    laidOut.pieces.append({piece, y});
    y += lineHeight + gap;
  }
  return laidOut;
}
