// The kind told from the first bytes. A file's kind is told from its first 4096 bytes
// and the decoders are chosen again from the whole data: a kind the start tells must
// be the kind of the whole.
#include <QByteArray>

#include "FuzzSupport.h"
#include "picture/PictureKind.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const PictureKind whole = recognisePictureKind(bytes);
  const PictureKind start = recognisePictureKind(bytes.left(4096));
  fuzz::Check(start == PictureKind::Unsupported || start == whole,
              "the start's kind is the whole's");
  return 0;
}
