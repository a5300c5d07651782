#pragma once

#include <QString>

#include "picture/DecodedPicture.h"

// A progressive JPEG at 1/8 of its size, as stored, made from its
// first scans alone: at that scale each pixel is the average of one 8 × 8 block, which
// the DC scans that open the file already hold, so the rest of the file (most of it)
// is neither read nor decoded. Null for a baseline JPEG, a file that is cut off or
// damaged, a picture above the pixel limit, or a colour space other than grey or
// YCbCr/RGB; the caller then decodes the file the usual way.
DecodedPicture ReadProgressiveJpegAtEighth(const QString& fileName);
