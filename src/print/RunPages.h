#pragma once

#include <QList>

#include "model/PrintJob.h"
#include "print/PageGeometry.h"

// The pages of a run, job after job, as the page loops will print them.
struct RunPage {
  int job = 0;         // index into the run's jobs
  int pageInJob = 0;   // from 0
  int pagesInJob = 0;  // the job's page count

  friend bool operator==(const RunPage&, const RunPage&) = default;
};

QList<RunPage> PagesOfRun(const QList<PrintJob>& jobs, GridShape shape);

// One page of a job as a job of its own: the page's cells with their captions and
// aspect overrides, and macros that number it and count the pages as the whole job
// does, so the page loop draws it exactly as it draws that page of the job.
PrintJob PageOfJob(const PrintJob& job, int pageInJob, GridShape shape);
