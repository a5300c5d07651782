#pragma once

#include <QString>

#include "model/PrintSettings.h"

// The main window's print choices that are kept with the start settings.
struct MainWindowChoices {
  QString headerTemplate;
  QString footerTemplate;
  bool includeSubfolders = true;  // 选择框_包括文件夹
  bool printByCategory = true;    // 选择框_按文件夹分类

  friend bool operator==(const MainWindowChoices&, const MainWindowChoices&) = default;
};

// What the program starts with: the print settings the settings window shows when
// nothing was applied in this run (fonts, printer and 打印成图片 included, and the
// user's cell layout in photoArea / textArea), and the main window's choices. Built in,
// or the ones the user saved. defaultPrinter and confirmed are never part of them.
struct StartSettings {
  PrintSettings print = PrintSettings::builtInDefaults();
  MainWindowChoices mainWindow;

  friend bool operator==(const StartSettings&, const StartSettings&) = default;
};
