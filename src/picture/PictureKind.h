#pragma once

#include <QByteArray>

// The kinds of picture the drawing surfaces accept, told from the first bytes of the
// data and never from a file name. Png, Tiff, WebP and Heif (HEIC, HEIF and AVIF) are
// decoded by libvips, the others by the program's own readers; anything else is
// Unsupported.
enum class PictureKind {
  Unsupported,
  Bmp,
  Jpeg,
  Icon,
  Cursor,
  Gif,
  Pcx8,
  Pcx1,
  Png,
  Tiff,
  WebP,
  Heif
};

PictureKind recognisePictureKind(const QByteArray& data);

// Whether the kind is one of those decoded through libvips (render/VipsPictureReader.h).
bool isVipsPictureKind(PictureKind kind);
