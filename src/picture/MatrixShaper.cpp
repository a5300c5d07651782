#include "picture/MatrixShaper.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Linear light from 0 to 1 is looked up in this many steps: near black sRGB rises 13
// levels for each 1 % of light, so a step moves the 8-bit level by a fifth at most.
constexpr int32_t kSteps = 1 << 14;
// The shares are kept in sixteenths of a step, so their sum rounds once.
constexpr int kShareBits = 4;
constexpr double kOne = double(kSteps << kShareBits);
// Even a space far wider than sRGB spans a few times 0 to 1, and no real space mixes its
// channels by more than a few times; the bound keeps every sum well inside 32 bits.
constexpr int32_t kMostSteps = 16 * kSteps;
constexpr double kLargestCoefficient = 64;
// The tables may differ from the colour engine by rounding, never by more.
constexpr int kLevelsTolerated = 1;

using Matrix = std::array<std::array<double, 3>, 3>;

// The columns are the XYZ of the profile's red, green and blue.
bool colorants(cmsHPROFILE profile, Matrix& into) {
  const cmsTagSignature tags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag,
                                   cmsSigBlueColorantTag};
  for (int c = 0; c < 3; ++c) {
    const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tags[c]));
    if (!xyz) return false;
    into[0][c] = xyz->X;
    into[1][c] = xyz->Y;
    into[2][c] = xyz->Z;
  }
  return true;
}

bool inverted(const Matrix& m, Matrix& into) {
  const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  if (std::abs(det) < 1e-9) return false;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
      into[r][c] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / det;
    }
  }
  return true;
}

// The levels the tables are checked at: dense near black, where curves bend most.
std::vector<QRgb> checkedPixels() {
  std::vector<int> levels = {1, 2, 3, 5, 8, 12};
  for (int level = 0; level <= 255; level += 17) levels.push_back(level);
  std::vector<QRgb> pixels;
  for (const int r : levels)
    for (const int g : levels)
      for (const int b : levels) pixels.push_back(qRgb(r, g, b));
  return pixels;
}

bool agree(const std::vector<QRgb>& ours, const std::vector<QRgb>& engine) {
  for (size_t i = 0; i < ours.size(); ++i) {
    if (std::abs(qRed(ours[i]) - qRed(engine[i])) > kLevelsTolerated ||
        std::abs(qGreen(ours[i]) - qGreen(engine[i])) > kLevelsTolerated ||
        std::abs(qBlue(ours[i]) - qBlue(engine[i])) > kLevelsTolerated)
      return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<const MatrixShaper> MatrixShaper::build(void* sourceProfile, void* srgbProfile,
                                                        void* engine) {
  if (cmsGetColorSpace(sourceProfile) != cmsSigRgbData ||
      cmsGetPCS(sourceProfile) != cmsSigXYZData || !cmsIsMatrixShaper(sourceProfile) ||
      cmsIsTag(sourceProfile, cmsSigAToB0Tag) || cmsIsTag(sourceProfile, cmsSigDToB0Tag))
    return nullptr;
  Matrix source{}, destination{}, fromXyz{};
  if (!colorants(sourceProfile, source) || !colorants(srgbProfile, destination) ||
      !inverted(destination, fromXyz))
    return nullptr;
  Matrix toSrgb{};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      for (int k = 0; k < 3; ++k) toSrgb[r][c] += fromXyz[r][k] * source[k][c];
  for (const auto& row : toSrgb)
    for (const double coefficient : row)
      if (!(std::abs(coefficient) <= kLargestCoefficient)) return nullptr;

  std::unique_ptr<MatrixShaper> shaper(new MatrixShaper);
  const cmsTagSignature trcs[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
  for (int c = 0; c < 3; ++c) {
    const auto* trc = static_cast<const cmsToneCurve*>(cmsReadTag(sourceProfile, trcs[c]));
    if (!trc) return nullptr;
    for (int level = 0; level < 256; ++level) {
      const float value = cmsEvalToneCurveFloat(trc, level / 255.0f);
      const double light = std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0;
      for (int r = 0; r < 3; ++r)
        shaper->shares_[c][level].light[r] =
            static_cast<int32_t>(std::lround(toSrgb[r][c] * light * kOne));
    }
  }
  // The sums of the shares span lowest to highest; the table covers that span, so a
  // colour outside sRGB needs no clamping per pixel, and the red shares carry the offset
  // to its start and the rounding.
  int32_t lowest = 0, highest = 0;
  for (int r = 0; r < 3; ++r) {
    int32_t low = 0, high = 0;
    for (int c = 0; c < 3; ++c) {
      const auto [least, most] = std::minmax_element(
          shaper->shares_[c].begin(), shaper->shares_[c].end(),
          [r](const Share& a, const Share& b) { return a.light[r] < b.light[r]; });
      low += least->light[r];
      high += most->light[r];
    }
    lowest = std::min(lowest, low);
    highest = std::max(highest, high);
  }
  const int32_t steps = ((highest - lowest) >> kShareBits) + 2;
  if (steps > kMostSteps) return nullptr;
  for (auto& share : shaper->shares_[0])
    for (int r = 0; r < 3; ++r) share.light[r] += (1 << (kShareBits - 1)) - lowest;

  const auto* srgbCurve =
      static_cast<const cmsToneCurve*>(cmsReadTag(srgbProfile, cmsSigRedTRCTag));
  const std::unique_ptr<cmsToneCurve, void (*)(cmsToneCurve*)> encode(
      srgbCurve ? cmsReverseToneCurve(srgbCurve) : nullptr, cmsFreeToneCurve);
  if (!encode) return nullptr;
  shaper->encoded_.resize(static_cast<size_t>(steps));
  for (int32_t step = 0; step < steps; ++step) {
    const double light = static_cast<double>((step << kShareBits) + lowest) / kOne;
    const float level =
        cmsEvalToneCurveFloat(encode.get(), static_cast<float>(std::clamp(light, 0.0, 1.0)));
    shaper->encoded_[static_cast<size_t>(step)] =
        static_cast<uint8_t>(std::lround(std::clamp(level, 0.0f, 1.0f) * 255));
  }

  std::vector<QRgb> ours = checkedPixels();
  std::vector<QRgb> theirs = ours;
  shaper->apply(ours.data(), static_cast<int>(ours.size()));
  cmsDoTransform(engine, theirs.data(), theirs.data(), static_cast<cmsUInt32Number>(theirs.size()));
  if (!agree(ours, theirs)) return nullptr;
  return shaper;
}

void MatrixShaper::apply(QRgb* pixels, int count) const {
  const uint8_t* encoded = encoded_.data();
  for (int i = 0; i < count; ++i) {
    const QRgb pixel = pixels[i];
    const auto& red = shares_[0][qRed(pixel)].light;
    const auto& green = shares_[1][qGreen(pixel)].light;
    const auto& blue = shares_[2][qBlue(pixel)].light;
    std::array<int32_t, 4> light;
    for (size_t c = 0; c < 4; ++c) light[c] = (red[c] + green[c] + blue[c]) >> kShareBits;
    pixels[i] = qRgba(encoded[light[0]], encoded[light[1]], encoded[light[2]], qAlpha(pixel));
  }
}
