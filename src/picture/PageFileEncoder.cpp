#include "picture/PageFileEncoder.h"

#include <QBuffer>
#include <QTransform>
#include <cmath>
#include <vips/vips8>

#include "picture/ColourProfile.h"
#include "picture/GifResolution.h"
#include "picture/PictureLimits.h"
#include "picture/VipsBridge.h"
#include "picture/VipsStart.h"

using vips::VError;
using vips::VImage;

namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kJpegQuality = 90;

QByteArray takeBuffer(void* buffer, size_t size) {
  QByteArray bytes(static_cast<const char*>(buffer), static_cast<qsizetype>(size));
  g_free(buffer);
  return bytes;
}

QByteArray encodeBmp(QImage page, bool turnQuarter) {
  if (turnQuarter) page = page.transformed(QTransform().rotate(90));
  const int dotsPerMeter = static_cast<int>(std::lround(kPageDpi / 0.0254));
  page.setDotsPerMeterX(dotsPerMeter);
  page.setDotsPerMeterY(dotsPerMeter);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!page.save(&buffer, "BMP")) return {};
  return bytes;
}

// The page with what its file says about it: its resolution, and the sRGB profile it was
// drawn in.
VImage forSaving(const QImage& page, bool turnQuarter) {
  VImage image = VipsFromQImage(page);
  if (turnQuarter) image = image.rot90();
  if (image.bands() == 4)
    image = image.flatten(VImage::option()->set("background", std::vector<double>{255, 255, 255}));
  VImage out = image.copy(
      VImage::option()->set("xres", kPageDpi / kMmPerInch)->set("yres", kPageDpi / kMmPerInch));
  out.set("resolution-unit", "in");
  const QByteArray srgb = SrgbProfile();
  if (!srgb.isEmpty())
    vips_image_set_blob_copy(out.get_image(), VIPS_META_ICC_NAME, srgb.constData(),
                             static_cast<size_t>(srgb.size()));
  return out;
}

QByteArray encodeWithVips(const QImage& page, PictureFormat format, bool turnQuarter) {
  const VImage out = forSaving(page, turnQuarter);
  void* buffer = nullptr;
  size_t size = 0;
  switch (format) {
    case PictureFormat::Gif:
      out.write_to_buffer(".gif", &buffer, &size);
      return withGifResolution(takeBuffer(buffer, size), kPageDpi, kPageDpi);
    case PictureFormat::Jpeg:
      out.write_to_buffer(".jpg", &buffer, &size, VImage::option()->set("Q", kJpegQuality));
      return takeBuffer(buffer, size);
    case PictureFormat::Png:
      out.write_to_buffer(".png", &buffer, &size);
      return takeBuffer(buffer, size);
    case PictureFormat::Tiff:
      out.write_to_buffer(".tif", &buffer, &size,
                          VImage::option()
                              ->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_LZW)
                              ->set("resunit", VIPS_FOREIGN_TIFF_RESUNIT_INCH));
      return takeBuffer(buffer, size);
    case PictureFormat::Bmp:
    case PictureFormat::Unknown:
      break;
  }
  return {};
}

}  // namespace

EncodedPage EncodePagePicture(const QImage& page, PictureFormat format, bool turnQuarter) {
  if (page.isNull()) return {{}, QStringLiteral("no picture data")};
  if (!pictureSizeAllowed(page.width(), page.height()))
    return {{}, QStringLiteral("picture larger than %1 pixels").arg(kMaxPicturePixels)};
  if (format == PictureFormat::Bmp) {
    QByteArray bytes = encodeBmp(page, turnQuarter);
    if (bytes.isEmpty()) return {{}, QStringLiteral("cannot encode the page as BMP")};
    return {std::move(bytes), {}};
  }
  if (format == PictureFormat::Unknown)
    return {{}, QStringLiteral("unknown picture format code %1").arg(int(format))};
  ensureVipsStarted();
  try {
    QByteArray bytes = encodeWithVips(page, format, turnQuarter);
    if (bytes.isEmpty())
      return {{}, QStringLiteral("unknown picture format code %1").arg(int(format))};
    return {std::move(bytes), {}};
  } catch (const VError& e) {
    return {{}, QString::fromUtf8(e.what()).trimmed()};
  }
}
