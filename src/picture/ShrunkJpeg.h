#pragma once

#include <QFile>
#include <QSize>
#include <functional>

#include "picture/DecodedPicture.h"

// The largest of the JPEG decoder's own shrink factors (8, 4, 2) that still leaves at
// least `wanted` of a picture whose upright size is `upright`; 1 when none does.
int JpegShrinkFactor(QSize upright, QSize wanted);

// A colour or grey JPEG file, open for reading, decoded for the size shownSizeFor gives
// for its upright size (the whole picture when that is empty or not smaller): shrunk by
// the decoder itself as far as JpegShrinkFactor allows, straight into the 32-bit layout
// drawing takes, with its orientation and colour profile for the pipeline to apply. The
// decode buffer is kept for the thread's next photo, so a run of photos does not
// allocate a fresh one each time; a picture handed out that still shares it keeps it
// (copy-on-write), so no later decode can reach it. Null for a picture above the pixel
// limit, another kind or colour space (CMYK), and for data the decoder fails on or
// warns about, cut-off files included; the caller then decodes it another way.
DecodedPicture ReadShrunkJpeg(QFile& file, const std::function<QSize(QSize upright)>& shownSizeFor);
