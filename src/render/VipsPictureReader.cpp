#include "render/VipsPictureReader.h"

#include <unistd.h>

#include <QFile>
#include <QScopeGuard>
#include <mutex>
#include <vips/vips8>

#include "platform/MemoryPolicy.h"
#include "render/JpegHeader.h"
#include "render/PictureKind.h"
#include "render/PictureLimits.h"
#include "render/PictureStructure.h"
#include "render/VipsStart.h"

using vips::VError;
using vips::VImage;

namespace {

// Cut-off data is an error, not a picture half grey.
constexpr const char* kLoadOptions = "fail_on=truncated";
// Enough of a file's start to tell its kind, file-type box of a HEIF file included.
constexpr qint64 kKindHeadBytes = 4096;

// Opens the picture afresh from its start each time it is called.
using SourceOpener = std::function<vips::VSource()>;

// The header only: nothing is decoded until the pixels are asked for.
VImage openHeader(const SourceOpener& open) {
  return VImage::new_from_source(open(), kLoadOptions,
                                 VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
}

int orientationOf(const VImage& header) {
  return header.get_typeof("orientation") ? header.get_int("orientation") : 1;
}

QSize uprightSize(const VImage& header) {
  const QSize stored(header.width(), header.height());
  const int orientation = orientationOf(header);
  return orientation >= 5 && orientation <= 8 ? stored.transposed() : stored;
}

// The data is read top to bottom once; turning needs the whole picture at hand.
VImage upright(const VImage& header) {
  const int orientation = orientationOf(header);
  return orientation >= 2 && orientation <= 8 ? header.copy_memory().autorot() : header;
}

// 8-bit sRGB with three bands, transparency laid on white.
VImage opaqueSrgb(VImage image) {
  if (image.interpretation() != VIPS_INTERPRETATION_sRGB || image.format() != VIPS_FORMAT_UCHAR)
    image = image.colourspace(VIPS_INTERPRETATION_sRGB);
  if (image.format() != VIPS_FORMAT_UCHAR) image = image.cast(VIPS_FORMAT_UCHAR);
  if (image.bands() == 4)
    image = image.flatten(VImage::option()->set("background", std::vector<double>{255, 255, 255}));
  if (image.bands() != 3) throw VError("the picture has no colour bands that can be shown");
  return image;
}

// The pixels land in the QImage's own layout straight from libvips (B, G, R, 255 on a
// little-endian machine): one copy, no conversion after.
QImage toRgb32(const VImage& source) {
  const VImage rgb = opaqueSrgb(source);
  constexpr bool kLittleEndian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
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

// The header is read first and its size judged against the pixel limit before anything
// is decoded; shownSizeFor then gives the size to decode at from the upright size.
QImage decodeWithVips(const SourceOpener& open, const ShownSizeFor& shownSizeFor) {
  ensureVipsStarted();
  try {
    const VImage header = openHeader(open);
    if (!pictureSizeAllowed(header.width(), header.height())) return {};
    // libheif decodes the whole frame whatever size is asked for, with working buffers
    // of several frames: photos decoded side by side would hold the memory of many, and
    // the freed buffers go back to the system before the next photo takes its own.
    static std::mutex wholeFrameDecode;
    std::unique_lock<std::mutex> oneAtATime(wholeFrameDecode, std::defer_lock);
    if (header.get_typeof("vips-loader") &&
        QByteArray(header.get_string("vips-loader")).startsWith("heifload"))
      oneAtATime.lock();
    const auto release = qScopeGuard([&oneAtATime] {
      if (oneAtATime.owns_lock()) ReleaseFreedMemory();
    });
    const QSize size = uprightSize(header);
    const QSize shownSize = shownSizeFor(size);
    if (shownSize.isEmpty() ||
        (shownSize.width() >= size.width() && shownSize.height() >= size.height()))
      return toRgb32(upright(header));
    return toRgb32(VImage::thumbnail_source(open(), shownSize.width(),
                                            VImage::option()
                                                ->set("height", shownSize.height())
                                                ->set("size", VIPS_SIZE_FORCE)
                                                ->set("option_string", kLoadOptions)));
  } catch (const VError&) {
    return {};
  }
}

SourceOpener memoryOpener(const QByteArray& data) {
  return [&data] {
    return vips::VSource::new_from_memory(data.constData(), static_cast<size_t>(data.size()));
  };
}

}  // namespace

bool readsWithVips(const QByteArray& data) {
  const PictureKind kind = recognisePictureKind(data);
  return isVipsPictureKind(kind) || (kind == PictureKind::Jpeg && JpegIsCmyk(data));
}

QImage readPictureWithVips(const QByteArray& data, QSize shownSize) {
  if (!readsWithVips(data) || !pictureIsWhole(data)) return {};
  return decodeWithVips(memoryOpener(data), [shownSize](QSize) { return shownSize; });
}

QSize readVipsPictureSize(const QByteArray& data) {
  if (!readsWithVips(data) || !pictureIsWhole(data)) return {};
  ensureVipsStarted();
  try {
    const VImage header = openHeader(memoryOpener(data));
    if (!pictureSizeAllowed(header.width(), header.height())) return {};
    return uprightSize(header);
  } catch (const VError&) {
    return {};
  }
}

bool fileReadsWithVips(QFile& file) {
  if (!file.seek(0)) return false;
  const PictureKind kind = recognisePictureKind(file.peek(kKindHeadBytes));
  if (isVipsPictureKind(kind)) return true;
  if (kind != PictureKind::Jpeg) return false;
  const bool cmyk = ReadJpegHeader(file).components == 4;
  return cmyk && EndsWithEndMarker(file);
}

QImage readPictureFileWithVips(QFile& file, const ShownSizeFor& shownSizeFor) {
  const int descriptor = file.handle();
  if (descriptor < 0 || !fileReadsWithVips(file)) return {};
  // libvips reads through a copy of the descriptor, which shares its position.
  return decodeWithVips(
      [descriptor] {
        ::lseek(descriptor, 0, SEEK_SET);
        return vips::VSource::new_from_descriptor(descriptor);
      },
      shownSizeFor);
}
