// The completeness checks of JPEG, BMP and GIF, and the kind told from the first bytes:
// no read outside the data, and the answers agree with each other.
#include <QByteArray>

#include "FuzzSupport.h"
#include "picture/PictureKind.h"
#include "picture/PictureStructure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size, so a read past its end shows.
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QByteArrayView view(data, qsizetype(size));

  const bool jpeg = jpegIsComplete(view);
  fuzz::Check(!jpeg || jpegIsComplete(view, 16), "stray bytes forgiven only add files");
  // Data after the end marker (camera trailers) and after a GIF's first picture is allowed.
  fuzz::Check(!jpeg || jpegIsComplete(bytes + "trailer"), "a trailer keeps a JPEG whole");
  const bool gif = gifIsComplete(view);
  fuzz::Check(!gif || gifIsComplete(bytes + "trailer"), "a trailer keeps a GIF whole");
  const bool bmp = bmpIsComplete(view);

  bool expected = true;
  switch (recognisePictureKind(bytes)) {
    case PictureKind::Jpeg:
      expected = jpeg;
      break;
    case PictureKind::Bmp:
      expected = bmp;
      break;
    case PictureKind::Gif:
      expected = gif;
      break;
    default:
      break;
  }
  fuzz::Check(pictureIsWhole(bytes) == expected, "the whole-picture check is its kind's check");
  return 0;
}
