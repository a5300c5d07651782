#pragma once

#include <QByteArray>
#include <QImage>

// Decodes the two PCX kinds the surfaces accept: 8 bits per pixel (one plane with
// the 256-colour palette at the end of the file, or three planes of red, green and
// blue) and 1 bit per pixel (one plane black and white, or up to four planes through
// the 16-colour header palette). Null for anything damaged, truncated or larger
// than the pixel limit; the size is checked from the header before allocating.
QImage decodePcx(const QByteArray& data);
