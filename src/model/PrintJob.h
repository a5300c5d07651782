#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One unit of output work: a picture path per cell, its caption (lines joined by
// CR LF), optional aspect overrides (below 0.001 = none) and the filled header/footer.
struct PrintJob {
  QStringList pictures;
  QStringList captions;
  QList<float> aspectOverrides;
  QString headerText;
  QString footerText;

  friend bool operator==(const PrintJob&, const PrintJob&) = default;
};
