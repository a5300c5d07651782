#pragma once

#include "render/Surface.h"

#include <QString>

#include <memory>

class QPrinter;
class QPainter;
class PrintStatusDialog;

// One print job on a real printer (or a PDF file), drawn in the chosen unit with the
// margins as offsets. Outside a running job every drawing call does nothing and
// every measurement is 0.
class PrinterObject : public Surface {
public:
  explicit PrinterObject(PictureRegistry& pictures);
  ~PrinterObject() override;

  void setUnit(int code) override;
  int unit() const override;
  void setFont(const FontSpec& font) override;
  FontSpec font() const override;

  void setPrinterName(const QString& name);    // empty: the default printer
  void setOutputPdf(const QString& fileName);  // non-empty: print to this PDF, no queue
  void setDocumentName(const QString& name);   // empty: "未命名打印作业"
  QString documentName() const;
  void setCopies(int copies);                  // below 1 counts as 1
  void setMargins(int left, int top, int right, int bottom);

  bool StartPrintJob(bool showPrintDialog, bool showStatusDialog, int paper, int landscape,
                     int paperWidth, int paperHeight);
  bool NewPage();
  void EndPrintJob();
  bool isJobRunning() const;
  int pageNumber() const;

  // Size between the margins, in the unit; not below 0.
  int usableWidth() const;
  int usableHeight() const;

  void WriteTextAt(int x, int y, const QString& text) override;
  int TextWidth(const QString& text) override;
  int TextHeight(const QString& text) override;
  int PictureWidth(PictureHandle picture) override;
  int PictureHeight(PictureHandle picture) override;
  void DrawPicture(PictureHandle picture, int x, int y, int width = -1, int height = -1) override;

private:
  struct Job;
  PictureRegistry& pictures_;
  std::unique_ptr<Job> job_;
  QString printerName_;
  QString outputPdf_;
  QString documentName_;
  int unit_ = 0;
  FontSpec font_ = FontSpec::song9();
  int copies_ = 1;
  int marginLeft_ = 0, marginTop_ = 0, marginRight_ = 0, marginBottom_ = 0;
};
