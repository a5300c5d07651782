// The PCX decoder: a picture within the pixel limit or nothing, and never more memory
// than the picture, or what the file could unpack to, calls for.
#include <QByteArray>
#include <QImage>

#include "FuzzSupport.h"
#include "picture/PcxDecoder.h"
#include "picture/PictureLimits.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::HeapPeak::Install();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  fuzz::HeapPeak::Reset();
  const QImage image = decodePcx(bytes);
  const std::int64_t peak = fuzz::HeapPeak::Bytes();
  // A row of four planes of 65535 bytes, and Qt's own small allocations.
  constexpr std::int64_t kOverhead = fuzz::kMiB;
  if (image.isNull()) {
    // Refused, possibly after the picture was allocated: at most a byte's eight pixels
    // of four bytes for each of the 63 bytes a run of two unpacks to.
    fuzz::Check(peak <= 8 * 4 * 32 * std::int64_t(size) + kOverhead,
                "a refused PCX takes no more than its body could unpack to");
    return 0;
  }
  fuzz::Check(pictureSizeAllowed(image.width(), image.height()), "within the pixel limit");
  fuzz::Check(image.format() == QImage::Format_RGB32, "decoded as RGB32");
  fuzz::Check(peak <= image.sizeInBytes() + kOverhead, "memory bounded by the picture");
  return 0;
}
