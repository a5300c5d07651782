// quillmere_bench_photos DIR COUNT — writes DIR/photo_NNNN.jpg, camera-like 4000 × 3000
// JPEGs of 3–5 MB (smooth scenery, mid-scale texture and sensor noise), skipping
// the ones already there.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vips/vips8>

using vips::VImage;

namespace {

VImage scenery(std::mt19937& random) {
  std::uniform_int_distribution<int> cell(250, 600);
  std::uniform_int_distribution<int> detail(24, 60);
  std::uniform_real_distribution<double> sigma(8.5, 11.5);
  std::uniform_int_distribution<int> seed(1, 1 << 30);
  auto opt = [&](int size) {
    return VImage::option()->set("cell_size", size)->set("seed", seed(random));
  };
  std::vector<VImage> bands;
  const VImage texture = VImage::perlin(4000, 3000, opt(detail(random))).linear(40.0, 0.0);
  for (int band = 0; band < 3; ++band) {
    const VImage large = VImage::perlin(4000, 3000, opt(cell(random))).linear(150.0, 120.0);
    const VImage noise = VImage::gaussnoise(
        4000, 3000, VImage::option()->set("sigma", sigma(random))->set("mean", 0.0));
    bands.push_back(large + texture + noise);
  }
  return VImage::bandjoin(bands)
      .cast(VIPS_FORMAT_UCHAR)
      .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DIR COUNT\n", argv[0]);
    return 2;
  }
  if (VIPS_INIT(argv[0])) vips_error_exit(nullptr);
  const std::filesystem::path dir = argv[1];
  const int count = std::stoi(argv[2]);
  std::filesystem::create_directories(dir);
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo_%04d.jpg", i);
    const std::filesystem::path path = dir / name;
    if (std::filesystem::exists(path)) continue;
    std::mt19937 random(static_cast<unsigned>(i));
    const std::filesystem::path partial = dir / (std::string(name) + ".part.jpg");
    scenery(random).jpegsave(partial.c_str(), VImage::option()->set("Q", 88));
    std::filesystem::rename(partial, path);
  }
  vips_shutdown();
  return 0;
}
