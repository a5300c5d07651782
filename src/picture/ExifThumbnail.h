#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// What the EXIF block of a JPEG says about its embedded thumbnail and the photo's
// orientation. The block is the payload of the APP1 segment, starting at "Exif\0\0".
struct ExifThumbnail {
  // The photo's own orientation (IFD0), 1..8; 1 when absent or out of range.
  int orientation = 1;
  // Where the thumbnail's JPEG stream lies in the payload; length 0 when there is none.
  qsizetype offset = 0;
  qsizetype length = 0;

  bool hasThumbnail() const { return length > 0; }
};

// Every offset is checked against the payload: a damaged block gives what could be
// read of it (often nothing), never a read outside it. The thumbnail must be a JPEG
// stream (compression 6, starting with FF D8) lying wholly inside the payload.
ExifThumbnail ParseExifThumbnail(QByteArrayView payload);
