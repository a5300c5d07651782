#include "pdf/PdfPictureStreams.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QThread>
#include <memory>

namespace {

QByteArray encodeJpeg(QImage picture, const QSize& size, bool gray, int quality) {
  if (picture.size() != size)
    picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (gray) {
    picture = picture.convertToFormat(QImage::Format_Grayscale8);
  } else if (picture.hasAlphaChannel()) {
    QImage paper(picture.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, picture);
    picture = paper;
  }
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  writer.setOptimizedWrite(true);
  return writer.write(picture) ? jpeg : QByteArray();
}

bool isGray(const QImage& picture) {
  // Deeper pictures would be scanned pixel by pixel to find out.
  return (picture.depth() <= 8 || picture.format() == QImage::Format_Grayscale16) &&
         picture.isGrayscale();
}

}  // namespace

PdfPictureStreams::PdfPictureStreams(const QString& pdfFileName, int quality,
                                     const QByteArray& rgbProfile)
    : pdfFileName_(pdfFileName),
      quality_(quality),
      rgbProfile_(rgbProfile),
      pool_(QThread::idealThreadCount()) {
  const QFileInfo pdf(pdfFileName);
  spool_.setFileTemplate(pdf.absolutePath() + QStringLiteral("/.") + pdf.fileName() +
                         QStringLiteral("-XXXXXX"));
  failed_ = !spool_.open();
}

PdfPictureStreams::~PdfPictureStreams() {
  pool_.WaitForDone();
}

QImage PdfPictureStreams::Add(const QImage& picture, const QSize& size) {
  // A few pictures wait beyond those being encoded, so no worker idles.
  if (qsizetype(pending_.size()) >= 2 * pool_.maxThreads()) spoolOldest();
  const bool gray = isGray(picture);
  auto jpeg = std::make_shared<std::promise<QByteArray>>();
  pending_.push_back({jpeg->get_future(), {size, gray, 0, 0}});
  pool_.Start([jpeg, picture, size, gray, quality = quality_] {
    // An exception leaving a worker would end the program; an empty encoding fails
    // the PDF with a reason instead.
    QByteArray encoded;
    try {
      encoded = encodeJpeg(picture, size, gray, quality);
    } catch (...) {
      encoded.clear();
    }
    jpeg->set_value(std::move(encoded));
  });
  QImage standIn(size, QImage::Format_Mono);
  standIn.fill(0);
  return standIn;
}

void PdfPictureStreams::spoolOldest() {
  Pending oldest = std::move(pending_.front());
  pending_.pop_front();
  const QByteArray jpeg = oldest.jpeg.get();
  oldest.stream.offset = spool_.pos();
  oldest.stream.length = jpeg.size();
  if (jpeg.isEmpty() || spool_.write(jpeg) != jpeg.size()) failed_ = true;
  streams_.append(oldest.stream);
}

bool PdfPictureStreams::Finish() {
  while (!pending_.empty()) spoolOldest();
  if (failed_ || !spool_.flush()) return false;
  QFile in(pdfFileName_);
  QSaveFile out(pdfFileName_);
  if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
  if (!RewriteQtPdf(in, out, streams_, spool_, rgbProfile_)) {
    out.cancelWriting();
    return false;
  }
  in.close();
  return out.commit();
}
