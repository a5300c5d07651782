#pragma once

#include <QImage>
#include <vips/vips8>

// The one crossing between libvips images and QImage, both ways.

// 8-bit sRGB, three bands, transparency laid on white, straight into the 32-bit layout
// drawing takes: one copy, no conversion after. Throws vips::VError when the picture
// has no bands that can be shown.
QImage QImageFromVips(const vips::VImage& source);

// One copy into libvips' memory, tagged sRGB, alpha kept: a page-sized picture is held
// without the further copies a lazy tagging operation would cost.
vips::VImage VipsFromQImage(const QImage& source);
