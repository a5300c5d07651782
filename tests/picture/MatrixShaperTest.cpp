#include <gtest/gtest.h>
#include <lcms2.h>

#include <memory>
#include <vector>

#include "picture/ColourProfile.h"
#include "picture/MatrixShaper.h"

namespace {

struct Handles {
  cmsHPROFILE source = nullptr;
  cmsHPROFILE srgb = cmsCreate_sRGBProfile();
  cmsHTRANSFORM engine = nullptr;
  explicit Handles(const QByteArray& icc)
      : source(cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size()))) {
    const cmsUInt32Number format =
        cmsGetColorSpace(source) == cmsSigGrayData ? TYPE_GRAY_8 : TYPE_BGRA_8;
    engine = cmsCreateTransform(source, format, srgb, TYPE_BGRA_8, INTENT_PERCEPTUAL,
                                cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE);
  }
  ~Handles() {
    cmsDeleteTransform(engine);
    cmsCloseProfile(source);
    cmsCloseProfile(srgb);
  }
};

QByteArray greyProfile() {
  cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
  cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  QByteArray bytes(qsizetype(size), '\0');
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  cmsFreeToneCurve(curve);
  return bytes;
}

}  // namespace

// Every third level of each channel, far colours of wide spaces included, comes out
// within one level of the colour engine's own transform.
TEST(MatrixShaperTest, WideSpacesConvertAsTheColourEngineDoes) {
  RgbChromaticities adobe;
  adobe.green[0] = 0.21;
  adobe.green[1] = 0.71;
  const RgbChromaticities proPhoto{
      {0.3457, 0.3585}, {0.7347, 0.2653}, {0.1596, 0.8404}, {0.0366, 0.0001}};
  const RgbChromaticities displayP3{
      {0.3127, 0.3290}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}};
  const struct {
    const char* name;
    QByteArray icc;
  } spaces[] = {{"Adobe RGB", MakeRgbProfile(adobe, 563.0 / 256.0)},
                {"ProPhoto", MakeRgbProfile(proPhoto, 1.8)},
                {"Display P3", MakeRgbProfile(displayP3, 0.0)}};
  std::vector<QRgb> colours;
  for (int r = 0; r < 256; r += 3)
    for (int g = 0; g < 256; g += 3)
      for (int b = 0; b < 256; b += 3) colours.push_back(qRgba(r, g, b, (r + g) & 0xff));
  for (const auto& space : spaces) {
    SCOPED_TRACE(space.name);
    const Handles handles(space.icc);
    const auto shaper = MatrixShaper::build(handles.source, handles.srgb, handles.engine);
    ASSERT_TRUE(shaper);
    std::vector<QRgb> ours = colours;
    std::vector<QRgb> theirs = colours;
    shaper->apply(ours.data(), int(ours.size()));
    cmsDoTransform(handles.engine, theirs.data(), theirs.data(), cmsUInt32Number(theirs.size()));
    int worst = 0;
    bool alphaKept = true;
    for (size_t i = 0; i < ours.size(); ++i) {
      worst = std::max({worst, std::abs(qRed(ours[i]) - qRed(theirs[i])),
                        std::abs(qGreen(ours[i]) - qGreen(theirs[i])),
                        std::abs(qBlue(ours[i]) - qBlue(theirs[i]))});
      alphaKept = alphaKept && qAlpha(ours[i]) == qAlpha(colours[i]);
    }
    EXPECT_LE(worst, 1);
    EXPECT_TRUE(alphaKept);
  }
}

TEST(MatrixShaperTest, GreyProfilesAreLeftToTheColourEngine) {
  const Handles handles(greyProfile());
  EXPECT_FALSE(MatrixShaper::build(handles.source, handles.srgb, handles.engine));
}
