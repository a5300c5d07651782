#pragma once

#include <QString>
#include <variant>

#include "model/PrintJob.h"
#include "model/PrintSettings.h"
#include "print/JobOutput.h"
#include "print/PageLoops.h"

// Where the pages of a job go, for the window and the command line alike: to the
// printer, as one picture file per page into a folder, or as one PDF file into a folder.
// A new kind of output is added here: an alternative, its choice in JobOutputFor and its
// page loop in RunJobOutput.
using JobOutput = std::variant<PrinterPageArgs, PictureFilePageArgs, PdfFileArgs>;

// The settings' output writes files into a folder (打印成图片), rather than printing.
bool OutputNeedsFolder(const PrintSettings& settings);

// The output the settings choose for the job; folder is where the files go, unused on
// the printer.
JobOutput JobOutputFor(const PrintJob& job, const QString& folder, const PrintSettings& settings);

// Runs the output's page loop.
PageRunResult RunJobOutput(PageLoopServices& services, const JobOutput& output);
