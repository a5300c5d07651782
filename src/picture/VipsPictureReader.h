#pragma once

#include <QByteArray>
#include <QSize>
#include <vips/vips8>

#include "picture/DecodedPicture.h"
#include "picture/PictureKind.h"

class QFile;

// Whether the data is a picture the program decodes through libvips: PNG, TIFF, WebP
// and HEIF (HEIC, AVIF), and CMYK JPEG, whose colours need colour management (its own
// profile, or a standard press profile when it has none).
bool readsWithVips(const QByteArray& data);

// Decodes those pictures as stored (HEIF with its own transform applied), with their
// orientation and colour profile for the pipeline to apply: transparency laid on white,
// 16-bit and grey pictures as 8-bit RGB, CMYK pictures turned into sRGB by their
// profile, only the first page of a multi-page file and the first frame of an animation. The header
// is read first: a picture above the pixel limit is refused before anything is allocated. A valid
// `shownSize` smaller than the picture decodes it straight at that (upright) size, shrinking while
// decoding where the format allows it (TIFF pyramids, WebP and HEIF scaling), so a large photo is
// never held at full size. Null when the data is of another kind, cut off or damaged.
DecodedPicture readPictureWithVips(const QByteArray& data, const ShownSizeFor& shownSizeFor);

// The upright size from the header alone; invalid when the header cannot be read or
// the picture is above the pixel limit.
QSize readVipsPictureSize(const QByteArray& data);

// The header of a PNG, TIFF, WebP or HEIF picture (`kind`, told from its bytes) through
// that kind's own loader, in sequential access; nothing is decoded. Finding the loader by
// trying each of libvips' in turn costs several times the header itself. Throws
// vips::VError when the header cannot be read.
vips::VImage ReadVipsHeader(PictureKind kind, const vips::VSource& source);

// Whether a file opened for reading (platform/Paths.h OpenForReading) holds a picture
// decoded through libvips, told from its first bytes and, for a JPEG, its header and
// end marker (a cut-off CMYK JPEG is not one).
bool fileReadsWithVips(QFile& file);

// readPictureWithVips for such a file: libvips reads it through the file's descriptor
// as it decodes, so a large file is never held in memory whole. The size to decode at
// comes from shownSizeFor once the header has given the upright size and passed the
// pixel limit. Null as readPictureWithVips is.
DecodedPicture readPictureFileWithVips(QFile& file, const ShownSizeFor& shownSizeFor);

// The same for a JPEG that libjpeg warns about (stray bytes between markers, say):
// libvips' loader reads past what is only odd and stops only at a cut-off file.
DecodedPicture readJpegFileWithVips(QFile& file, const ShownSizeFor& shownSizeFor);
