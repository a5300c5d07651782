#include "picture/VipsPictureReader.h"

#include <unistd.h>

#include <QFile>
#include <QScopeGuard>
#include <semaphore>
#include <vips/vips8>

#include "picture/JpegHeader.h"
#include "picture/Orientation.h"
#include "picture/PictureKind.h"
#include "picture/PictureLimits.h"
#include "picture/PictureStructure.h"
#include "picture/VipsBridge.h"
#include "picture/VipsStart.h"
#include "platform/MemoryPolicy.h"

using vips::VError;
using vips::VImage;

namespace {

// Cut-off data is an error, not a picture half grey.
constexpr const char* kLoadOptions = "fail_on=truncated";
// Enough of a file's start to tell its kind, file-type box of a HEIF file included.
constexpr qint64 kKindHeadBytes = 4096;
// HEIF photos decoded at the same time. A 12-megapixel frame takes over 100 MB of working
// buffers in the decoder: two side by side pushed an album past 300 MB, one keeps it near
// 220 MB, and the other core still draws, scales and encodes meanwhile.
constexpr std::ptrdiff_t kWholeFrameDecodesAtOnce = 1;

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

// The profile the decoded pixels still carry. libvips has already turned a CMYK picture
// into sRGB by its profile; what it then still carries describes the CMYK data, which
// the colour step passes over.
QByteArray profileOf(const VImage& image) {
  if (!image.get_typeof(VIPS_META_ICC_NAME)) return {};
  size_t length = 0;
  const void* data = image.get_blob(VIPS_META_ICC_NAME, &length);
  return QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(length));
}

// The header is read first and its size judged against the pixel limit before anything
// is decoded; shownSizeFor then gives the size to decode at from the upright size.
DecodedPicture decodeWithVips(const SourceOpener& open, const ShownSizeFor& shownSizeFor) {
  ensureVipsStarted();
  try {
    const VImage header = openHeader(open);
    if (!pictureSizeAllowed(header.width(), header.height())) return {};
    // libheif decodes the whole frame whatever size is asked for, with working buffers
    // of several frames: only a few photos are decoded side by side, so the memory of
    // many is never held at once, and the freed buffers go back to the system before
    // the next photo takes its own.
    static std::counting_semaphore<kWholeFrameDecodesAtOnce> wholeFrameDecodes(
        kWholeFrameDecodesAtOnce);
    const bool wholeFrame = header.get_typeof("vips-loader") &&
                            QByteArray(header.get_string("vips-loader")).startsWith("heifload");
    if (wholeFrame) wholeFrameDecodes.acquire();
    const auto release = qScopeGuard([wholeFrame] {
      if (!wholeFrame) return;
      ReleaseFreedMemory();
      wholeFrameDecodes.release();
    });
    DecodedPicture decoded;
    decoded.orientation = orientationOf(header);
    decoded.storedSize = QSize(header.width(), header.height());
    const QSize size = UprightSize(decoded.storedSize, decoded.orientation);
    const QSize shownSize = shownSizeFor(size);
    if (shownSize.isEmpty() ||
        (shownSize.width() >= size.width() && shownSize.height() >= size.height())) {
      decoded.pixels = QImageFromVips(header);
      decoded.iccProfile = profileOf(header);
      return decoded;
    }
    // Shrunk as stored; the pipeline turns it upright.
    const QSize stored = StoredSize(shownSize, decoded.orientation);
    const VImage shrunk = VImage::thumbnail_source(open(), stored.width(),
                                                   VImage::option()
                                                       ->set("height", stored.height())
                                                       ->set("size", VIPS_SIZE_FORCE)
                                                       ->set("no_rotate", true)
                                                       ->set("option_string", kLoadOptions));
    decoded.pixels = QImageFromVips(shrunk);
    decoded.iccProfile = profileOf(shrunk);
    return decoded;
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

DecodedPicture readPictureWithVips(const QByteArray& data, const ShownSizeFor& shownSizeFor) {
  if (!readsWithVips(data) || !pictureIsWhole(data)) return {};
  return decodeWithVips(memoryOpener(data), shownSizeFor);
}

QSize readVipsPictureSize(const QByteArray& data) {
  if (!readsWithVips(data) || !pictureIsWhole(data)) return {};
  ensureVipsStarted();
  try {
    const VImage header = openHeader(memoryOpener(data));
    if (!pictureSizeAllowed(header.width(), header.height())) return {};
    return UprightSize(QSize(header.width(), header.height()), orientationOf(header));
  } catch (const VError&) {
    return {};
  }
}

VImage ReadVipsHeader(PictureKind kind, const vips::VSource& source) {
  const auto options = [] { return VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL); };
  switch (kind) {
    case PictureKind::Png:
      return VImage::pngload_source(source, options());
    case PictureKind::Tiff:
      return VImage::tiffload_source(source, options());
    case PictureKind::WebP:
      return VImage::webpload_source(source, options());
    default:
      return VImage::heifload_source(source, options());
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

DecodedPicture readPictureFileWithVips(QFile& file, const ShownSizeFor& shownSizeFor) {
  if (!fileReadsWithVips(file)) return {};
  return readJpegFileWithVips(file, shownSizeFor);
}

DecodedPicture readJpegFileWithVips(QFile& file, const ShownSizeFor& shownSizeFor) {
  const int descriptor = file.handle();
  if (descriptor < 0) return {};
  // libvips reads through a copy of the descriptor, which shares its position.
  return decodeWithVips(
      [descriptor] {
        ::lseek(descriptor, 0, SEEK_SET);
        return vips::VSource::new_from_descriptor(descriptor);
      },
      shownSizeFor);
}
