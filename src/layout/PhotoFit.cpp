#include "layout/PhotoFit.h"

#include <cmath>

namespace {

constexpr double kTolerance = 1e-7;

// Truncation toward zero of a value that may be out of int range or not finite.
int truncated(double value) {
  if (!std::isfinite(value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(value);
}

}  // namespace

int NormalisedFitMode(int fitMode) {
  return (fitMode < FitScaleCentred || fitMode > FitNaturalTopLeft) ? FitScaleCentred : fitMode;
}

float PhotoAspect(int pictureWidth, int pictureHeight, float aspectOverride) {
  if (static_cast<double>(aspectOverride) - 0.001 >= -kTolerance) return aspectOverride;
  if (pictureWidth <= 0 || pictureHeight <= 0) return 0.0f;
  return static_cast<float>(static_cast<double>(pictureWidth) / pictureHeight);
}

PhotoRect FitPhoto(const PhotoRect& area, int pictureWidth, int pictureHeight, int fitMode,
                   float aspectOverride) {
  if (area.width <= 0.0f || area.height <= 0.0f) return {area.left, area.top, 0.0f, 0.0f};
  PhotoRect placed = area;
  const int mode = NormalisedFitMode(fitMode);
  switch (mode) {
    case FitStretch:
      return placed;
    case FitNaturalCentred:
      placed.left += (area.width - static_cast<float>(pictureWidth)) / 2.0f;
      placed.top += (area.height - static_cast<float>(pictureHeight)) / 2.0f;
      placed.width = static_cast<float>(pictureWidth);
      placed.height = static_cast<float>(pictureHeight);
      return placed;
    case FitNaturalTopLeft:
      placed.width = static_cast<float>(pictureWidth);
      placed.height = static_cast<float>(pictureHeight);
      return placed;
    default:
      break;
  }

  // Proportional modes. The aspect is single precision but the divisions are not:
  // 300 ÷ 1.3333334f must truncate to 224, as a float quotient would round to 225.
  const double aspect = PhotoAspect(pictureWidth, pictureHeight, aspectOverride);
  if (!(aspect > 0.0) || !std::isfinite(aspect)) return {area.left, area.top, 0.0f, 0.0f};
  const double areaAspect = static_cast<double>(area.width) / area.height;
  int fittedWidth = 0;
  int fittedHeight = 0;
  if (aspect - areaAspect > kTolerance) {
    fittedWidth = truncated(area.width);
    fittedHeight = truncated(fittedWidth / aspect);
  } else {
    fittedHeight = truncated(area.height);
    fittedWidth = truncated(aspect * fittedHeight);
  }
  if (fittedWidth <= 0 || fittedHeight <= 0) return {area.left, area.top, 0.0f, 0.0f};

  if (mode == FitScaleTopLeft) {
    placed.width = static_cast<float>(fittedWidth);
    placed.height = static_cast<float>(fittedHeight);
    return placed;
  }
  const double fittedAspect = static_cast<double>(fittedWidth) / fittedHeight;
  if (areaAspect - fittedAspect >= -kTolerance) {
    placed.left += (area.width - static_cast<float>(fittedWidth)) / 2.0f;
    placed.width = static_cast<float>(fittedWidth);
  } else {
    placed.top += (area.height - static_cast<float>(fittedHeight)) / 2.0f;
    placed.height = static_cast<float>(fittedHeight);
  }
  return placed;
}
