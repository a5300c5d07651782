#pragma once

#include "app/ProgramExit.h"
#include "collect/CollectState.h"
#include "model/ColumnMap.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

// The program-wide shared state: created before the main window, owned by main and
// handed by reference to whoever needs a piece of it. Only 保存为默认设置 in the
// settings window saves anything: the start settings of later runs.
struct AppState {
  CollectState collect;
  SettingsSession settings;
  ColumnMap columnMap;
  PictureRegistry pictures;
  // Loads the progress window for the page loops and the preview and closes it again.
  ProgressWindowHost progressWindow{settings};
  // Ends the program; holds what must be put back outside the program before it goes
  // (a printer made the default for a job, for example).
  ProgramExit programExit;
};
