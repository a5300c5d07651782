#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>

#include "PageLoopRig.h"
#include "model/PrintJob.h"

namespace printtest {

// The three ways a job's cells reach pixels that a test can look at.
enum class Output { PageFiles, Pdf, Preview };

const char* outputName(Output output);

// A page loop rig that prints a job on a plain grid: no margins, spacings, header,
// footer or captions, every photo stretched over its whole cell.
struct PrintedPagesRig : PageLoopRig {
  // The pages the output draws of the job, each `pixels` in size: page files and the
  // PDF (rendered by pdftoppm) have one pixel per 0.1 mm of paper, the preview one per
  // millimetre, so a page of the same pixels has the same cells in every output. The
  // preview draws only the first page, at the lightest reduction whatever the level.
  QList<QImage> print(Output output, const PrintJob& job, QSize pixels, int rows, int columns,
                      int level);

  // Cell (row, column) of a page of that grid, inset so its edges' blending stays out.
  static QRect cellRect(QSize pixels, int rows, int columns, int row, int column, int inset = 3);

private:
  int runs_ = 0;
};

}  // namespace printtest
