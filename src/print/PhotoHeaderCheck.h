#pragma once

#include <QSize>
#include <QString>

// Whether one photo can be printed, told from its header alone (kind, size,
// orientation) and, for a JPEG, its last two bytes: no pixel is decoded, so a table of
// thousands of photos is checked in seconds.
struct PhotoHeaderFacts {
  enum class Verdict { Printable, Missing, Unreadable, Refused };
  Verdict verdict = Verdict::Missing;
  QSize upright;   // the photo's size once turned upright; valid when Printable
  QString reason;  // why it cannot be printed, in the user's words; empty when Printable

  bool printable() const { return verdict == Verdict::Printable; }
  friend bool operator==(const PhotoHeaderFacts&, const PhotoHeaderFacts&) = default;
};

PhotoHeaderFacts ReadPhotoHeaderFacts(const QString& fileName);
