#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <functional>

// What one decoder hands the picture pipeline: the pixels as the file stores them (not
// yet turned upright, possibly shrunk while decoding), with what the pipeline needs to
// finish them. The pixels are the picture's own: a QImage that shares memory with a
// decoder's kept buffer is protected by copy-on-write, never by care.
struct DecodedPicture {
  QImage pixels;
  QSize storedSize;       // the whole picture as stored, before any shrinking
  int orientation = 1;    // EXIF orientation still to apply
  QByteArray iccProfile;  // the embedded colour profile; empty means sRGB
  bool isNull() const { return pixels.isNull(); }
};

// The size a decoder is to deliver, given the picture's upright size; an empty size, or
// one not smaller in either direction, asks for the whole picture.
using ShownSizeFor = std::function<QSize(QSize upright)>;
