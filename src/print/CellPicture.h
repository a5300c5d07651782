#pragma once

#include <QImage>
#include <QString>

#include "render/PictureRegistry.h"

class CxImage;

// What a cell's picture is for. A preview on screen may be drawn from shortcuts where
// they hold the pixels the cell shows: the camera's EXIF thumbnail, or the first scans
// of a progressive JPEG. Printed pages and page files always decode the photo itself.
enum class CellPictureUse { Print, Preview };

// Loads the photo of one cell. With level 1..5, a photo whose file is well above the
// level's size (level × 50 KiB) and has more pixels than the cell needs is decoded
// straight at m pixels per target unit on its tighter side (a JPEG shrunk while it is
// decoded, other kinds resampled once); nothing is re-encoded or written to disk.
// Level 0 loads the file as it is and never touches the image object; BMP files are
// always loaded as they are.
// target is the cell's size in the unit of the surface it is drawn on. The caller
// owns the handle; 0 when nothing could be loaded.
//
// For a Preview, a JPEG that would be shrunk is drawn from its EXIF thumbnail when that
// holds at least the target's pixels in both directions and shows the whole photo, or
// from its first scans when it is progressive and an eighth of it is enough; only the
// file's header (or those scans) is read. The picture then has the size the photo
// would have been shrunk to, so the cell places it exactly as it would the photo.
PictureHandle LoadCellPicture(PictureRegistry& pictures, CxImage& image, const QString& fileName,
                              int level, int targetWidth, int targetHeight,
                              CellPictureUse use = CellPictureUse::Print);

// The decoding half of LoadCellPicture, not yet registered: a null image where
// LoadCellPicture gives 0. Safe on any thread that has an image object of its own.
QImage DecodeCellPicture(CxImage& image, const QString& fileName, int level, int targetWidth,
                         int targetHeight, CellPictureUse use = CellPictureUse::Print);
