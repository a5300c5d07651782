#pragma once

#include <QString>

// A font as the settings carry it: seven fields, angle in tenths of a degree,
// size in points. A face name longer than 31 bytes, or none, means the system face.
struct FontDescription {
  int angle = 0;
  int bold = 0;
  int italic = 0;
  int underline = 0;
  int strikeout = 0;
  int size = 0;
  QString face;

  static FontDescription song9() {
    FontDescription f;
    f.size = 9;
    f.face = QStringLiteral("宋体");
    return f;
  }

  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};
