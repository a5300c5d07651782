#pragma once

#include <QLabel>
#include <QList>
#include <QString>

// A label of several lines with a text box sitting in each line: every line has a
// text before the box and one after it (the unit), drawn at the heights and columns
// that line up with the boxes. text() holds the lines, one per line, box gaps as blanks.
class FormLinesLabel : public QLabel {
  Q_OBJECT
public:
  struct Line {
    QString before;
    QString after;
    int top = 0;     // top of the line's box, in the label's pixels
    int afterX = 0;  // where the text after the box starts
  };

  explicit FormLinesLabel(const QList<Line>& lines, QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QList<Line> lines_;
};
