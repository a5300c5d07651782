#include "picture/VipsStart.h"

#include <mutex>
#include <vips/vips8>

void ensureVipsStarted() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (VIPS_INIT("quillmere")) vips_error_exit("libvips could not start");
    // The operation cache would keep decoded photos alive after the program let go
    // of them, and would serve a rewritten file from its old pixels.
    vips_cache_set_max(0);
  });
}
