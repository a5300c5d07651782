#pragma once

#include <QByteArray>

class QIODevice;

// What a PNG says of its colours without an embedded profile, from the chunks before its
// image data: an sRGB chunk, or a gAMA chunk with or without cHRM.
struct PngColour {
  bool embeddedProfile = false;  // an iCCP chunk, which the decoder reads itself
  bool srgb = false;
  double gamma = 0;  // the file gamma of gAMA (0.45455 for 1 / 2.2); 0 when absent
  bool chromaticities = false;
  double white[2] = {};  // cHRM's x, y of the white point and the three primaries
  double red[2] = {};
  double green[2] = {};
  double blue[2] = {};
};

// Reads the chunks from the start of the device; its position is kept. All zero for
// anything that is not a PNG or whose chunks break off.
PngColour ReadPngColour(QIODevice& device);
PngColour ReadPngColour(const QByteArray& data);

// The colour profile those chunks describe, for the colour step; empty when they say
// sRGB, say nothing, or the file carries its own profile.
QByteArray PngStatedProfile(const PngColour& colour);
