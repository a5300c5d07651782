#pragma once

#include <QTemporaryDir>

#include "print/PageLoops.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsSession.h"

namespace printtest {

// What a page loop runs on in a test: a scratch folder, the session and the services
// the loops take.
struct PageLoopRig {
  QTemporaryDir dir;
  SettingsSession session;
  PictureRegistry pictures;
  ProgressWindowHost progress{session};
  PageLoopServices services{session, pictures, progress};
};

}  // namespace printtest
