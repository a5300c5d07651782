#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "picture/PictureFormat.h"

// The page panel holds one pixel per 0.1 mm: 254 pixels per inch, so a page file prints
// at the size of the paper it was laid out on.
constexpr int kPageDpi = 254;

struct EncodedPage {
  QByteArray bytes;  // empty when it could not be encoded
  QString error;     // why not, in the library's words
};

// A page drawn by the program, encoded as a picture file of the kind asked: turned a quarter
// clockwise when it was laid out across the paper, carrying kPageDpi in every kind and, in
// JPEG, PNG and TIFF, the sRGB profile it was drawn in. BMP keeps every pixel as drawn.
EncodedPage EncodePagePicture(const QImage& page, PictureFormat format, bool turnQuarter);
