#pragma once

#include "print/JobOutput.h"
#include "print/PageLoops.h"

// Draws every page of the job with the printer loop on a PDF-writing printer object
// whose printable area is the whole sheet, into one PDF file in args.folder: named from
// the date and the time like page files, never replacing a file, written under a
// temporary name and renamed only once complete. Photos are embedded at no more than
// 300 pixels per inch of their printed size; copies are not used. The PDF is in
// writtenFiles, or in failedFiles with the reason it could not be written.
PageRunResult PrintPagesToPdfFile(PageLoopServices& services, const PdfFileArgs& args);
