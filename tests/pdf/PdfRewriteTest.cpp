#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "pdf/PdfRewrite.h"

namespace {

// A PDF as Qt writes it, with one blank 30 × 20 stand-in drawn.
QByteArray pdfWithStandIn() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  QPainter painter(&writer);
  QImage standIn(30, 20, QImage::Format_Mono);
  standIn.fill(0);
  painter.drawImage(QRect(100, 100, 300, 200), standIn);
  painter.end();
  return bytes;
}

// Whether the rewrite of pdf with streams succeeds.
bool rewrites(QByteArray pdf, const QList<PdfJpegStream>& streams) {
  QByteArray jpeg(100, 'j');
  QBuffer in(&pdf), spool(&jpeg), out;
  in.open(QIODevice::ReadOnly);
  spool.open(QIODevice::ReadOnly);
  out.open(QIODevice::WriteOnly);
  return RewriteQtPdf(in, out, streams, spool, QByteArray());
}

}  // namespace

TEST(PdfRewriteTest, RefusesPicturesThatDoNotMatchAndFilesNotLaidOutAsQtWritesThem) {
  const QByteArray pdf = pdfWithStandIn();
  const PdfJpegStream stream{QSize(30, 20), false, 0, 100};
  EXPECT_TRUE(rewrites(pdf, {stream}));
  EXPECT_FALSE(rewrites(pdf, {}));
  EXPECT_FALSE(rewrites(pdf, {stream, stream}));
  EXPECT_FALSE(rewrites(pdf, {{QSize(20, 30), false, 0, 100}}));
  EXPECT_FALSE(rewrites(pdf, {{QSize(30, 20), false, 50, 100}}));  // beyond the spool
  EXPECT_FALSE(rewrites(pdf.left(pdf.size() - 40), {stream}));
  EXPECT_FALSE(rewrites(QByteArray(), {stream}));
  QByteArray hugeCount = pdf;
  const qsizetype xref = hugeCount.lastIndexOf("xref\n0 ") + 7;
  hugeCount.replace(xref, hugeCount.indexOf('\n', xref) - xref, "999999999999999999");
  EXPECT_FALSE(rewrites(hugeCount, {stream}));
  QByteArray garbledEntry = pdf;
  garbledEntry[garbledEntry.lastIndexOf(" 00000 n") - 3] = 'X';
  EXPECT_FALSE(rewrites(garbledEntry, {stream}));
}
