// The GIF resolution block: whatever the writer adds, the reader reads back.
#include <QByteArray>

#include "FuzzSupport.h"
#include "picture/GifResolution.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray gif(reinterpret_cast<const char*>(data), qsizetype(size));
  int x = 0, y = 0;
  readGifResolution(gif, x, y);
  const int xDpi = 1 + int(size % 1200), yDpi = 1 + int(size * 7 % 65535);
  const QByteArray written = withGifResolution(gif, xDpi, yDpi);
  if (written == gif) return 0;  // no GIF to add it to
  fuzz::Check(written.size() == gif.size() + 44, "one extension added");
  fuzz::Check(readGifResolution(written, x, y) && x == xDpi && y == yDpi,
              "the resolution written reads back");
  return 0;
}
