#include "print/CaptionLayout.h"

#include <QRegularExpression>
#include <cmath>

namespace {

int truncated(double value) {
  return static_cast<int>(std::trunc(value));
}

}  // namespace

QStringList CaptionLinesOf(const QString& caption) {
  static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
  QStringList lines = caption.split(lineBreak);
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QList<TextPlacement> LayoutCaption(const QString& caption, int captionLines,
                                   CaptionAlign captionAlign, const CellRect& cell,
                                   const PhotoRect& textArea, int lineHeight,
                                   const std::function<int(const QString&)>& textWidth) {
  QList<TextPlacement> placements;
  if (captionLines <= 0 || caption.isEmpty()) return placements;

  const double areaLeft = double(cell.left) + textArea.left;
  const double areaTop = double(cell.top) + textArea.top;
  if (captionAlign == CaptionAlign::Left) {
    placements.append({truncated(areaLeft + 2), truncated(areaTop), caption});
    return placements;
  }

  const QStringList lines = CaptionLinesOf(caption);
  const qsizetype count = qMin<qsizetype>(captionLines, lines.size());
  for (qsizetype r = 0; r < count; ++r) {
    const QString& line = lines.at(r);
    if (line.isEmpty()) continue;
    const double width = textWidth(line);
    const int dx = captionAlign == CaptionAlign::Right ? truncated(textArea.width - width - 2)
                                                       : truncated((textArea.width - width) / 2);
    placements.append(
        {truncated(areaLeft + dx), truncated(areaTop + double(r) * lineHeight), line});
  }
  return placements;
}
