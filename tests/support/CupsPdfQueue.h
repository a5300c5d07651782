#pragma once

#include <QList>
#include <QMarginsF>
#include <QString>

// What pdfinfo reads from a PDF: the page count and each page's size in millimetres
// as it is shown (the page's rotation applied).
struct PdfPage {
  double widthMm = 0;
  double heightMm = 0;
};

struct PdfInfo {
  bool ok = false;
  QString error;
  int pages = 0;
  QList<PdfPage> pageSizes;
};

PdfInfo readPdfInfo(const QString& pdfPath);

// A CUPS-PDF print queue for tests that print on a real spooler. Construction starts
// cupsd when it is not running (this needs root, as on the CI machine), adds the queue
// with the cups-pdf driver when it is missing, and points the queue's output to its
// own folder. Every print job on the queue becomes one PDF in outputFolder(), named
// after the job's document name.
//
//   CupsPdfQueue queue;                       // or CupsPdfQueue queue("MyQueue")
//   REQUIRE_CUPS_PDF_QUEUE(queue);
//   ... print on queue.name() with the document name "Doc42" ...
//   const QString pdf = queue.waitForPdf("Doc42");   // empty on time-out
//   const PdfInfo info = readPdfInfo(pdf);
// A queue given an unprintable strip (left, top, right, bottom, in points) declares
// it in its PPD: as the imageable area of every paper form and as the hardware margins
// of custom sizes.
class CupsPdfQueue {
public:
  explicit CupsPdfQueue(const QString& queueName = QStringLiteral("QuillmerePDF"),
                        const QMarginsF& unprintablePoints = {});

  // cupsd is installed: a queue that is not ready then is a fault, not a reason to skip.
  static bool cupsInstalled();

  bool ready() const { return ready_; }
  QString whyNotReady() const { return reason_; }
  QString name() const { return name_; }
  QString outputFolder() const { return folder_; }

  // Waits until the PDF of the job printed under `documentName` (letters, digits and
  // "_" keep it recognisable) is complete, and returns its path; empty on time-out.
  QString waitForPdf(const QString& documentName, int timeoutMs = 60000) const;

private:
  bool prepare();

  QString name_;
  QMarginsF unprintable_;
  QString folder_;
  QString reason_;
  bool ready_ = false;
};

// Skips the test where CUPS is not installed; fails it where CUPS is installed but the
// queue could not be set up, so that a run on such a machine proves the printing ran.
#define REQUIRE_CUPS_PDF_QUEUE(queue)                        \
  do {                                                       \
    if (!(queue).ready()) {                                  \
      if (CupsPdfQueue::cupsInstalled())                     \
        FAIL() << (queue).whyNotReady().toStdString();       \
      else                                                   \
        GTEST_SKIP() << (queue).whyNotReady().toStdString(); \
    }                                                        \
  } while (false)
