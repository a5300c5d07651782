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
  // What the settings window shows where nothing was applied in this run, and what
  // copies and the picture format show at every opening: the built-in defaults, or
  // the start settings the user saved.
  PrintSettings startSettings = PrintSettings::builtInDefaults();
  // Where 保存为默认设置 keeps the start settings and 恢复出厂设置 removes them.
  QString startSettingsFile;

  // The run begins from saved start settings: they stand in for the built-in defaults,
  // and their fonts, printer, 打印成图片 and cell layout are this run's first ones.
  void startFrom(const PrintSettings& saved) {
    startSettings = saved;
    startSettings.defaultPrinter.clear();
    startSettings.confirmed = false;
    printSettings = startSettings;
    workingLayout = CardLayout{saved.photoArea, saved.textArea};
  }

  // The cell layout is the user's, kept rather than recomputed from the boxes, once
  // settings were applied in this run or when the start settings bring one.
  bool keepsUserLayout() const {
    return settingsApplied || startSettings.photoArea != CardRect{} ||
           startSettings.textArea != CardRect{};
  }
};
