#pragma once

#include <QByteArray>
#include <QImage>

// Turns the pixels of a picture described by an embedded ICC profile into sRGB, in place,
// with the perceptual intent and black-point compensation. RGB and grey profiles apply;
// an empty, sRGB, damaged or unusable profile, or one of another colour space, leaves
// the pixels as they are: the picture is then taken as sRGB. One transform is built per
// distinct profile and kept, so an album from one camera builds one. Safe on any thread.
void ConvertToSrgb(QImage& picture, const QByteArray& iccProfile);

// The sRGB profile that page files and PDF pictures are tagged with.
QByteArray SrgbProfile();

// An RGB colour space by the CIE xy of its white point and primaries.
struct RgbChromaticities {
  double white[2] = {0.3127, 0.3290};  // D65, and sRGB's primaries
  double red[2] = {0.64, 0.33};
  double green[2] = {0.30, 0.60};
  double blue[2] = {0.15, 0.06};
};

// The profile of such a space with a power-curve transfer of that exponent, or sRGB's
// own curve when the exponent is 0; empty for a space no profile can describe.
QByteArray MakeRgbProfile(const RgbChromaticities& space, double exponent);
