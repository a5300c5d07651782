#include "print/JobOutput.h"

#include <utility>

PrinterPageArgs PrinterArgsFor(const PrintJob& job, const PrintSettings& settings) {
  PrinterPageArgs args{PageSetup::of(settings), job};
  if (args.page.landscape) std::swap(args.page.paperWidth, args.page.paperHeight);
  return args;
}

PictureFilePageArgs PictureFileArgsFor(const QString& folder, const PrintJob& job,
                                       const PrintSettings& settings) {
  return {folder, PageSetup::of(settings), settings.bodyFont, settings.pictureFormat, true, job};
}
