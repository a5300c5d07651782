// The first-scan reader: an eighth of the photo, within the pixel limit, or nothing.
#include <QImage>

#include "FuzzSupport.h"
#include "picture/PictureLimits.h"
#include "picture/ProgressiveJpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DecodedPicture decoded = ReadProgressiveJpegAtEighth(fuzz::InputFile(data, size));
  if (decoded.isNull()) return 0;
  const QSize stored = decoded.storedSize;
  fuzz::Check(pictureSizeAllowed(stored.width(), stored.height()), "within the pixel limit");
  fuzz::Check(decoded.pixels.size() == QSize((stored.width() + 7) / 8, (stored.height() + 7) / 8),
              "an eighth of the photo");
  fuzz::Check(decoded.orientation >= 1 && decoded.orientation <= 8, "an orientation 1..8");
  return 0;
}
