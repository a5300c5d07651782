#pragma once

#include <QtGlobal>

// The largest picture the program decodes, in pixels (width × height): 100 million,
// room for the photos of any current camera. Larger pictures are refused from their
// header, before a single pixel is allocated; a picture that claims 60000 × 60000
// pixels is refused, not attempted.
inline constexpr qint64 kMaxPicturePixels = 100'000'000;

inline bool pictureSizeAllowed(qint64 width, qint64 height) {
  return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}
