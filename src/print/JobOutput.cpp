#include "print/JobOutput.h"

PrinterPageArgs PrinterArgsFor(const PrintJob& job, const PrintSettings& settings) {
  PrinterPageArgs args;
  args.pictures = job.pictures;
  args.rows = settings.rows;
  args.columns = settings.columns;
  args.rowSpacing = settings.rowSpacing;
  args.columnSpacing = settings.columnSpacing;
  args.aspectOverrides = job.aspectOverrides;
  args.captions = job.captions;
  const bool landscape = settings.landscape == 1;
  args.paperWidth = landscape ? settings.paperHeight : settings.paperWidth;
  args.paperHeight = landscape ? settings.paperWidth : settings.paperHeight;
  args.photoFit = settings.photoFit;
  args.headerText = job.headerText;
  args.footerText = job.footerText;
  args.headerFromTop = settings.headerFromTop;
  args.footerFromBottom = settings.footerFromBottom;
  return args;
}

PdfFileArgs PdfFileArgsFor(const QString& folder, const PrintJob& job,
                           const PrintSettings& settings) {
  return {folder, PrinterArgsFor(job, settings)};
}

PictureFilePageArgs PictureFileArgsFor(const QString& folder, const PrintJob& job,
                                       const PrintSettings& settings) {
  PictureFilePageArgs args;
  args.folder = folder;
  args.paperWidth = settings.paperWidth;
  args.paperHeight = settings.paperHeight;
  args.photoFit = settings.photoFit;
  args.rows = settings.rows;
  args.columns = settings.columns;
  args.rowSpacing = settings.rowSpacing;
  args.columnSpacing = settings.columnSpacing;
  args.bodyFont = settings.bodyFont;
  args.marginTop = settings.marginTop;
  args.marginBottom = settings.marginBottom;
  args.marginLeft = settings.marginLeft;
  args.marginRight = settings.marginRight;
  args.headerFromTop = settings.headerFromTop;
  args.footerFromBottom = settings.footerFromBottom;
  args.landscape = settings.landscape;
  args.pictureFormat = settings.pictureFormat;
  args.useThisJob = true;
  args.job = job;
  return args;
}
