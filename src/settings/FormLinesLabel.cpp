#include "settings/FormLinesLabel.h"

#include <QPainter>
#include <QStringList>

namespace {

// Boxes are 16 to 20 pixels high; a line's text is centred on a 20-pixel box.
constexpr int kBoxHeight = 20;

}  // namespace

FormLinesLabel::FormLinesLabel(const QList<Line>& lines, QWidget* parent)
    : QLabel(parent), lines_(lines) {
  QStringList plain;
  for (const Line& line : lines_)
    plain << (line.after.isEmpty() ? line.before
                                   : line.before + QStringLiteral("     ") + line.after);
  setText(plain.join(u'\n'));
}

void FormLinesLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  for (const Line& line : lines_) {
    const QRect row(0, line.top, width(), kBoxHeight);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, line.before);
    if (!line.after.isEmpty())
      painter.drawText(row.adjusted(line.afterX, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       line.after);
  }
}
