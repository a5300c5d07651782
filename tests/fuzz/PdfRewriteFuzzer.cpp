// The PDF rewrite: given a picture stream for every picture the input names, it either
// refuses or writes a file whose cross-reference table, trailer and end are whole and
// point at the objects they name. With QUILLMERE_FUZZ_PDF_OUT set, each input rewritten
// and its output are kept there, for pdfinfo to read a sample.
#include <QBuffer>
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QList>

#include "FuzzSupport.h"
#include "pdf/PdfRewrite.h"

namespace {

constexpr qsizetype kEntrySize = 20;

qint64 numberAfter(const QByteArray& text, qsizetype from, QByteArrayView key) {
  const qsizetype at = text.indexOf(key, from);
  if (at < 0) return -1;
  qsizetype end = at + key.size();
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  bool ok = false;
  const qint64 value = text.mid(at + key.size(), end - at - key.size()).toLongLong(&ok);
  return ok ? value : -1;
}

// A stream for every picture the input names, of the size it names: the rewrite's
// other checks are reached only when the pictures match.
QList<PdfJpegStream> streamsFor(const QByteArray& pdf, qint64 jpegLength) {
  QList<PdfJpegStream> streams;
  for (qsizetype at = pdf.indexOf("/Subtype /Image"); at >= 0 && streams.size() < 64;
       at = pdf.indexOf("/Subtype /Image", at + 1)) {
    const qsizetype start = std::max<qsizetype>(0, pdf.lastIndexOf(" obj", at));
    const qint64 width = numberAfter(pdf, start, "/Width ");
    const qint64 height = numberAfter(pdf, start, "/Height ");
    streams.append({QSize(int(std::clamp<qint64>(width, 0, 1 << 20)),
                          int(std::clamp<qint64>(height, 0, 1 << 20))),
                    streams.size() % 2 == 1, 0, jpegLength});
  }
  return streams;
}

void checkWhole(const QByteArray& out, bool profileAdded) {
  fuzz::Check(out.endsWith("\n%%EOF\n"), "the file ends as a PDF does");
  const qsizetype startxref = out.lastIndexOf("startxref\n");
  fuzz::Check(startxref >= 0, "a startxref");
  const qint64 xref = numberAfter(out, startxref, "startxref\n");
  fuzz::Check(xref >= 0 && xref < startxref && out.mid(xref).startsWith("xref\n0 "),
              "startxref points at the table");
  const qint64 count = numberAfter(out, xref, "xref\n0 ");
  const qsizetype entries = out.indexOf('\n', xref + 5) + 1;
  fuzz::Check(count >= 1 && entries + count * kEntrySize <= startxref, "the table is whole");
  for (qint64 number = 0; number < count; ++number) {
    const QByteArray entry = out.mid(entries + number * kEntrySize, kEntrySize);
    const qint64 offset = entry.left(10).toLongLong();
    if (entry[17] != 'n' || offset == 0) continue;
    fuzz::Check(offset < xref && out.mid(offset).startsWith(QByteArray::number(number) + " 0 obj"),
                "every entry points at its object");
  }
  const QByteArray trailer = out.mid(entries + count * kEntrySize);
  fuzz::Check(trailer.contains("trailer"), "the trailer follows the table");
  if (profileAdded)
    fuzz::Check(numberAfter(trailer, 0, "/Size ") == count, "the trailer counts the profile");
}

void keep(const QByteArray& in, const QByteArray& out) {
  const QString dir = qEnvironmentVariable("QUILLMERE_FUZZ_PDF_OUT");
  if (dir.isEmpty()) return;
  const QString name =
      QString::fromLatin1(QCryptographicHash::hash(in, QCryptographicHash::Sha1).toHex().left(16));
  QFile input(QDir(dir).filePath(name + ".in.pdf"));
  QFile output(QDir(dir).filePath(name + ".out.pdf"));
  if (input.open(QIODevice::WriteOnly)) input.write(in);
  if (output.open(QIODevice::WriteOnly)) output.write(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QByteArray pdf(reinterpret_cast<const char*>(data), qsizetype(size));
  QByteArray jpeg("\xFF\xD8\xFF\xD9", 4);
  const QList<PdfJpegStream> streams = streamsFor(pdf, jpeg.size());
  // Every other input with a profile, which adds an object.
  const QByteArray profile = size % 2 ? QByteArray("profile bytes") : QByteArray();
  QBuffer in(&pdf), spool(&jpeg);
  QByteArray written;
  QBuffer out(&written);
  in.open(QIODevice::ReadOnly);
  spool.open(QIODevice::ReadOnly);
  out.open(QIODevice::WriteOnly);
  if (!RewriteQtPdf(in, out, streams, spool, profile)) return 0;
  const bool colour = std::any_of(streams.cbegin(), streams.cend(),
                                  [](const PdfJpegStream& stream) { return !stream.gray; });
  checkWhole(written, !profile.isEmpty() && colour);
  fuzz::Check(written.count("/Filter /DCTDecode") >= streams.size(), "every picture replaced");
  keep(pdf, written);
  return 0;
}
