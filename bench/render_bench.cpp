// Times the picture steps the print engine runs for every cell and page: reading a large
// camera JPEG in full, at a cell's size with shrink-on-load, the surfaces' own load, and
// encoding a page file. Prints
// key=value medians in seconds and the peak resident memory.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "picture/PageFileEncoder.h"
#include "picture/PictureReader.h"
#include "render/DrawPanel.h"
#include "render/PictureRegistry.h"

namespace {

double medianSeconds(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    work();
    times.push_back(timer.nsecsElapsed() / 1e9);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A photo-like picture: gradients and noise, so the JPEG codec has real work.
QImage photo(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  quint32 seed = 12345;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = static_cast<int>(seed >> 28);
      line[x] = qRgb((x * 255 / width + noise) & 255, (y * 255 / height + noise) & 255,
                     ((x + y) / 16 + noise) & 255);
    }
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  const int runs = 5;
  QTemporaryDir dir;
  const QString big = out.isEmpty() ? dir.filePath(QStringLiteral("big.jpg")) : out;
  photo(6000, 4000).save(big, "JPEG", 90);

  PictureRegistry registry;
  const double fullLoad = medianSeconds(runs, [&] { ReadPicture(big); });
  const double shrunkLoad =
      medianSeconds(runs, [&] { ReadPicture(big, RequestAtSize(QSize(600, 400))); });
  // Photo reduction for a 500 × 400 cell at two pixels per unit: 1000 × 667.
  const double reduce = medianSeconds(runs, [&] {
    registry.UnloadPicture(registry.Add(ReadPicture(big, RequestAtSize(QSize(1000, 667))).picture));
  });
  const double surfaceLoad =
      medianSeconds(runs, [&] { registry.UnloadPicture(registry.LoadPicture(big)); });

  DrawPanel page(registry);
  page.moveResize(0, 0, 2100, 2970);
  const PictureHandle cell =
      registry.Add(ReadPicture(big, RequestAtSize(QSize(1000, 667))).picture);
  for (int i = 0; i < 25; ++i) page.DrawPicture(cell, (i % 5) * 420, (i / 5) * 594, 400, 560);
  const double pageFile =
      medianSeconds(runs, [&] { EncodePagePicture(page.backImage(), PictureFormat::Jpeg, false); });

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("full_load_s=%.4f\n", fullLoad);
  std::printf("shrunk_load_s=%.4f\n", shrunkLoad);
  std::printf("reduce_s=%.4f\n", reduce);
  std::printf("surface_load_s=%.4f\n", surfaceLoad);
  std::printf("page_file_s=%.4f\n", pageFile);
  std::printf("peak_rss_mb=%.1f\n", usage.ru_maxrss / 1024.0);
  return 0;
}
