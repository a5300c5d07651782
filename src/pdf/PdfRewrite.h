#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>

class QIODevice;

// A picture's JPEG stream for a PDF: its size in pixels, its colours and where its bytes
// lie in a spool.
struct PdfJpegStream {
  QSize size;
  bool gray = false;
  qint64 offset = 0;
  qint64 length = 0;
};

// Copies a PDF written by Qt from in to out object by object, with a new cross-reference
// table, mending what Qt's writer cannot be told:
// - the k-th picture in the file (a stand-in Qt drew) becomes the JPEG of streams[k],
//   read from spool; the file's pictures must match streams in number and size;
// - a font embedded as a subset is named as one: Qt gives the subset tag ("QTIAAA+") to
//   the font descriptor only, so readers took the font for a whole one;
// - when rgbProfile (an ICC profile) is given and a colour picture is in the file, the
//   profile is added as one object and every colour picture's colour space is
//   [/ICCBased it], so viewers and printers show the pictures in the colours they were
//   drawn in rather than in the device's own.
// False when the file is not laid out as Qt writes it, a picture does not match, or a
// device cannot be read or written.
bool RewriteQtPdf(QIODevice& in, QIODevice& out, const QList<PdfJpegStream>& streams,
                  QIODevice& spool, const QByteArray& rgbProfile);
