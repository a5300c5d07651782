#pragma once

#include <QFile>
#include <QImage>
#include <QSize>
#include <functional>

// The largest of the JPEG decoder's own shrink factors (8, 4, 2) that still leaves at
// least `wanted` of a picture whose upright size is `upright`; 1 when none does.
int JpegShrinkFactor(QSize upright, QSize wanted);

// A colour or grey JPEG file, open for reading, decoded at the size shownSizeFor gives
// for its upright size (the whole picture when that is empty or not smaller): shrunk
// by the decoder itself as far as JpegShrinkFactor allows, straight into the 32-bit
// layout drawing takes, then smoothly resampled to exactly that size and turned upright
// by its EXIF orientation. The decode buffer is kept for the thread's next photo, so a
// run of photos does not allocate a fresh one each time. Null for a picture above the
// pixel limit, another kind or colour space (CMYK), and for data the decoder fails on
// or warns about, cut-off files included; the caller then decodes it the usual way.
QImage ReadShrunkJpeg(QFile& file, const std::function<QSize(QSize upright)>& shownSizeFor);
