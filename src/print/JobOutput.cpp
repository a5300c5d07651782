#include "print/JobOutput.h"

#include <utility>

QString ReasonInWords(const QString& words, const QString& detail) {
  const QString trimmed = detail.trimmed();
  if (trimmed.isEmpty() || trimmed == words) return words;
  const QString sentence = words.endsWith(u'。') ? words : words + u'。';
  return sentence + QStringLiteral("详细信息：") + trimmed;
}

PrinterPageArgs PrinterArgsFor(const PrintJob& job, const PrintSettings& settings) {
  PrinterPageArgs args{PageSetup::of(settings), job};
  if (args.page.landscape) std::swap(args.page.paperWidth, args.page.paperHeight);
  return args;
}

PdfFileArgs PdfFileArgsFor(const QString& folder, const PrintJob& job,
                           const PrintSettings& settings) {
  return {folder, PrinterArgsFor(job, settings)};
}

PictureFilePageArgs PictureFileArgsFor(const QString& folder, const PrintJob& job,
                                       const PrintSettings& settings) {
  return {folder, PageSetup::of(settings), settings.bodyFont, settings.pictureFormat, true, job};
}
