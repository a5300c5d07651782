#include "PrintedPages.h"

#include <QDir>
#include <QProcess>

#include "print/PagePreview.h"
#include "print/PdfPages.h"

namespace printtest {

namespace {

// The PDF's pages as pdftoppm renders them at 254 dpi, one pixel per 0.1 mm; as PPM,
// which it writes many times faster than PNG.
QList<QImage> renderedPdf(const QString& pdf) {
  const QString base = pdf + QStringLiteral("-page");
  QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "254", pdf, base});
  QList<QImage> pages;
  const QFileInfo info(base);
  for (const QString& name :
       info.dir().entryList({info.fileName() + QStringLiteral("-*.ppm")}, QDir::Files, QDir::Name))
    pages.append(QImage(info.dir().filePath(name)));
  return pages;
}

}  // namespace

const char* outputName(Output output) {
  switch (output) {
    case Output::PageFiles:
      return "page files";
    case Output::Pdf:
      return "PDF";
    case Output::Preview:
      return "preview";
  }
  return "";
}

QList<QImage> PrintedPagesRig::print(Output output, const PrintJob& job, QSize pixels, int rows,
                                     int columns, int level) {
  PrintSettings& s = session.printSettings;
  s = PrintSettings::builtInDefaults();
  s.paperWidth = pixels.width();
  s.paperHeight = pixels.height();
  s.marginTop = s.marginBottom = s.marginLeft = s.marginRight = 0;
  s.rows = rows;
  s.columns = columns;
  s.rowSpacing = s.columnSpacing = 0;
  s.photoFit = 1;
  s.captionLines = 0;
  s.photoArea = {0.0f, 0.0f, 1.0f, 1.0f};
  s.textArea = {0.0f, 1.0f, 1.0f, 0.0f};
  s.optimiseLevel = level;
  s.pictureFormat = PageFileFormat::Bmp;  // lossless and quick to write
  services.setDefaultPrinter = [](const QString&) { return true; };

  const QString folder = dir.filePath(QStringLiteral("run%1").arg(++runs_));
  QDir().mkpath(folder);
  QList<QImage> pages;
  if (output == Output::Preview) {
    PreviewServices preview{session, pictures, progress};
    PreviewPage page;
    page.numbers = PageSetup::of(s);
    page.bodyFont = s.bodyFont;
    page.lists = job;
    CardRect photoArea = s.photoArea;
    CardRect textArea = s.textArea;
    pages.append(QImage::fromData(RenderPreviewPage(preview, s, page, photoArea, textArea)));
  } else if (output == Output::Pdf) {
    const PageRunResult result = PrintPagesToPdfFile(services, PdfFileArgsFor(folder, job, s));
    if (result.writtenFiles.size() == 1) pages = renderedPdf(result.writtenFiles[0]);

  } else {
    const PageRunResult result =
        PrintPagesToPictureFiles(services, PictureFileArgsFor(folder, job, s));
    for (const QString& file : result.writtenFiles) pages.append(QImage(file));
  }
  QDir(folder).removeRecursively();
  return pages;
}

QRect PrintedPagesRig::cellRect(QSize pixels, int rows, int columns, int row, int column,
                                int inset) {
  const int width = pixels.width() / columns;
  const int height = pixels.height() / rows;
  return QRect(column * width, row * height, width, height).adjusted(inset, inset, -inset, -inset);
}

}  // namespace printtest
