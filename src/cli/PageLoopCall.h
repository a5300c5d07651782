#pragma once

#include <QString>
#include <functional>

#include "model/PrintJob.h"
#include "print/PageLoops.h"

// The one place where the command line runs a page loop.
//
// Draws the job's pages with the settings of services.session: as page files into
// folder when the settings say toPictureFiles, otherwise on the settings' printer.
// cellsDone hears the number of this job's cells drawn so far, after every cell.
PageRunResult PrintJobPages(PageLoopServices& services, const PrintJob& job, const QString& folder,
                            const std::function<void(int cellsDone)>& cellsDone);
