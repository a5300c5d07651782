// The EXIF thumbnail: the block parsed from the input as an APP1 payload stays inside
// it, and the input read as a JPEG file gives a thumbnail that shows the whole photo
// upright, or none.
#include <QByteArray>
#include <QCoreApplication>
#include <cmath>

#include "FuzzSupport.h"
#include "picture/EmbeddedThumbnail.h"
#include "picture/ExifThumbnail.h"
#include "picture/Orientation.h"
#include "picture/PictureLimits.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication application(*argc, *argv);  // Qt's image plugins
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const ExifThumbnail exif = ParseExifThumbnail(bytes);
  fuzz::Check(exif.orientation >= 1 && exif.orientation <= 8, "an orientation 1..8");
  if (exif.hasThumbnail()) {
    fuzz::Check(exif.offset >= 6 && exif.offset + exif.length <= bytes.size(),
                "the thumbnail lies within the block");
    fuzz::Check(bytes.mid(exif.offset, 2) == QByteArrayView("\xFF\xD8", 2),
                "the thumbnail is a JPEG stream");
  }

  const EmbeddedThumbnail thumbnail = ReadEmbeddedThumbnail(fuzz::InputFile(data, size));
  fuzz::Check(thumbnail.bytesRead <= qint64(size) + 2, "only the header is read");
  if (thumbnail.picture.isNull()) return 0;
  const QSize photo = thumbnail.photoSize;
  fuzz::Check(pictureSizeAllowed(photo.width(), photo.height()), "a photo within the limit");
  const QSize shown = thumbnail.picture.size();
  // Upright like the photo: its aspect within the tolerance the padding is cropped by.
  const double photoAspect = double(photo.width()) / photo.height();
  const double shownAspect = double(shown.width()) / shown.height();
  fuzz::Check(std::abs(shownAspect / photoAspect - 1.0) <= 0.01 + 1e-9,
              "the thumbnail shows the photo's shape, upright");
  return 0;
}
