#pragma once

#include <QImage>
#include <QString>

#include "render/PictureRegistry.h"

class CxImage;

// Whether a cell may be drawn from the thumbnail a camera embedded in the photo. Only
// screen previews may: printed pages and page files are always drawn from the photo.
enum class ThumbnailUse { Never, WhereItCovers };

// Loads the photo of one cell. With level 1..5, a photo whose file is well above the
// level's size (level × 50 KiB) and has more pixels than the cell needs is shrunk in
// memory to m pixels per target unit on its tighter side, re-encoded in its own format
// and loaded from those bytes; nothing is written to disk. Level 0 loads the file as
// it is and never touches the image object; BMP files are always loaded as they are.
// target is the cell's size in the unit of the surface it is drawn on. The caller
// owns the handle; 0 when nothing could be loaded.
//
// With ThumbnailUse::WhereItCovers, a JPEG that would be shrunk and whose EXIF
// thumbnail holds at least the target's pixels in both directions (and shows the whole
// photo) is drawn from the thumbnail instead, read without the photo's image data. The
// picture then has the size the photo would have been shrunk to, so the cell places it
// exactly as it would place the photo.
PictureHandle LoadCellPicture(PictureRegistry& pictures, CxImage& image, const QString& fileName,
                              int level, int targetWidth, int targetHeight,
                              ThumbnailUse thumbnails = ThumbnailUse::Never);

// The decoding half of LoadCellPicture, not yet registered: a null image where
// LoadCellPicture gives 0. Safe on any thread that has an image object of its own.
QImage DecodeCellPicture(CxImage& image, const QString& fileName, int level, int targetWidth,
                         int targetHeight, ThumbnailUse thumbnails = ThumbnailUse::Never);
