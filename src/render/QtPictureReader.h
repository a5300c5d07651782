#pragma once

#include <QByteArray>
#include <QImage>

// Decodes with Qt's readers, upright by the EXIF orientation. format is a Qt format
// name ("jpeg", "bmp", …) or nullptr to tell it from the content. The size is read from
// the header first, so a picture above the pixel limit is refused before it is
// allocated; the reader's allocation limit backs this up where the header cannot
// tell. Null when the data cannot be read or is not whole (a cut-off file, a BMP
// whose pixels lie past its end: see pictureIsWhole). A valid `shownSize` smaller than the
// picture decodes it straight at that (upright) size, which for JPEG skips most of
// the work.
QImage readPictureWithQt(const QByteArray& data, const char* format, QSize shownSize = {});

// The upright size from the header; invalid when the header cannot be read, the
// picture is above the pixel limit or the data is not whole.
QSize readPictureSize(const QByteArray& data);
