#include "picture/ProgressiveJpeg.h"

#include <QFile>

#include "picture/JpegDecoding.h"
#include "picture/JpegHeader.h"

namespace {

bool allDcScansBegun(const jpeg_decompress_struct& cinfo) {
  for (int c = 0; c < cinfo.num_components; ++c)
    if (cinfo.coef_bits[cinfo.comp_info[c].component_index][0] < 0) return false;
  return true;
}

// The decoding steps run by RunJpegDecoder; false when the file does not qualify.
bool decodeFirstScans(jpeg_decompress_struct& cinfo, DecodedPicture& decoded) {
  if (!ReadPhotoHeader(cinfo, decoded)) return false;
  if (!jpeg_has_multiple_scans(&cinfo) || !cinfo.progressive_mode) return false;
  cinfo.buffered_image = TRUE;
  cinfo.scale_num = 1;
  cinfo.scale_denom = 8;
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  while (!allDcScansBegun(cinfo)) {
    if (jpeg_consume_input(&cinfo) == JPEG_REACHED_EOI) break;
  }
  if (!allDcScansBegun(cinfo)) return false;
  jpeg_start_output(&cinfo, cinfo.input_scan_number);
  decoded.pixels = QImage(static_cast<int>(cinfo.output_width),
                          static_cast<int>(cinfo.output_height), QImage::Format_RGB32);
  if (decoded.pixels.isNull()) return false;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = decoded.pixels.scanLine(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_output(&cinfo);
  return true;
}

}  // namespace

DecodedPicture ReadProgressiveJpegAtEighth(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !EndsWithEndMarker(file))
    return {};
  DecodedPicture decoded;
  if (!RunJpegDecoder(
          file, [&](jpeg_decompress_struct& cinfo) { return decodeFirstScans(cinfo, decoded); }))
    return {};
  return decoded;
}
