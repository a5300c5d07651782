#pragma once

#include <QImage>
#include <QString>

#include "render/PictureRegistry.h"

// What a cell's picture is for. A preview on screen may be drawn from shortcuts where
// they hold the pixels the cell shows: the camera's EXIF thumbnail, or the first scans
// of a progressive JPEG. Printed pages and page files always decode the photo itself.
enum class CellPictureUse { Print, Preview };

// Loads the photo of one cell. With level 1..5, a photo whose file is well above the
// level's size (level × 50 KiB) and has more pixels than the cell needs is decoded
// straight at m pixels per target unit on its tighter side; nothing is re-encoded or
// written to disk. Level 0, a small file and a BMP load the whole picture. target is
// the cell's size in the unit of the surface it is drawn on. The caller owns the
// handle; 0 when nothing could be loaded.
//
// For a Preview, a JPEG that would be shrunk is drawn from its EXIF thumbnail when that
// holds at least the target's pixels in both directions and shows the whole photo, or
// from its first scans when it is progressive and an eighth of it is enough; only the
// file's header (or those scans) is read. The picture then has the size the photo
// would have been shrunk to, so the cell places it exactly as it would the photo.
PictureHandle LoadCellPicture(PictureRegistry& pictures, const QString& fileName, int level,
                              int targetWidth, int targetHeight,
                              CellPictureUse use = CellPictureUse::Print);

// The decoding half of LoadCellPicture, not yet registered: a null image where
// LoadCellPicture gives 0. Safe on any thread; the picture owns its pixels.
// shownScale above 0 (a Preview seen smaller than the target, in screen pixels per
// target unit) lets a shortcut stand in when it holds the pixels of the photo as it is
// seen: fitted into the target at that scale.
QImage DecodeCellPicture(const QString& fileName, int level, int targetWidth, int targetHeight,
                         CellPictureUse use = CellPictureUse::Print, double shownScale = 0.0);
