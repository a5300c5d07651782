#pragma once

// A rectangle in single-precision floats, in whatever unit the caller works in:
// left, top, width, height.
struct PhotoRect {
  float left = 0.0f;
  float top = 0.0f;
  float width = 0.0f;
  float height = 0.0f;

  // Nothing to draw once the sizes are truncated to whole units.
  bool isEmpty() const { return static_cast<int>(width) <= 0 || static_cast<int>(height) <= 0; }

  friend bool operator==(const PhotoRect&, const PhotoRect&) = default;
};

// Photo fit modes, as the settings window lists them.
enum PhotoFitMode : int {
  FitScaleCentred = 0,    // proportional, centred in the photo area
  FitStretch = 1,         // stretched over the whole photo area
  FitNaturalCentred = 2,  // natural size, centred on the photo area
  FitScaleTopLeft = 3,    // proportional, at the area's top-left corner
  FitNaturalTopLeft = 4,  // natural size, at the area's top-left corner
};

// Modes outside 0..4 mean 0.
int NormalisedFitMode(int fitMode);

// The aspect a photo is fitted with: the override when it is at least 0.001
// (within 1e-7), otherwise pictureWidth ÷ pictureHeight, held in single precision.
// 0 when neither gives a usable aspect.
float PhotoAspect(int pictureWidth, int pictureHeight, float aspectOverride);

// Where a photo of pictureWidth × pictureHeight lands in its photo area under the
// fit mode. The result is in the area's coordinate system (same origin as "area").
// A zero or negative area, or a proportional fit without a usable aspect, gives an
// empty rectangle: nothing is drawn.
PhotoRect FitPhoto(const PhotoRect& area, int pictureWidth, int pictureHeight, int fitMode,
                   float aspectOverride = 0.0f);
