#pragma once

#include <QImage>
#include <vips/vips8>

// The one crossing between libvips images and QImage, both ways.

// 8-bit sRGB, three bands, transparency laid on white, straight into the 32-bit layout
// drawing takes: one copy, no conversion after. Throws vips::VError when the picture
// has no bands that can be shown.
QImage QImageFromVips(const vips::VImage& source);

// 8-bit sRGB bands, alpha kept, that libvips reads where the converted picture lies: a
// page-sized picture is encoded without a copy into libvips' memory. The image keeps
// what it reads alive for as long as it lives, on any thread.
vips::VImage VipsFromQImage(const QImage& source);
