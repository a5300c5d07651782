#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "render/PrinterQueries.h"

// Where the settings window learns the installed printers and the default printer's
// paper forms. system() asks the real print system; tests hand in their own lists.
struct PrinterCatalog {
  std::function<QStringList()> listPrinters;
  std::function<QString()> defaultPrinter;
  std::function<QStringList()> listPaperForms;
  std::function<bool(const QString& formName, PaperForm& form)> paperForm;

  static PrinterCatalog system();
};
