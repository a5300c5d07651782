#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "render/PictureRegistry.h"

// Photos for the print tests: noisy enough that a JPEG of them is as large as a
// camera's, made at run time.
namespace printtest {

QImage noisyPhoto(int width, int height, quint32 seed = 1);

// A camera-like photo of width × height as stored: its left half reddish, its right
// half bluish, noisy enough for a camera-sized file. The EXIF block carries the
// orientation (0: none) and, unless it is null, the thumbnail, whose halves are green
// and cyan, so a picture shows which of the two it was made from. A progressive photo
// is written in scans of increasing detail, as web pictures often are.
bool writeCameraPhoto(const QString& path, int width, int height, int orientation,
                      const QImage& thumbnail, bool progressive = false);

// Writes the image in the format of the file's extension (via the shared test
// pictures); false on failure.
bool writePhoto(const QString& path, const QImage& image);

// The size of a loaded picture, which is then unloaded; invalid for handle 0.
QSize sizeAndUnload(PictureRegistry& pictures, PictureHandle handle);

// Whether any pixel inside rect is darker than a light grey.
bool hasInk(const QImage& image, const QRect& rect);

}  // namespace printtest
