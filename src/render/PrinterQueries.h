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
};

QStringList ListPrinters();
QString GetDefaultPrinter();            // empty when there is none
bool SetDefaultPrinter(const QString& printerName);
QStringList ListPaperForms();           // forms of the default printer
bool GetPaperForm(const QString& formName, PaperForm& form);
