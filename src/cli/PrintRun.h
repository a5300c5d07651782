#pragma once

#include <QString>
#include <functional>

#include "cli/PrintCommand.h"
#include "settings/PrinterCatalog.h"

class QIODevice;

// Where a print run talks to: standard error (with whether it is a terminal), standard
// input for the input "-", and the print system.
struct PrintRunConsole {
  std::function<void(const QString&)> writeError;   // written as given, no line end added
  std::function<void(const QString&)> writeOutput;  // standard output, likewise
  bool errorIsTerminal = false;
  QIODevice* standardInput = nullptr;
  PrinterCatalog printers = PrinterCatalog::system();
};

// Prints what the command asks for with the program's own engine — the table reader or
// the folder search, column detection, job planning and the page loops — and returns
// the exit code. Needs a QApplication.
int RunPrint(const PrintCommand& command, PrintRunConsole& console);
