#pragma once

#include <QByteArrayView>

// Checks that tell a cut-off picture file from a whole one. The decoders fill a
// cut-off picture with grey and call it a success; these checks refuse it.

// Whether JPEG data runs from its start marker through its segments and scans to the
// end-of-image marker. Data after the end marker (camera trailers) is allowed.
bool jpegIsComplete(QByteArrayView data);

// Whether an uncompressed BMP holds all the pixel rows its header promises. Run-length
// coded BMPs cannot be measured from the header and pass.
bool bmpIsComplete(QByteArrayView data);

// Whether a GIF holds the whole data of its first picture (the one that is shown).
// A missing trailer after it is tolerated, as viewers do.
bool gifIsComplete(QByteArrayView data);

// Whether JPEG data holds four colour components (CMYK or YCCK), from its frame header.
bool jpegIsCmyk(QByteArrayView data);
