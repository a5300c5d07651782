#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdio>
#include <functional>

#include "picture/DecodedPicture.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

class QFile;

// Runs `steps` on a libjpeg decompressor that reads the open file from its current
// position, in chunks as the decoder asks, so what it never asks for is never read.
// A libjpeg error ends the run at once by jumping back here, past the frames of
// `steps`: they must keep no object with a destructor on their own stack. False after
// such an error, when `steps` gives false, or when the decoder warned (a premature
// end, corrupt data): a warning makes the picture untrustworthy.
bool RunJpegDecoder(QFile& file, const std::function<bool(jpeg_decompress_struct&)>& steps);

// The EXIF orientation (1..8) among the APP1 segments the decoder was told to keep
// (jpeg_save_markers before jpeg_read_header); 1 when there is none.
int SavedExifOrientation(const jpeg_decompress_struct& cinfo);

// The embedded colour profile among the APP2 segments the decoder was told to keep;
// empty when there is none or its chunks do not fit together.
QByteArray SavedIccProfile(const jpeg_decompress_struct& cinfo);

// The header steps every photo decode starts with: keeps the EXIF and colour-profile
// segments, reads the header, refuses a picture above the pixel limit or in another
// colour space than grey or YCbCr/RGB (CMYK), and notes the stored size, orientation and
// profile. Run inside RunJpegDecoder's steps.
bool ReadPhotoHeader(jpeg_decompress_struct& cinfo, DecodedPicture& decoded);
