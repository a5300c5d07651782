#include "settings/PrinterCatalog.h"

PrinterCatalog PrinterCatalog::system() {
  return PrinterCatalog{&ListPrinters, &GetDefaultPrinter, &ListPaperForms, &GetPaperForm};
}
