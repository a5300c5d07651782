#include "picture/ShrunkJpeg.h"

#include <algorithm>
#include <cstdlib>

#include "picture/JpegDecoding.h"
#include "picture/Orientation.h"

namespace {

// A photo's decode buffer is kept between photos up to this size (a 24-megapixel
// photo at half size); a larger one is given back at once.
constexpr qsizetype kKeptBufferBytes = 32 << 20;

// The decoding steps run by RunJpegDecoder: header, plan, then every row of the shrunk
// picture into `pixels`, whose memory is reused when it already has the size and no
// picture handed out still shares it. No object with a destructor is alive on this
// frame while libjpeg runs.
bool decodeShrunk(jpeg_decompress_struct& cinfo, const std::function<QSize(QSize)>& shownSizeFor,
                  QImage& pixels, DecodedPicture& decoded) {
  if (!ReadPhotoHeader(cinfo, decoded)) return false;
  const QSize upright = UprightSize(decoded.storedSize, decoded.orientation);
  const QSize shown = shownSizeFor(upright);
  int shrink = 1;
  if (!shown.isEmpty() && (shown.width() < upright.width() || shown.height() < upright.height()))
    shrink = JpegShrinkFactor(upright, shown);
  cinfo.scale_num = 1;
  cinfo.scale_denom = static_cast<unsigned>(shrink);
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  const int width = static_cast<int>(cinfo.output_width);
  const int height = static_cast<int>(cinfo.output_height);
  if (pixels.width() != width || pixels.height() != height || !pixels.isDetached())
    pixels = QImage(width, height, QImage::Format_RGB32);
  uchar* bits = pixels.bits();
  if (!bits) return false;
  const size_t rowBytes = static_cast<size_t>(pixels.bytesPerLine());
  JSAMPROW rows[16];
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION first = cinfo.output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(16, cinfo.output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = bits + (first + i) * rowBytes;
    jpeg_read_scanlines(&cinfo, rows, count);
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

}  // namespace

int JpegShrinkFactor(QSize upright, QSize wanted) {
  for (int factor : {8, 4, 2}) {
    if (upright.width() / factor >= wanted.width() && upright.height() / factor >= wanted.height())
      return factor;
  }
  return 1;
}

DecodedPicture ReadShrunkJpeg(QFile& file, const std::function<QSize(QSize)>& shownSizeFor) {
  // The kept buffer is a QImage, not raw memory: the picture handed out shares it by
  // reference count, so the next decode writes into fresh memory while it lives.
  thread_local QImage kept;
  QImage pixels;
  pixels.swap(kept);
  DecodedPicture decoded;
  const bool done = RunJpegDecoder(file, [&](jpeg_decompress_struct& cinfo) {
    return decodeShrunk(cinfo, shownSizeFor, pixels, decoded);
  });
  if (done) decoded.pixels = pixels;
  if (pixels.sizeInBytes() <= kKeptBufferBytes) kept.swap(pixels);
  if (!done) return {};
  return decoded;
}
