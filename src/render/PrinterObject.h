#pragma once

#include <QSize>
#include <QString>
#include <memory>

#include "render/Surface.h"

class QPrinter;

// How a print job starts: with the printer's status dialog (its 中止打印 aborts the
// job), and on a custom paper of paperWidth × paperHeight (0.1 mm, both above 0; else
// the printer's own paper), turned when landscape.
struct PrintJobOptions {
  bool showStatusDialog = false;
  bool landscape = false;
  int paperWidth = 0;
  int paperHeight = 0;
};

// One print job on a real printer (or a PDF file), drawn in the chosen unit with the
// left and top margins as offsets from the corner of the printable area. Outside a
// running job every drawing call does nothing and every measurement is 0. Pending
// window events run before every drawing operation and page change, so the progress
// window and the status dialog stay alive; the status dialog's abort button ends the
// job at the next such point.
class PrinterObject : public Surface {
public:
  explicit PrinterObject(PictureRegistry& pictures);
  ~PrinterObject() override;

  void setUnit(int code) override;
  int unit() const override;
  void setFont(const FontDescription& font) override;
  FontDescription font() const override;

  void setPrinterName(const QString& name);  // empty: the default printer
  QString printerName() const { return printerName_; }
  // Non-empty: print to this PDF, no queue. Its pictures are JPEGs of quality 85 and its
  // fonts are named as the subsets they are.
  void setOutputPdf(const QString& fileName);
  // A PDF file has no hardware margins: with this on, the printable area is the whole
  // sheet and the origin its corner.
  void setWholePaperPrintable(bool whole) { wholePaper_ = whole; }
  // Above 0: a picture with more pixels than this many per inch of the size it is drawn
  // at is reduced to that density first (a PDF then carries no more than it prints).
  void setPictureDpiLimit(int dpi) { pictureDpiLimit_ = dpi; }
  void setDocumentName(const QString& name);  // empty: "未命名打印作业"
  QString documentName() const;
  void setCopies(int copies);  // below 1 counts as 1
  int copies() const { return copies_; }
  void setMargins(int left, int top, int right, int bottom);
  int marginLeft() const { return marginLeft_; }
  int marginTop() const { return marginTop_; }
  int marginRight() const { return marginRight_; }
  int marginBottom() const { return marginBottom_; }

  // False when a job runs already, the printer does not exist or the document cannot
  // be started; lastError() then says why.
  bool StartPrintJob(const PrintJobOptions& options);
  // Closes the open page, or emits an empty page when none is open. False when the
  // job has ended (aborted, failed or never started).
  bool NewPage();
  // Ends the document; false when it did not end cleanly (no job, aborted, failed).
  bool EndPrintJob();
  bool isJobRunning() const;
  bool wasAborted() const { return aborted_; }
  int pageNumber() const;
  QString lastError() const { return error_; }

  // Width between the margins, in the unit; not below 0. 0 without a job.
  int usableWidth() const;

  void WriteTextAt(int x, int y, const QString& text) override;
  int TextWidth(const QString& text) override;
  int TextHeight(const QString& text) override;
  int PictureWidth(PictureHandle picture) override;
  int PictureHeight(PictureHandle picture) override;
  void DrawPicture(PictureHandle picture, int x, int y, int width = -1, int height = -1) override;

  // The running job's printer, for inspection; nullptr without a job.
  QPrinter* printer() const;

private:
  struct Job;
  bool fail(const QString& message);
  // Lets pending events run, then ends the job when the user asked to abort; true
  // when the job is still running afterwards.
  bool letEventsRun();
  bool ensurePageOpen();
  void updateFont();
  int toDeviceX(int value) const;
  int toDeviceY(int value) const;
  int fromDeviceX(int pixels) const;
  int fromDeviceY(int pixels) const;

  PictureRegistry& pictures_;
  std::unique_ptr<Job> job_;
  QString printerName_;
  QString outputPdf_;
  QString documentName_;
  QString error_;
  int unit_ = 0;
  FontDescription font_ = FontDescription::song9();
  int copies_ = 1;
  int marginLeft_ = 0, marginTop_ = 0, marginRight_ = 0, marginBottom_ = 0;
  bool aborted_ = false;
  bool wholePaper_ = false;
  int pictureDpiLimit_ = 0;
};

// The most pixels a picture drawn over the given inches may keep at dpi pixels per inch
// (at least one in each direction).
QSize PictureSizeLimit(const QSizeF& inches, int dpi);
