#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QTemporaryFile>
#include <deque>
#include <future>

#include "pdf/PdfRewrite.h"
#include "platform/WorkerPool.h"

// Qt's PDF writer JPEG-encodes every picture itself, at a quality of 94: an album of
// photos comes out much larger than it prints any better. The pictures of one PDF are
// encoded here instead, on worker threads while the pages are drawn, into a spool file
// beside the PDF; Qt draws a blank one-bit stand-in of the same size in each one's place,
// so the pages are laid out by Qt's own code. Once Qt has finished the file, Finish puts
// the JPEGs in place of the stand-ins.
class PdfPictureStreams {
public:
  // pdfFileName: the PDF Qt writes. quality: the JPEG quality, 1..100. rgbProfile: the
  // ICC profile of the pictures' colours, embedded once for all of them.
  PdfPictureStreams(const QString& pdfFileName, int quality, const QByteArray& rgbProfile);
  // Waits for the encodings under way; the spool goes with it.
  ~PdfPictureStreams();
  PdfPictureStreams(const PdfPictureStreams&) = delete;
  PdfPictureStreams& operator=(const PdfPictureStreams&) = delete;

  // The stand-in to draw for picture, which is embedded smoothly reduced to size. A
  // transparent picture is embedded as it shows on white paper.
  QImage Add(const QImage& picture, const QSize& size);

  // Rewrites the finished PDF with every picture's JPEG; false when a picture could not
  // be encoded, the spool written or the PDF read or replaced.
  bool Finish();

private:
  struct Pending {
    std::future<QByteArray> jpeg;
    PdfJpegStream stream;
  };
  // Waits for the oldest encoding and appends it to the spool.
  void spoolOldest();

  QString pdfFileName_;
  int quality_;
  QByteArray rgbProfile_;
  QTemporaryFile spool_;
  WorkerPool pool_;
  std::deque<Pending> pending_;
  QList<PdfJpegStream> streams_;
  bool failed_ = false;
};
