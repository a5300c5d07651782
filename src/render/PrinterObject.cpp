#include "render/PrinterObject.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRawFont>
#include <cmath>

#include "pdf/PdfPictureStreams.h"
#include "pdf/PdfTextMap.h"
#include "picture/ColourProfile.h"
#include "render/FontMapping.h"
#include "render/PrintStatusDialog.h"
#include "render/PrinterFont.h"
#include "render/PrinterQueries.h"
#include "render/TextLines.h"
#include "render/Units.h"

namespace {

const QString kUntitled = QStringLiteral("未命名打印作业");
constexpr int kLineGap = 2;  // device pixels between lines
// A photo print on paper shows no difference from 94, Qt's own quality, at under two
// thirds of the size.
constexpr int kPdfJpegQuality = 85;

}  // namespace

struct PrinterObject::Job {
  std::unique_ptr<QPrinter> printer;
  QPainter painter;
  std::unique_ptr<PrintStatusDialog> status;
  QFont font;
  int fontHeight = 0;  // the character height the font is made with, in the unit
  double dpiX = 0;
  double dpiY = 0;
  QSize printable;         // device pixels
  QList<QFont> textFonts;  // fonts text was written in, for the PDF's text map
  std::unique_ptr<PdfPictureStreams> pdfPictures;  // a PDF's pictures, encoded by us
  bool pageOpen = true;
  int page = 1;

  ~Job() {
    if (painter.isActive()) painter.end();
  }
};

PrinterObject::PrinterObject(PictureRegistry& pictures) : pictures_(pictures) {}
PrinterObject::~PrinterObject() {
  if (job_) EndPrintJob();
}

void PrinterObject::setUnit(int code) {
  unit_ = units::clamp(code);
  updateFont();
}
int PrinterObject::unit() const {
  return unit_;
}

void PrinterObject::setFont(const FontDescription& font) {
  font_ = font;
  updateFont();
}
FontDescription PrinterObject::font() const {
  return font_;
}

void PrinterObject::setPrinterName(const QString& name) {
  printerName_ = name;
}
void PrinterObject::setOutputPdf(const QString& fileName) {
  outputPdf_ = fileName;
}
void PrinterObject::setDocumentName(const QString& name) {
  documentName_ = name;
}
QString PrinterObject::documentName() const {
  return documentName_.isEmpty() ? kUntitled : documentName_;
}
void PrinterObject::setCopies(int copies) {
  copies_ = std::max(1, copies);
}

void PrinterObject::setMargins(int left, int top, int right, int bottom) {
  marginLeft_ = left;
  marginTop_ = top;
  marginRight_ = right;
  marginBottom_ = bottom;
}

bool PrinterObject::fail(const QString& message) {
  error_ = message;
  return false;
}

bool PrinterObject::StartPrintJob(const PrintJobOptions& options) {
  if (job_) return fail(QStringLiteral("a print job is already running"));
  aborted_ = false;
  error_.clear();

  auto job = std::make_unique<Job>();
  job->printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrinter& printer = *job->printer;
  QString destination;
  QString port;
  if (!outputPdf_.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(outputPdf_);
    destination = QStringLiteral("PDF");
    port = outputPdf_;
  } else {
    destination = printerName_.isEmpty() ? GetDefaultPrinter() : printerName_;
    if (destination.isEmpty()) return fail(QStringLiteral("there is no printer to print on"));
    if (QPrinterInfo::printerInfo(destination).isNull())
      return fail(QStringLiteral("the printer \"%1\" does not exist").arg(destination));
    printer.setPrinterName(destination);
    if (!printer.isValid())
      return fail(QStringLiteral("the printer \"%1\" cannot be used").arg(destination));
    port = PrinterPort(destination);
  }

  // Everything is handed to the printer before painting starts.
  // A lying custom page is handed over as a page of the turned size, upright: the
  // spooler then keeps it lying instead of turning it back onto an upright sheet,
  // and the drawing surface is the same paperHeight wide.
  const int paperWidth = options.paperWidth;
  const int paperHeight = options.paperHeight;
  if (paperWidth > 0 && paperHeight > 0) {
    const QSizeF mm = options.landscape ? QSizeF(paperHeight / 10.0, paperWidth / 10.0)
                                        : QSizeF(paperWidth / 10.0, paperHeight / 10.0);
    printer.setPageSize(QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    printer.setPageOrientation(QPageLayout::Portrait);
  } else {
    printer.setPageOrientation(options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  }
  printer.setCopyCount(std::max(1, copies_));
  printer.setDocName(documentName());
  // The origin is the corner of the printer's imageable area. Qt's minimum margins are
  // that area's distances from the paper edges (from the printer's PPD); the margins it
  // starts from are a fixed 10 pt that has nothing to do with the printer. A PDF file
  // has no unprintable strip: its origin is the paper corner.
  printer.setFullPage(wholePaper_);
  if (wholePaper_) {
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
  } else {
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
  }

  if (!job->painter.begin(&printer))
    return fail(QStringLiteral("the print job could not be started on \"%1\"").arg(destination));
  job->dpiX = printer.logicalDpiX();
  job->dpiY = printer.logicalDpiY();
  job->printable = printer.pageRect(QPrinter::DevicePixel).size().toSize();
  job->painter.setRenderHint(QPainter::SmoothPixmapTransform);
  job->painter.setRenderHint(QPainter::TextAntialiasing);
  if (!outputPdf_.isEmpty())
    job->pdfPictures =
        std::make_unique<PdfPictureStreams>(outputPdf_, kPdfJpegQuality, SrgbProfile());

  if (options.showStatusDialog) {
    job->status = std::make_unique<PrintStatusDialog>(documentName(), destination, port);
    QObject::connect(job->status.get(), &PrintStatusDialog::abortClicked, job->status.get(),
                     [p = job->printer.get()] { p->abort(); });
    if (outputPdf_.isEmpty())
      job->status->followCopiesPrinted(
          [destination, name = documentName()] { return CopiesPrinted(destination, name); });
    job->status->show();
  }
  job_ = std::move(job);
  updateFont();
  return true;
}

bool PrinterObject::letEventsRun() {
  if (!job_) return false;
  QCoreApplication::processEvents();
  if (job_ && (job_->printer->printerState() == QPrinter::Aborted ||
               (job_->status && job_->status->abortRequested()))) {
    aborted_ = true;
    error_ = QStringLiteral("printing was stopped");
    job_.reset();
  }
  return job_ != nullptr;
}

bool PrinterObject::ensurePageOpen() {
  if (job_->pageOpen) return true;
  if (!job_->printer->newPage()) {
    error_ = QStringLiteral("the printer could not start a new page");
    job_->printer->abort();
    job_.reset();
    return false;
  }
  job_->pageOpen = true;
  return true;
}

bool PrinterObject::NewPage() {
  if (!letEventsRun()) return false;
  if (job_->pageOpen) {
    job_->pageOpen = false;
  } else {
    // Nothing was drawn since the last page ended: this page goes out empty.
    if (!ensurePageOpen()) return false;
    job_->pageOpen = false;
  }
  ++job_->page;
  if (job_->status) job_->status->setCurrentPage(job_->page);
  return true;
}

bool PrinterObject::EndPrintJob() {
  if (!job_) return false;
  QCoreApplication::processEvents();
  if (!job_) return false;
  const bool aborted = job_->printer->printerState() == QPrinter::Aborted ||
                       (job_->status && job_->status->abortRequested());
  const bool ended = job_->painter.end();
  const bool failed = job_->printer->printerState() == QPrinter::Error;
  const QList<QFont> textFonts = job_->textFonts;
  const std::unique_ptr<PdfPictureStreams> pdfPictures = std::move(job_->pdfPictures);
  job_.reset();
  if (ended && !failed && !aborted && pdfPictures) {
    if (!pdfPictures->Finish())
      return fail(QStringLiteral("the PDF's pictures could not be written"));
    QHash<char16_t, char16_t> ideographs;
    for (const QFont& font : textFonts)
      ideographs.insert(SharedGlyphIdeographs(QRawFont::fromFont(font)));
    if (!RepairToUnicodeFile(outputPdf_, ideographs))
      return fail(QStringLiteral("the PDF's text map could not be written"));
  }
  if (aborted) {
    aborted_ = true;
    return fail(QStringLiteral("printing was stopped"));
  }
  if (!ended || failed) return fail(QStringLiteral("the print job could not be finished"));
  return true;
}

bool PrinterObject::isJobRunning() const {
  return job_ != nullptr;
}
int PrinterObject::pageNumber() const {
  return job_ ? job_->page : 0;
}
QPrinter* PrinterObject::printer() const {
  return job_ ? job_->printer.get() : nullptr;
}

int PrinterObject::toDeviceX(int value) const {
  return static_cast<int>(std::trunc(units::toPixels(value, job_->dpiX, unit_)));
}
int PrinterObject::toDeviceY(int value) const {
  return static_cast<int>(std::trunc(units::toPixels(value, job_->dpiY, unit_)));
}
int PrinterObject::fromDeviceX(int pixels) const {
  return static_cast<int>(std::trunc(units::fromPixels(pixels, job_->dpiX, unit_)));
}
int PrinterObject::fromDeviceY(int pixels) const {
  return static_cast<int>(std::trunc(units::fromPixels(pixels, job_->dpiY, unit_)));
}

void PrinterObject::updateFont() {
  if (!job_) return;
  const int height = printerfont::characterHeight(font_.size, unit_, job_->dpiY);
  const int pixels = unit_ == units::Pixels
                         ? height
                         : static_cast<int>(units::toPixels(height, job_->dpiY, unit_));
  job_->font = makeFont(font_, pixels);
  job_->fontHeight = height;
  // Shaped Latin text in a CJK font takes glyphs that the font's character map does not
  // name (its proportional digits), and a PDF's text map then leaves them out: a reader
  // would find "IMG_" where "IMG_0001" was written. Unshaped, every glyph is named.
  if (!outputPdf_.isEmpty())
    job_->font.setStyleStrategy(
        QFont::StyleStrategy(job_->font.styleStrategy() | QFont::PreferNoShaping));
}

int PrinterObject::usableWidth() const {
  if (!job_) return 0;
  return std::max(0, fromDeviceX(job_->printable.width()) - marginLeft_ - marginRight_);
}

void PrinterObject::WriteTextAt(int x, int y, const QString& text) {
  if (!letEventsRun() || !ensurePageOpen()) return;
  const TextCell cell = textCellOf(job_->font, job_->printer.get());
  const TextLayout layout = layoutTextLines(text, cell.height, cell.height, kLineGap);
  if (!outputPdf_.isEmpty() && !job_->textFonts.contains(job_->font))
    job_->textFonts.append(job_->font);
  QPainter& p = job_->painter;
  p.setFont(job_->font);
  p.setPen(Qt::black);
  const int left = toDeviceX(marginLeft_ + x);
  const int top = toDeviceY(marginTop_ + y);
  for (const TextPiece& piece : layout.pieces)
    p.drawText(left, top + piece.offsetY + cell.baseline, piece.text);
}

int PrinterObject::TextWidth(const QString& text) {
  if (!job_) return 0;
  const QFontMetrics metrics(job_->font, job_->printer.get());
  int widest = 0;
  for (const QString& piece : splitTextLines(text))
    widest = std::max(widest, metrics.horizontalAdvance(piece));
  return fromDeviceX(widest);
}

// The font's character cell, whatever the text: the height it is made with, taken in
// the unit itself so no rounding through device pixels shortens it.
int PrinterObject::TextHeight(const QString&) {
  if (!job_) return 0;
  return job_->fontHeight;
}

int PrinterObject::PictureWidth(PictureHandle picture) {
  const QImage* image = pictures_.picture(picture);
  return job_ && image ? fromDeviceX(image->width()) : 0;
}

int PrinterObject::PictureHeight(PictureHandle picture) {
  const QImage* image = pictures_.picture(picture);
  return job_ && image ? fromDeviceY(image->height()) : 0;
}

void PrinterObject::DrawPicture(PictureHandle picture, int x, int y, int width, int height) {
  if (!letEventsRun()) return;
  const QImage* image = pictures_.picture(picture);
  if (!image || !ensurePageOpen()) return;
  const int w = width < 0 ? image->width() : toDeviceX(width);
  const int h = height < 0 ? image->height() : toDeviceY(height);
  if (w == 0 || h == 0) return;
  const QRect target(toDeviceX(marginLeft_ + x), toDeviceY(marginTop_ + y), w, h);
  QSize size = image->size();
  if (pictureDpiLimit_ > 0)
    size = size.boundedTo(PictureSizeLimit(
        QSizeF(std::abs(w) / job_->dpiX, std::abs(h) / job_->dpiY), pictureDpiLimit_));
  if (job_->pdfPictures)
    job_->painter.drawImage(target, job_->pdfPictures->Add(*image, size));
  else if (size == image->size())
    job_->painter.drawImage(target, *image);
  else
    job_->painter.drawImage(target,
                            image->scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QSize PictureSizeLimit(const QSizeF& inches, int dpi) {
  return QSize(qMax(1, static_cast<int>(std::floor(inches.width() * dpi))),
               qMax(1, static_cast<int>(std::floor(inches.height() * dpi))));
}
