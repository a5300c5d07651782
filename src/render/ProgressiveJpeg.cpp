#include "render/ProgressiveJpeg.h"

#include <QFile>

#include "render/EmbeddedThumbnail.h"
#include "render/JpegDecoding.h"
#include "render/JpegHeader.h"
#include "render/PictureLimits.h"

namespace {

bool allDcScansBegun(const jpeg_decompress_struct& cinfo) {
  for (int c = 0; c < cinfo.num_components; ++c)
    if (cinfo.coef_bits[cinfo.comp_info[c].component_index][0] < 0) return false;
  return true;
}

// The decoding steps run by RunJpegDecoder; false when the file does not qualify.
bool decodeFirstScans(jpeg_decompress_struct& cinfo, QImage& picture, int& orientation) {
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  if (!jpeg_has_multiple_scans(&cinfo) || !cinfo.progressive_mode) return false;
  if (!pictureSizeAllowed(cinfo.image_width, cinfo.image_height)) return false;
  if (cinfo.jpeg_color_space != JCS_YCbCr && cinfo.jpeg_color_space != JCS_RGB &&
      cinfo.jpeg_color_space != JCS_GRAYSCALE)
    return false;
  orientation = SavedExifOrientation(cinfo);
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
  picture = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                   QImage::Format_RGB32);
  if (picture.isNull()) return false;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = picture.scanLine(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_output(&cinfo);
  return true;
}

}  // namespace

QImage ReadProgressiveJpegAtEighth(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !EndsWithEndMarker(file))
    return {};
  QImage picture;
  int orientation = 1;
  if (!RunJpegDecoder(file, [&](jpeg_decompress_struct& cinfo) {
        return decodeFirstScans(cinfo, picture, orientation);
      }))
    return {};
  return TurnedUpright(picture, orientation);
}
