#pragma once

#include <QRgb>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The conversion to sRGB of a profile made of three tone curves and a matrix, as most
// camera and editing spaces are (Adobe RGB, ProPhoto, Display P3): table lookups and
// integer arithmetic, several times faster than the colour engine's general transform,
// which spends most of its time per pixel in packing and unpacking. Between two such
// profiles the perceptual intent is the colorimetric one and both black points are
// zero, so the tables are the whole conversion.
class MatrixShaper {
public:
  // Null unless the source profile (a Little CMS profile handle) is an RGB matrix-shaper
  // with no tables of its own for the perceptual intent, and the tables agree with the
  // engine's transform from it to the sRGB profile (32-bit pixels) on a grid of colours.
  static std::unique_ptr<const MatrixShaper> build(void* sourceProfile, void* srgbProfile,
                                                   void* engine);

  // Converts 32-bit pixels in place; the alpha byte stays as it is.
  void apply(QRgb* pixels, int count) const;

private:
  MatrixShaper() = default;

  // What each 8-bit level of a source channel adds to the sRGB red, green and blue
  // linear light (the fourth is padding), in sixteenths of a step of the encoding table:
  // the matrix applied to the channel's tone curve ahead of time. The red shares also
  // hold the offset from the table's start and the rounding.
  struct alignas(16) Share {
    std::array<int32_t, 4> light;
  };
  std::array<std::array<Share, 256>, 3> shares_{};
  // The sRGB level of each step of linear light, from the least sum of shares to the
  // greatest; light outside 0 to 1 is clipped as the colour engine clips it.
  std::vector<uint8_t> encoded_;
};
