#include "app/StartUp.h"

#include "collect/CollectState.h"
#include "platform/Desktop.h"
#include "platform/Paths.h"

void InitialiseMainWindowState(CollectState& collect, Desktop& desktop) {
  collect.searchDone = true;
  collect.desktopPath = withTrailingSeparator(desktop.desktopPath());
  collect.documentsPath = withTrailingSeparator(desktop.documentsPath());
}
