#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>

class QIODevice;

// The few facts of a JPEG file's header that a photo can be placed and previewed by,
// read segment by segment from the start: only the EXIF block and the colour profile are read
// whole; every other segment before the frame header is skipped over.
struct JpegHeader {
  bool valid = false;     // FF D8 and a frame header were found
  QSize storedSize;       // from the frame header, before any EXIF orientation
  int components = 0;     // colour components from the frame header: 1 grey, 3 colour, 4 CMYK
  QByteArray exif;        // the first APP1 payload that starts with "Exif\0\0", or empty
  QByteArray iccProfile;  // the embedded colour profile, its APP2 chunks joined; or empty
  qint64 bytesRead = 0;
};

JpegHeader ReadJpegHeader(QIODevice& device);

// The colour profile carried by a JPEG's APP2 segment payloads ("ICC_PROFILE\0", chunk
// number, chunk count, data), its chunks joined in their numbered order; empty when
// there is none or a chunk is missing or numbered twice: a damaged profile is none.
QByteArray JoinedIccProfile(const QList<QByteArray>& segments);

// Whether JPEG data holds four colour components (CMYK or YCCK), from its frame header.
bool JpegIsCmyk(const QByteArray& data);

// Whether the data ends with the end-of-image marker: a cut-off file keeps its header,
// its thumbnail and its first scans, but not its end. The device's position is kept.
bool EndsWithEndMarker(QIODevice& device);
