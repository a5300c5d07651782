#pragma once

#include <QVariantMap>
#include <ostream>

#include "model/StartSettings.h"
#include "settings/StartSettingsFormat.h"

// Failures print settings as the file would hold them, one key=value a line.
inline void PrintTo(const StartSettings& settings, std::ostream* os) {
  const QVariantMap values = StartSettingsValues(settings);
  for (auto it = values.cbegin(); it != values.cend(); ++it)
    *os << "\n  " << it.key().toStdString() << '=' << it.value().toString().toStdString();
}

inline void PrintTo(const PrintSettings& print, std::ostream* os) {
  *os << "defaultPrinter=" << print.defaultPrinter.toStdString()
      << " confirmed=" << print.confirmed;
  PrintTo(StartSettings{print, {}}, os);
}
