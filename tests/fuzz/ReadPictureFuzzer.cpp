// The one route from picture bytes to pixels, every decoder behind it: a picture within
// the pixel limit, of the size asked, or a refusal with its reason; and never more
// memory than a small multiple of what the picture's header declares or the picture
// delivered needs.
#include <QByteArray>
#include <QGuiApplication>

#include "FuzzSupport.h"
#include "picture/PictureLimits.h"
#include "picture/PictureReader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  fuzz::HeapPeak::Install();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  // What the header declares; for a GIF also its logical screen, which Qt's reader
  // allocates whole whatever the frames it holds (the allocation limit bounds it).
  QSize declared = ReadUprightPictureSize(bytes);
  if (bytes.startsWith("GIF8") && bytes.size() >= 10)
    declared = declared.expandedTo(
        QSize(quint8(bytes[6]) | quint8(bytes[7]) << 8, quint8(bytes[8]) | quint8(bytes[9]) << 8));
  // Every other input asked for a small size, the others for the whole picture.
  const QSize asked = size % 2 ? QSize(48, 32) : QSize();
  fuzz::HeapPeak::Reset();
  const PictureResult result = ReadPicture(bytes, RequestAtSize(asked, PictureUse::Print));
  const std::int64_t peak = fuzz::HeapPeak::Bytes();

  fuzz::Check(result.ok() != !result.refusal.isEmpty(), "a picture or a reason");
  const QImage& picture = result.picture;
  const std::int64_t delivered = result.ok() ? picture.sizeInBytes() : 0;
  const std::int64_t declaredBytes =
      declared.isValid() ? std::int64_t{4} * declared.width() * declared.height() : 0;
  fuzz::Check(
      peak <= 8 * std::max(declaredBytes, delivered) + 1024 * std::int64_t(size) + 64 * fuzz::kMiB,
      "memory bounded by the picture");
  if (!result.ok()) return 0;
  fuzz::Check(pictureSizeAllowed(picture.width(), picture.height()), "within the pixel limit");
  if (!asked.isEmpty())
    fuzz::Check(picture.size() == asked ||
                    (picture.width() <= asked.width() && picture.height() <= asked.height()),
                "the size asked, or the whole picture when it is not larger");
  return 0;
}
