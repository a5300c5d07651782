#pragma once

#include <QSize>
#include <QString>

// What a photo's own header says of it, as the picture table's photo columns show it.
// The EXIF block is parsed by libexif; the size comes from the header alone. Pixels are
// never decoded.
struct PhotoInfo {
  QString takenAt;  // the original date and time, "2024-05-01 14:03"; empty when absent
  QString camera;   // make and model, the make not repeated where the model names it
  QString pixels;   // "4000×3000", upright by the orientation; empty when unreadable

  friend bool operator==(const PhotoInfo&, const PhotoInfo&) = default;
};

// Never fails: whatever cannot be read stays empty. Safe to call from any thread.
PhotoInfo ReadPhotoInfo(const QString& fileName);

// An EXIF date and time ("2024:05:01 14:03:22") as shown; empty when it is no real date.
QString TakenAtText(const QString& exifDateTime);
// "Canon" + "Canon EOS R5" is "Canon EOS R5"; "NIKON CORPORATION" + "NIKON D850" is
// "NIKON D850"; "Apple" + "iPhone 13" is "Apple iPhone 13".
QString CameraText(const QString& make, const QString& model);
// "4000×3000"; empty for an invalid size.
QString PixelsText(QSize upright);
