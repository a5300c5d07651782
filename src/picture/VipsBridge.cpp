#include "picture/VipsBridge.h"

#include <cstring>
#include <memory>

using vips::VError;
using vips::VImage;

namespace {

VImage opaqueSrgb(VImage image) {
  if (image.interpretation() != VIPS_INTERPRETATION_sRGB || image.format() != VIPS_FORMAT_UCHAR)
    image = image.colourspace(VIPS_INTERPRETATION_sRGB);
  if (image.format() != VIPS_FORMAT_UCHAR) image = image.cast(VIPS_FORMAT_UCHAR);
  if (image.bands() == 4)
    image = image.flatten(VImage::option()->set("background", std::vector<double>{255, 255, 255}));
  if (image.bands() != 3) throw VError("the picture has no colour bands that can be shown");
  return image;
}

}  // namespace

QImage QImageFromVips(const VImage& source) {
  const VImage rgb = opaqueSrgb(source);
  constexpr bool kLittleEndian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
  // B, G, R, 255 on a little-endian machine is the QImage's own layout.
  const VImage packed =
      (kLittleEndian
           ? VImage::bandjoin({rgb.extract_band(2), rgb.extract_band(1), rgb.extract_band(0)})
           : rgb)
          .bandjoin_const({255});
  size_t size = 0;
  void* pixels = packed.write_to_memory(&size);
  const QImage image(
      static_cast<uchar*>(pixels), packed.width(), packed.height(), packed.width() * 4,
      kLittleEndian ? QImage::Format_RGB32 : QImage::Format_RGBX8888, g_free, pixels);
  return kLittleEndian ? image : image.convertToFormat(QImage::Format_RGB32);
}

VImage VipsFromQImage(const QImage& source) {
  const bool alpha = source.hasAlphaChannel();
  // The converted picture and the packed rows, when packing is needed, live on the heap
  // until libvips closes the image that reads them; nothing writes them meanwhile.
  struct Held {
    QImage image;
    QByteArray packed;
  };
  auto held = std::make_unique<Held>();
  held->image = source.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  const QImage& image = held->image;
  const int bands = alpha ? 4 : 3;
  const qsizetype rowBytes = static_cast<qsizetype>(image.width()) * bands;
  const uchar* pixels = image.constBits();
  if (image.bytesPerLine() != rowBytes) {
    held->packed = QByteArray(rowBytes * image.height(), Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y)
      std::memcpy(held->packed.data() + y * rowBytes, image.constScanLine(y),
                  static_cast<size_t>(rowBytes));
    pixels = reinterpret_cast<const uchar*>(held->packed.constData());
  }
  VipsImage* raw =
      vips_image_new_from_memory(pixels, static_cast<size_t>(rowBytes * image.height()),
                                 image.width(), image.height(), bands, VIPS_FORMAT_UCHAR);
  if (!raw) throw VError();
  g_signal_connect(raw, "postclose",
                   G_CALLBACK(+[](VipsImage*, gpointer data) { delete static_cast<Held*>(data); }),
                   held.release());
  raw->Type = VIPS_INTERPRETATION_sRGB;
  return VImage(raw);
}
