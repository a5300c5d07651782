#pragma once

#include <QByteArray>

// The kinds of picture the drawing surfaces accept, told from the first bytes of the
// data and never from a file name. PNG, TIFF and anything else are Unsupported.
enum class PictureKind { Unsupported, Bmp, Jpeg, Icon, Cursor, Gif, Pcx8, Pcx1 };

PictureKind recognisePictureKind(const QByteArray& data);
