#pragma once

#include <QtGlobal>

#include "picture/PictureFormat.h"

// How LoadCellPicture treats one photo, decided from its file size, format and
// pixel size before anything is decoded.
//
// Levels 1..5 aim at level × 50 KiB: a picture whose file is at least 1.1 times that
// (and not a BMP) is reduced; then, if it has more than k pixels
// per target unit on its tighter side (k = 2, or 3 from level 4), it is resampled to
// m pixels per unit (m = 2, or 3 at level 5), else re-encoded at its size.
enum class CellPictureAction { LoadDirectly, Reencode, Resample, Skip };

// Steps before decoding. fileSize is -1 for a missing file; level below 1 or above 5
// loads directly; a target of no area (a cell that draws nothing) skips the photo.
CellPictureAction PlanBeforeDecoding(qint64 fileSize, int level, PictureFormat format,
                                     int targetWidth, int targetHeight);

// The excess ratio r = size / 51200 / level, in single precision.
float ExcessRatio(qint64 fileSize, int level);

struct ResamplePlan {
  CellPictureAction action = CellPictureAction::Reencode;  // Reencode or Resample
  int width = 0;  // the size to resample to, when resampling
  int height = 0;
};

// Steps after the pixel size w × h is known.
ResamplePlan PlanResample(int width, int height, int targetWidth, int targetHeight, int level);
