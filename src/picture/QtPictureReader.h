#pragma once

#include <QByteArray>
#include <QSize>

#include "picture/DecodedPicture.h"

// Decodes with Qt's readers, as stored, with the orientation and colour profile the
// reader found for the pipeline to apply. format is a Qt format name ("jpeg", "bmp", …)
// or nullptr to tell it from the content. The size is read from the header first, so a
// picture above the pixel limit is refused before it is allocated; the reader's
// allocation limit backs this up where the header cannot tell. Null when the data
// cannot be read or is not whole (a cut-off file, a BMP whose pixels lie past its end:
// see pictureIsWhole). A size from shownSizeFor smaller than the picture decodes it
// straight at that size, which for JPEG skips most of the work.
DecodedPicture readPictureWithQt(const QByteArray& data, const char* format,
                                 const ShownSizeFor& shownSizeFor = {});

// The upright size from the header; invalid when the header cannot be read, the
// picture is above the pixel limit or the data is not whole.
QSize readPictureSize(const QByteArray& data);
