// quillmere_bench_photos DIR COUNT [WIDTH HEIGHT [KIND]] — writes DIR/photo_NNNN.jpg,
// camera-like JPEGs (default 4000 × 3000, 3–5 MB: smooth scenery, mid-scale texture and
// sensor noise), skipping the ones already there. KIND "camera" writes them as cameras
// do: an EXIF block first (make, model, date, orientation, a maker note of some 30 KB
// and a 160 × 120 thumbnail of the photo), no JFIF segment; "progressive" writes them
// in scans of increasing detail, as pictures made for the web often are; "plain"
// (the default) is a library's baseline JPEG.
//
// quillmere_bench_photos --camera-copies SOURCE DIR — DIR gets the photos of SOURCE with
// that EXIF block and thumbnail in front of the same image data.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vips/vips8>

using vips::VImage;

namespace {

VImage scenery(std::mt19937& random, int width, int height) {
  std::uniform_int_distribution<int> cell(250, 600);
  std::uniform_int_distribution<int> detail(24, 60);
  std::uniform_real_distribution<double> sigma(8.5, 11.5);
  std::uniform_int_distribution<int> seed(1, 1 << 30);
  auto opt = [&](int size) {
    return VImage::option()->set("cell_size", size)->set("seed", seed(random));
  };
  std::vector<VImage> bands;
  const VImage texture = VImage::perlin(width, height, opt(detail(random))).linear(40.0, 0.0);
  for (int band = 0; band < 3; ++band) {
    const VImage large = VImage::perlin(width, height, opt(cell(random))).linear(150.0, 120.0);
    const VImage noise = VImage::gaussnoise(
        width, height, VImage::option()->set("sigma", sigma(random))->set("mean", 0.0));
    bands.push_back(large + texture + noise);
  }
  return VImage::bandjoin(bands)
      .cast(VIPS_FORMAT_UCHAR)
      .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

std::string jpegBytes(const VImage& image, int quality, bool progressive = false) {
  void* buffer = nullptr;
  size_t size = 0;
  image.write_to_buffer(
      ".jpg", &buffer, &size,
      VImage::option()->set("Q", quality)->set("strip", true)->set("interlace", progressive));
  std::string bytes(static_cast<const char*>(buffer), size);
  g_free(buffer);
  return bytes;
}

// Little-endian TIFF directories, as most cameras write them.
struct Tiff {
  std::string bytes;
  void u16(unsigned v) { bytes += char(v & 0xFF), bytes += char(v >> 8 & 0xFF); }
  void u32(unsigned v) { u16(v & 0xFFFF), u16(v >> 16); }
  void entry(unsigned tag, unsigned type, unsigned count, unsigned value) {
    u16(tag), u16(type), u32(count), u32(value);
  }
};

// IFD0 (make, model, orientation, date, Exif IFD), the Exif IFD (a maker note), IFD1
// (the thumbnail), then the data they point at.
std::string exifBlock(const std::string& thumbnail) {
  const std::string make = "Quillmere Optics", model = "QX-100", date = "2024:05:01 10:20:30";
  const std::string makerNote(30000, '\x5A');
  Tiff t;
  const unsigned ifd0 = 8, ifd0Size = 2 + 5 * 12 + 4;
  const unsigned exifIfd = ifd0 + ifd0Size, exifSize = 2 + 1 * 12 + 4;
  const unsigned ifd1 = exifIfd + exifSize, ifd1Size = 2 + 3 * 12 + 4;
  unsigned data = ifd1 + ifd1Size;
  const unsigned makeAt = data, modelAt = makeAt + make.size() + 1,
                 dateAt = modelAt + model.size() + 1, noteAt = dateAt + date.size() + 1,
                 thumbAt = noteAt + makerNote.size();
  t.bytes = "II";
  t.u16(42), t.u32(ifd0);
  t.u16(5);
  t.entry(0x010F, 2, make.size() + 1, makeAt);
  t.entry(0x0110, 2, model.size() + 1, modelAt);
  t.entry(0x0112, 3, 1, 1);
  t.entry(0x0132, 2, date.size() + 1, dateAt);
  t.entry(0x8769, 4, 1, exifIfd);
  t.u32(ifd1);
  t.u16(1);
  t.entry(0x927C, 7, makerNote.size(), noteAt);
  t.u32(0);
  t.u16(3);
  t.entry(0x0103, 3, 1, 6);
  t.entry(0x0201, 4, 1, thumbAt);
  t.entry(0x0202, 4, 1, thumbnail.size());
  t.u32(0);
  t.bytes += make + '\0' + model + '\0' + date + '\0' + makerNote + thumbnail;
  return std::string("Exif\0\0", 6) + t.bytes;
}

std::string withExif(const std::string& jpeg, const std::string& block) {
  // the JFIF segment a library writes first is dropped: cameras start with EXIF
  size_t rest = 2;
  if (jpeg.size() > 6 && uint8_t(jpeg[3]) == 0xE0)
    rest = 4 + ((uint8_t(jpeg[4]) << 8) | uint8_t(jpeg[5]));
  const size_t length = block.size() + 2;
  return jpeg.substr(0, 2) + "\xFF\xE1" + char(length >> 8) + char(length & 0xFF) + block +
         jpeg.substr(rest);
}

}  // namespace

// The photos of SOURCE as a camera would have written them: the same image data after
// an EXIF block with a thumbnail of the photo.
int cameraCopies(const std::filesystem::path& source, const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  for (const auto& entry : std::filesystem::directory_iterator(source)) {
    const std::filesystem::path path = dir / entry.path().filename();
    if (entry.path().extension() != ".jpg" || std::filesystem::exists(path)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string photo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const VImage small =
        VImage::thumbnail(entry.path().c_str(), 160, VImage::option()->set("height", 120));
    const std::string bytes = withExif(photo, exifBlock(jpegBytes(small, 75)));
    const std::filesystem::path partial = dir / (entry.path().filename().string() + ".part.jpg");
    std::ofstream(partial, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    std::filesystem::rename(partial, path);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--camera-copies") {
    if (VIPS_INIT(argv[0])) vips_error_exit(nullptr);
    return cameraCopies(argv[2], argv[3]);
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DIR COUNT [WIDTH HEIGHT [plain|camera|progressive]]\n",
                 argv[0]);
    return 2;
  }
  if (VIPS_INIT(argv[0])) vips_error_exit(nullptr);
  const std::filesystem::path dir = argv[1];
  const int count = std::stoi(argv[2]);
  const int width = argc > 4 ? std::stoi(argv[3]) : 4000;
  const int height = argc > 4 ? std::stoi(argv[4]) : 3000;
  const std::string kind = argc > 5 ? argv[5] : "plain";
  const bool thumbs = kind == "camera";
  std::filesystem::create_directories(dir);
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo_%04d.jpg", i);
    const std::filesystem::path path = dir / name;
    if (std::filesystem::exists(path)) continue;
    std::mt19937 random(static_cast<unsigned>(i));
    const VImage photo = scenery(random, width, height).copy_memory();
    std::string bytes = jpegBytes(photo, 88, kind == "progressive");
    if (thumbs) {
      const VImage small = photo.thumbnail_image(160, VImage::option()->set("height", 120));
      bytes = withExif(bytes, exifBlock(jpegBytes(small, 75)));
    }
    const std::filesystem::path partial = dir / (std::string(name) + ".part.jpg");
    std::ofstream(partial, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    std::filesystem::rename(partial, path);
  }
  vips_shutdown();
  return 0;
}
