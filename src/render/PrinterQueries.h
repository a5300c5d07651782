#pragma once

#include <QString>
#include <QStringList>

// A paper form in 0.1 mm: size and the distances from each paper edge to the
// form's printable area.
struct PaperForm {
  int width = 0;
  int height = 0;
  int marginTop = 0;
  int marginBottom = 0;
  int marginLeft = 0;
  int marginRight = 0;

  friend bool operator==(const PaperForm&, const PaperForm&) = default;
};

QStringList ListPrinters();
QString GetDefaultPrinter();  // empty when there is none
// Makes the printer the user's default (the CUPS lpoptions default); false when no
// such printer exists or the default cannot be written.
bool SetDefaultPrinter(const QString& printerName);
// Paper forms of the default printer; the common standard forms when there is no
// default printer.
QStringList ListPaperForms();
// Size and margins of the named form of the default printer, or, for a name no
// printer offers, of the standard form of that name with no margins. False for an
// unknown name.
bool GetPaperForm(const QString& formName, PaperForm& form);

// The copies CUPS reports printed of the jobs named `documentName` on the printer:
// the copies of each completed job; 0 while none is complete or CUPS cannot be asked.
int CopiesPrinted(const QString& printerName, const QString& documentName);

// Where the printer sends its jobs (its device URI); empty when unknown.
QString PrinterPort(const QString& printerName);

// Tenths of a millimetre from millimetres, truncated the way the spooler does: first
// to whole thousandths of a millimetre, then divided by 100.
int tenthsOfMillimetre(double millimetres);
