#include "print/CellPicturePlan.h"

#include <cmath>

namespace {
constexpr double kTolerance = 1e-7;
}

float ExcessRatio(qint64 fileSize, int level) {
  return static_cast<float>(double(fileSize) / 51200.0 / level);
}

CellPictureAction PlanBeforeDecoding(qint64 fileSize, int level, PictureFormat format,
                                     int targetWidth, int targetHeight) {
  if (level < 1 || level > 5) return CellPictureAction::LoadDirectly;
  if (targetWidth <= 0 || targetHeight <= 0) return CellPictureAction::Skip;
  if (double(ExcessRatio(fileSize, level)) - 1.1 < -kTolerance || format == PictureFormat::Bmp)
    return CellPictureAction::LoadDirectly;
  return CellPictureAction::Reencode;
}

ResamplePlan PlanResample(int width, int height, int targetWidth, int targetHeight, int level) {
  ResamplePlan plan;
  if (width <= 0 || height <= 0 || targetWidth <= 0 || targetHeight <= 0) return plan;
  const float sx = static_cast<float>(double(width) / targetWidth);
  const float sy = static_cast<float>(double(height) / targetHeight);
  const float s = (double(sx) - sy > kTolerance) ? sy : sx;
  const int k = level / 4 + 2;
  if (double(s) - k <= kTolerance) return plan;
  const int m = level / 5 + 2;
  plan.action = CellPictureAction::Resample;
  plan.width = qMax(1, static_cast<int>(std::trunc(double(width) / s * m)));
  plan.height = qMax(1, static_cast<int>(std::trunc(double(height) / s * m)));
  return plan;
}
