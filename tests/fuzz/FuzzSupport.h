#pragma once

// What every fuzz target shares: a broken promise ends the run with its reason (libFuzzer
// keeps the input), and the peak of the heap one input took, seen through the
// sanitizer's allocation hooks, for the targets that bound their memory.

#include <sanitizer/allocator_interface.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void Check(bool condition, const char* promise) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

inline constexpr std::int64_t kMiB = 1024 * 1024;

// Live bytes and their highest mark since the last Reset, across every thread.
class HeapPeak {
public:
  // Installs the hooks; once, from LLVMFuzzerInitialize.
  static void Install() {
    __sanitizer_install_malloc_and_free_hooks(&HeapPeak::allocated, &HeapPeak::freed);
  }
  static void Reset() {
    peak_ = live_.load();
    base_ = live_.load();
  }
  static std::int64_t Bytes() { return peak_.load() - base_.load(); }

private:
  static void allocated(const volatile void*, std::size_t size) {
    const std::int64_t now = live_ += static_cast<std::int64_t>(size);
    std::int64_t seen = peak_.load();
    while (now > seen && !peak_.compare_exchange_weak(seen, now)) {
    }
  }
  static void freed(const volatile void* pointer) {
    live_ -=
        static_cast<std::int64_t>(__sanitizer_get_allocated_size(const_cast<const void*>(pointer)));
  }

  static inline std::atomic<std::int64_t> live_{0};
  static inline std::atomic<std::int64_t> peak_{0};
  static inline std::atomic<std::int64_t> base_{0};
};

// A file holding one input, for the readers that take a file name; one per process,
// removed at exit.
inline QString InputFile(const std::uint8_t* data, std::size_t size) {
  static const QString name =
      QDir::temp().filePath(QStringLiteral("quillmere-fuzz-%1").arg(::getpid()));
  // Registered after the name exists, so it runs before the name is destroyed.
  static const bool removedAtExit = std::atexit([] { QFile::remove(name); }) == 0;
  Check(removedAtExit, "the input file is removed at exit");
  QFile file(name);
  Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file can be written");
  Check(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
            static_cast<qint64>(size),
        "the input file is written whole");
  return name;
}

}  // namespace fuzz
