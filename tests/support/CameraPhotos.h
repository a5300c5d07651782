#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// Photos as a camera leaves them, made at run time: grey pixels of the size asked and an
// EXIF block with the make, model and original date given (each left out when empty),
// set as libvips header fields before saving. extension: ".jpg" or ".heic". An
// orientation (1..8, 0 none) is written into the EXIF block of a JPEG. Empty on failure.
QByteArray cameraPhoto(QSize size, const QString& extension, const QString& make,
                       const QString& model, const QString& dateTimeOriginal, int orientation = 0);
