#include <gtest/gtest.h>

#include <ostream>

#include "layout/PhotoFit.h"

void PrintTo(const PhotoRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ")";
}

namespace {

const PhotoRect kSquareArea{0.0f, 0.0f, 300.0f, 300.0f};

// What the drawers hand to DrawPicture: every value truncated toward zero.
struct Drawn {
  int x, y, width, height;
  friend bool operator==(const Drawn&, const Drawn&) = default;
};
void PrintTo(const Drawn& d, std::ostream* os) {
  *os << "(" << d.x << ", " << d.y << ", " << d.width << " x " << d.height << ")";
}
Drawn drawn(const PhotoRect& r) {
  return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.width),
          static_cast<int>(r.height)};
}

TEST(PhotoFit, LandscapePhotoInSquareAreaInEveryMode) {
  // a = 4/3 in single precision is 1.3333334; 300 / a truncates to 224, not 225
  EXPECT_EQ(drawn(FitPhoto(kSquareArea, 400, 300, FitScaleCentred)), (Drawn{0, 38, 300, 224}));
  EXPECT_EQ(drawn(FitPhoto(kSquareArea, 400, 300, FitStretch)), (Drawn{0, 0, 300, 300}));
  EXPECT_EQ(drawn(FitPhoto(kSquareArea, 400, 300, FitNaturalCentred)), (Drawn{-50, 0, 400, 300}));
  EXPECT_EQ(drawn(FitPhoto(kSquareArea, 400, 300, FitScaleTopLeft)), (Drawn{0, 0, 300, 224}));
  EXPECT_EQ(drawn(FitPhoto(kSquareArea, 400, 300, FitNaturalTopLeft)), (Drawn{0, 0, 400, 300}));
}

TEST(PhotoFit, PortraitPhotoIsCentredHorizontally) {
  const PhotoRect area{10.0f, 20.0f, 300.0f, 300.0f};
  const PhotoRect placed = FitPhoto(area, 300, 400, FitScaleCentred);
  // fh = 300, fw = trunc(0.75 × 300) = 225, left moves by 37.5 and keeps the fraction
  EXPECT_FLOAT_EQ(placed.left, 47.5f);
  EXPECT_FLOAT_EQ(placed.top, 20.0f);
  EXPECT_EQ(drawn(placed), (Drawn{47, 20, 225, 300}));
}

TEST(PhotoFit, ModesOutsideTheRangeFitLikeModeZero) {
  for (int mode : {-1, 5, 99}) {
    EXPECT_EQ(FitPhoto(kSquareArea, 400, 300, mode), FitPhoto(kSquareArea, 400, 300, 0)) << mode;
    EXPECT_EQ(NormalisedFitMode(mode), 0);
  }
}

TEST(PhotoFit, AspectOverrideReplacesThePictureShape) {
  // a square picture told to be 2:1 fits as 300 × 150
  EXPECT_EQ(drawn(FitPhoto(kSquareArea, 100, 100, FitScaleTopLeft, 2.0f)), (Drawn{0, 0, 300, 150}));
  // an override below 0.001 means "use the picture's own shape"
  EXPECT_FLOAT_EQ(PhotoAspect(400, 300, 0.0009f), 1.3333334f);
  EXPECT_FLOAT_EQ(PhotoAspect(400, 300, 0.001f), 0.001f);
  EXPECT_FLOAT_EQ(PhotoAspect(400, 300, -5.0f), 1.3333334f);
}

TEST(PhotoFit, NaturalSizeLargerThanTheAreaSpillsOver) {
  const PhotoRect placed = FitPhoto({100.0f, 100.0f, 50.0f, 40.0f}, 120, 80, FitNaturalCentred);
  EXPECT_EQ(drawn(placed), (Drawn{65, 80, 120, 80}));
}

TEST(PhotoFit, DegenerateSizesDrawNothing) {
  EXPECT_TRUE(FitPhoto({0, 0, 0.0f, 300.0f}, 400, 300, FitScaleCentred).isEmpty());
  EXPECT_TRUE(FitPhoto({0, 0, 300.0f, -1.0f}, 400, 300, FitStretch).isEmpty());
  EXPECT_TRUE(FitPhoto(kSquareArea, 0, 0, FitScaleCentred).isEmpty());
  EXPECT_TRUE(FitPhoto(kSquareArea, 400, 0, FitScaleTopLeft).isEmpty());
  EXPECT_TRUE(FitPhoto(kSquareArea, 0, 0, FitNaturalCentred).isEmpty());
  // a very wide photo whose fitted height truncates to 0
  EXPECT_TRUE(FitPhoto(kSquareArea, 4000, 1, FitScaleCentred).isEmpty());
  // stretching needs no picture size at all
  EXPECT_FALSE(FitPhoto(kSquareArea, 0, 0, FitStretch).isEmpty());
}

TEST(PhotoFit, MatchingAspectFillsTheArea) {
  EXPECT_EQ(drawn(FitPhoto({0, 0, 372.0f, 279.0f}, 4000, 3000, FitScaleCentred)),
            (Drawn{0, 0, 372, 279}));
}

}  // namespace
