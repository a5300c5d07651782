#pragma once

#include <QString>

#include "model/CardLayout.h"
#include "model/PrintJob.h"
#include "model/PrintSettings.h"

// The settings of this run and the flags the settings window, the cell editor,
// the page preview and the print engine share.
struct SettingsSession {
  PrintSettings printSettings;
  CardLayout workingLayout;
  PrintJob lastJob;              // the job last handed to the settings window
  bool settingsApplied = false;  // PrintSettings holds settings applied in this run
  bool previewBusy = false;      // a page preview is being drawn
  bool previewStopRequested = false;
  // While a printer job has made its printer the system default: the default to put
  // back, at the end of the job or when the program ends in the middle of it.
  QString defaultPrinterToRestore;
};
