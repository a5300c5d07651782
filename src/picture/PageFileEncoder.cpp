#include "picture/CxImage.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <cmath>
#include <utility>
#include <vips/vips8>

#include "picture/ColourProfile.h"
#include "picture/GifResolution.h"
#include "picture/PictureLimits.h"
#include "picture/PictureStructure.h"
#include "picture/QtPictureReader.h"
#include "picture/ShrunkJpeg.h"
#include "picture/VipsBridge.h"
#include "picture/VipsStart.h"
#include "platform/Paths.h"

using vips::VError;
using vips::VImage;

namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kJpegQuality = 90;

bool looksLikeBmp(QByteArrayView data) {
  return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

// 3 or 4 bands of 8-bit sRGB: the one shape every encoder and the Qt bridge take.
VImage normalised(VImage image) {
  if (image.interpretation() != VIPS_INTERPRETATION_sRGB || image.format() != VIPS_FORMAT_UCHAR)
    image = image.colourspace(VIPS_INTERPRETATION_sRGB);
  if (image.format() != VIPS_FORMAT_UCHAR) image = image.cast(VIPS_FORMAT_UCHAR);
  return image;
}

VImage withoutAlpha(const VImage& image) {
  if (image.bands() != 4) return image;
  return image.flatten(VImage::option()->set("background", std::vector<double>{255, 255, 255}));
}

QByteArray takeBuffer(void* buffer, size_t size) {
  QByteArray bytes(static_cast<const char*>(buffer), static_cast<qsizetype>(size));
  g_free(buffer);
  return bytes;
}

PictureFormat formatOfLoader(const VImage& image) {
  if (!image.get_typeof("vips-loader")) return PictureFormat::Unknown;
  const QByteArray loader(image.get_string("vips-loader"));
  if (loader.startsWith("jpegload")) return PictureFormat::Jpeg;
  if (loader.startsWith("pngload")) return PictureFormat::Png;
  if (loader.startsWith("gifload")) return PictureFormat::Gif;
  if (loader.startsWith("tiffload")) return PictureFormat::Tiff;
  return PictureFormat::Unknown;
}

int dotsPerMeter(int dpi) {
  return static_cast<int>(std::lround(dpi / 0.0254));
}

}  // namespace

struct CxImage::Impl {
  VImage image;
  bool valid = false;
  int xDpi = 0;
  int yDpi = 0;
  PictureFormat sourceFormat = PictureFormat::Unknown;
  QString error;

  bool fail(const QString& message) {
    error = message;
    return false;
  }

  // A failed load leaves nothing held, so the previous picture is never mistaken for
  // the one that failed.
  bool failLoad(const QString& message) {
    image = VImage();
    valid = false;
    xDpi = yDpi = 0;
    sourceFormat = PictureFormat::Unknown;
    return fail(message);
  }

  void hold(VImage decoded) {
    image = normalised(std::move(decoded)).copy_memory();
    valid = true;
    error.clear();
  }

  void takeDpiFrom(const VImage& decoded) {
    if (decoded.xres() > 0 && decoded.yres() > 0) {
      xDpi = static_cast<int>(std::lround(decoded.xres() * kMmPerInch));
      yDpi = static_cast<int>(std::lround(decoded.yres() * kMmPerInch));
    }
  }

  bool decodeBmp(const QByteArray& data) {
    if (!bmpIsComplete(data))
      return failLoad(QStringLiteral("the BMP picture is cut off or damaged"));
    const QImage decoded = readPictureWithQt(data, "bmp").pixels;
    if (decoded.isNull())
      return failLoad(QStringLiteral("not a readable BMP picture, or larger than %1 pixels")
                          .arg(kMaxPicturePixels));
    return holdBitmap(decoded);
  }

  // A bitmap is held as its BMP bytes would be: BMP as the source, its resolution.
  bool holdBitmap(const QImage& bitmap) {
    if (bitmap.isNull()) return failLoad(QStringLiteral("no picture data"));
    if (!pictureSizeAllowed(bitmap.width(), bitmap.height()))
      return failLoad(QStringLiteral("picture larger than %1 pixels").arg(kMaxPicturePixels));
    hold(VipsFromQImage(bitmap));
    sourceFormat = PictureFormat::Bmp;
    xDpi = static_cast<int>(std::lround(bitmap.dotsPerMeterX() * 0.0254));
    yDpi = static_cast<int>(std::lround(bitmap.dotsPerMeterY() * 0.0254));
    return true;
  }

  // The whole picture is decoded here, upright by its EXIF orientation, so damage
  // (a truncated file included) is found now rather than at the first later use.
  // The size limit is the picture's own, judged before shrink-on-load: a picture that
  // claims 60000 × 60000 pixels is refused, not decoded at an eighth of that.
  bool decode(const QByteArray& data, int shrink = 1) {
    if (data.isEmpty()) return failLoad(QStringLiteral("no picture data"));
    try {
      if (looksLikeBmp(data)) return decodeBmp(data);
      const auto load = [&data](int factor, VipsAccess access) {
        return VImage::new_from_buffer(
            data.constData(), static_cast<size_t>(data.size()),
            factor > 1 ? QByteArray("shrink=" + QByteArray::number(factor)).constData() : "",
            VImage::option()->set("fail_on", VIPS_FAIL_ON_TRUNCATED)->set("access", access));
      };
      VImage header = load(1, VIPS_ACCESS_RANDOM);
      if (!pictureSizeAllowed(header.width(), header.height()))
        return failLoad(QStringLiteral("picture larger than %1 pixels").arg(kMaxPicturePixels));
      // An upright picture is read top to bottom straight into the memory that holds
      // it; turning one needs the whole picture at hand.
      const bool upright = !header.get_typeof("orientation") || header.get_int("orientation") <= 1;
      if (shrink > 1 || upright)
        header = load(shrink, upright ? VIPS_ACCESS_SEQUENTIAL : VIPS_ACCESS_RANDOM);
      hold(header.autorot());
      takeDpiFrom(header);
      sourceFormat = formatOfLoader(header);
      if (data.startsWith("GIF")) readGifResolution(data, xDpi, yDpi);
      return true;
    } catch (const VError& e) {
      return failLoad(QString::fromUtf8(e.what()).trimmed());
    }
  }

  // A copy, so the metadata set for the file never sticks to the picture held. A picture
  // without a profile of its own is sRGB (the program draws in it and takes untagged
  // photos as it), and its file says so; a decoded photo keeps the profile it came with.
  VImage forSaving() const {
    VImage out =
        xDpi > 0 && yDpi > 0
            ? image.copy(
                  VImage::option()->set("xres", xDpi / kMmPerInch)->set("yres", yDpi / kMmPerInch))
            : image.copy();
    out.set("resolution-unit", "in");
    if (!out.get_typeof(VIPS_META_ICC_NAME)) {
      const QByteArray srgb = SrgbProfile();
      if (!srgb.isEmpty())
        vips_image_set_blob_copy(out.get_image(), VIPS_META_ICC_NAME, srgb.constData(),
                                 static_cast<size_t>(srgb.size()));
    }
    return out;
  }

  QByteArray encodeBmp() const {
    QImage q = QImageFromVips(image);
    if (xDpi > 0) q.setDotsPerMeterX(dotsPerMeter(xDpi));
    if (yDpi > 0) q.setDotsPerMeterY(dotsPerMeter(yDpi));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!q.save(&buffer, "BMP")) return {};
    return bytes;
  }

  QByteArray encode(PictureFormat format) {
    if (!valid) {
      fail(QStringLiteral("no picture held"));
      return {};
    }
    try {
      void* buffer = nullptr;
      size_t size = 0;
      switch (format) {
        case PictureFormat::Bmp:
          return encodeBmp();
        case PictureFormat::Gif:
          forSaving().write_to_buffer(".gif", &buffer, &size);
          return withGifResolution(takeBuffer(buffer, size), xDpi, yDpi);
        case PictureFormat::Jpeg:
          withoutAlpha(forSaving())
              .write_to_buffer(".jpg", &buffer, &size, VImage::option()->set("Q", kJpegQuality));
          return takeBuffer(buffer, size);
        case PictureFormat::Png:
          forSaving().write_to_buffer(".png", &buffer, &size);
          return takeBuffer(buffer, size);
        case PictureFormat::Tiff:
          forSaving().write_to_buffer(".tif", &buffer, &size,
                                      VImage::option()
                                          ->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_LZW)
                                          ->set("resunit", VIPS_FOREIGN_TIFF_RESUNIT_INCH));
          return takeBuffer(buffer, size);
        case PictureFormat::Unknown:
          break;
      }
      fail(QStringLiteral("unknown picture format code %1").arg(int(format)));
      return {};
    } catch (const VError& e) {
      fail(QString::fromUtf8(e.what()).trimmed());
      return {};
    }
  }
};

CxImage::CxImage() : impl_(std::make_unique<Impl>()) {
  ensureVipsStarted();
}
CxImage::~CxImage() = default;

bool CxImage::Load(const QString& fileName, PictureFormat format) {
  QFile file;
  if (!OpenForReading(file, fileName))
    return impl_->failLoad(QStringLiteral("cannot open %1").arg(fileName));
  return Decode(file.readAll(), format);
}

// The format code is a hint only: the data is decoded by what it is, so a file whose
// name claims another kind still loads.
bool CxImage::Decode(const QByteArray& data, PictureFormat) {
  return impl_->decode(data);
}

bool CxImage::LoadShrunk(const QString& fileName, PictureFormat format, int targetWidth,
                         int targetHeight) {
  QFile file;
  if (!OpenForReading(file, fileName))
    return impl_->failLoad(QStringLiteral("cannot open %1").arg(fileName));
  const QByteArray data = file.readAll();
  if (targetWidth <= 0 || targetHeight <= 0 ||
      !(data.size() > 2 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8))
    return Decode(data, format);
  int shrink = 1;
  try {
    const VImage header =
        VImage::new_from_buffer(data.constData(), static_cast<size_t>(data.size()), "");
    QSize upright(header.width(), header.height());
    const int orientation = header.get_typeof("orientation") ? header.get_int("orientation") : 1;
    if (orientation >= 5 && orientation <= 8) upright.transpose();  // the target is upright
    shrink = JpegShrinkFactor(upright, QSize(targetWidth, targetHeight));
  } catch (const VError& e) {
    return impl_->failLoad(QString::fromUtf8(e.what()).trimmed());
  }
  return impl_->decode(data, shrink);
}

QImage CxImage::Bitmap() const {
  if (!impl_->valid) return {};
  try {
    return QImageFromVips(impl_->image);
  } catch (const VError&) {
    return {};
  }
}

bool CxImage::TakeBitmap(const QImage& bitmap) {
  try {
    return impl_->holdBitmap(bitmap);
  } catch (const VError& e) {
    return impl_->failLoad(QString::fromUtf8(e.what()).trimmed());
  }
}

bool CxImage::IsValid() const {
  return impl_->valid;
}
PictureFormat CxImage::SourceFormat() const {
  return impl_->sourceFormat;
}
int CxImage::Width() const {
  return impl_->valid ? impl_->image.width() : 0;
}
int CxImage::Height() const {
  return impl_->valid ? impl_->image.height() : 0;
}

bool CxImage::Resample(int newWidth, int newHeight, int) {
  if (!impl_->valid) return impl_->fail(QStringLiteral("no picture held"));
  if (newWidth <= 0 || newHeight <= 0 || !pictureSizeAllowed(newWidth, newHeight))
    return impl_->fail(QStringLiteral("cannot resample to %1 × %2").arg(newWidth).arg(newHeight));
  try {
    const VImage& in = impl_->image;
    VImage out = in.resize(double(newWidth) / in.width(),
                           VImage::option()
                               ->set("vscale", double(newHeight) / in.height())
                               ->set("kernel", VIPS_KERNEL_LINEAR));
    // The scale's rounding may leave a pixel more or less: the size asked is exact.
    if (out.width() != newWidth || out.height() != newHeight)
      out = out.embed(0, 0, newWidth, newHeight, VImage::option()->set("extend", VIPS_EXTEND_COPY));
    impl_->image = out.copy_memory();
    return true;
  } catch (const VError& e) {
    return impl_->fail(QString::fromUtf8(e.what()).trimmed());
  }
}

// A quarter turn clockwise; the resolutions turn with the picture.
bool CxImage::RotateQuarter() {
  if (!impl_->valid) return impl_->fail(QStringLiteral("no picture held"));
  try {
    impl_->image = impl_->image.rot90().copy_memory();
    std::swap(impl_->xDpi, impl_->yDpi);
    return true;
  } catch (const VError& e) {
    return impl_->fail(QString::fromUtf8(e.what()).trimmed());
  }
}

void CxImage::SetXDpi(int dpi) {
  impl_->xDpi = dpi > 0 ? dpi : 0;
}
void CxImage::SetYDpi(int dpi) {
  impl_->yDpi = dpi > 0 ? dpi : 0;
}
int CxImage::XDpi() const {
  return impl_->xDpi;
}
int CxImage::YDpi() const {
  return impl_->yDpi;
}

QByteArray CxImage::Encode(PictureFormat format) {
  return impl_->encode(format);
}

// Written through a temporary file, so a failed save never leaves half a picture
// under the name.
bool CxImage::Save(const QString& fileName, PictureFormat format) {
  const QByteArray bytes = Encode(format);
  if (bytes.isEmpty()) return false;
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    return impl_->fail(QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString()));
  return true;
}

QString CxImage::lastError() const {
  return impl_->error;
}
