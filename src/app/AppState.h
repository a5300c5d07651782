#pragma once

#include "app/ProgramExit.h"
#include "collect/CollectState.h"
#include "model/ColumnMap.h"
#include "print/ProgressWindowHost.h"
#include "render/CxImage.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

class DrawPanel;
class PrinterObject;

// The program-wide shared state: created before the main window, owned by main and
// handed by reference to whoever needs a piece of it. Only 保存为默认设置 in the
// settings window saves anything: the start settings of later runs.
struct AppState {
  CollectState collect;
  SettingsSession settings;
  ColumnMap columnMap;
  PictureRegistry pictures;
  CxImage image;
  DrawPanel* renderPanel = nullptr;        // the progress window's page panel, while it lives
  PrinterObject* renderPrinter = nullptr;  // the progress window's printer, while it lives
  // Loads the progress window for the page loops and the preview and closes it again;
  // publishes its page panel and printer in the two references above.
  ProgressWindowHost progressWindow{settings, pictures, &renderPanel, &renderPrinter};
  // Ends the program; holds what must be put back outside the program before it goes
  // (a printer made the default for a job, for example).
  ProgramExit programExit;
};
