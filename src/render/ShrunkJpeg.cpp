#include "render/ShrunkJpeg.h"

#include <algorithm>
#include <vector>

#include "render/EmbeddedThumbnail.h"
#include "render/JpegDecoding.h"
#include "render/PictureLimits.h"

namespace {

// A photo's decode buffer is kept between photos up to this size (a 24-megapixel
// photo at half size); a larger one is given back at once.
constexpr size_t kKeptBufferBytes = 32u << 20;

// What the decoding steps found out about the photo before decoding it.
struct Decoded {
  int orientation = 1;
  QSize planned;  // as stored, not upright; empty for the whole picture
  int width = 0;
  int height = 0;
};

bool uprightSwapsSides(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

// The decoding steps run by RunJpegDecoder: header, plan, then every row of the
// shrunk picture into `pixels`. No object with a destructor lives on this frame.
bool decodeShrunk(jpeg_decompress_struct& cinfo, const std::function<QSize(QSize)>& shownSizeFor,
                  std::vector<uchar>& pixels, Decoded& decoded) {
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  if (!pictureSizeAllowed(cinfo.image_width, cinfo.image_height)) return false;
  if (cinfo.jpeg_color_space != JCS_YCbCr && cinfo.jpeg_color_space != JCS_RGB &&
      cinfo.jpeg_color_space != JCS_GRAYSCALE)
    return false;
  decoded.orientation = SavedExifOrientation(cinfo);
  const bool swaps = uprightSwapsSides(decoded.orientation);
  const QSize stored(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height));
  const QSize upright = swaps ? stored.transposed() : stored;
  const QSize shown = shownSizeFor(upright);
  int shrink = 1;
  if (!shown.isEmpty() && (shown.width() < upright.width() || shown.height() < upright.height())) {
    decoded.planned = swaps ? shown.transposed() : shown;
    shrink = JpegShrinkFactor(upright, shown);
  }
  cinfo.scale_num = 1;
  cinfo.scale_denom = static_cast<unsigned>(shrink);
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  decoded.width = static_cast<int>(cinfo.output_width);
  decoded.height = static_cast<int>(cinfo.output_height);
  const size_t rowBytes = size_t(decoded.width) * 4;
  pixels.resize(rowBytes * size_t(decoded.height));
  JSAMPROW rows[16];
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION first = cinfo.output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(16, cinfo.output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = pixels.data() + (first + i) * rowBytes;
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

QImage ReadShrunkJpeg(QFile& file, const std::function<QSize(QSize)>& shownSizeFor) {
  thread_local std::vector<uchar> kept;
  std::vector<uchar> pixels;
  pixels.swap(kept);
  Decoded decoded;
  const bool done = RunJpegDecoder(file, [&](jpeg_decompress_struct& cinfo) {
    return decodeShrunk(cinfo, shownSizeFor, pixels, decoded);
  });
  QImage picture;
  if (done) {
    const QImage whole(pixels.data(), decoded.width, decoded.height, decoded.width * 4,
                       QImage::Format_RGB32);
    picture = decoded.planned.isEmpty()
                  ? whole.copy()
                  : whole.scaled(decoded.planned, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (pixels.capacity() <= kKeptBufferBytes) kept.swap(pixels);
  if (picture.isNull()) return {};
  return TurnedUpright(picture, decoded.orientation);
}
