#include "TestPictures.h"

#include <libheif/heif.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <cstring>
#include <vips/vips8>

namespace testpictures {

QImage twoHalves(int width, int height, QColor left, QColor right) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(right);
  QPainter p(&image);
  p.fillRect(0, 0, width / 2, height, left);
  return image;
}

namespace {

bool vipsStarted() {
  static const bool started = VIPS_INIT("quillmere-tests") == 0;
  return started;
}

vips::VImage toVips(const QImage& source) {
  const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
  QByteArray packed;
  for (int y = 0; y < rgb.height(); ++y)
    packed.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
  return vips::VImage::new_from_memory(packed.data(), static_cast<size_t>(packed.size()),
                                       rgb.width(), rgb.height(), 3, VIPS_FORMAT_UCHAR)
      .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
      .copy_memory();
}

QByteArray save(const vips::VImage& image, const char* suffix, vips::VOption* options = nullptr) {
  void* buffer = nullptr;
  size_t size = 0;
  image.write_to_buffer(suffix, &buffer, &size, options);
  QByteArray bytes(static_cast<const char*>(buffer), static_cast<qsizetype>(size));
  g_free(buffer);
  return bytes;
}

// Savers other than JPEG's write an orientation only inside an EXIF block: one is
// taken from a JPEG that carries it.
void setExifOrientation(vips::VImage& image, int orientation) {
  vips::VImage tagged = image.copy();
  tagged.set("orientation", orientation);
  const QByteArray jpeg = save(tagged, ".jpg");
  const vips::VImage withExif =
      vips::VImage::new_from_buffer(jpeg.constData(), static_cast<size_t>(jpeg.size()), "");
  size_t length = 0;
  const void* exif = withExif.get_blob("exif-data", &length);
  void* copy = g_memdup2(exif, length);
  image.set(
      "exif-data",
      [](void* data, void*) {
        g_free(data);
        return 0;
      },
      copy, length);
  image.set("orientation", orientation);
}

heif_error appendTo(heif_context*, const void* data, size_t size, void* bytes) {
  static_cast<QByteArray*>(bytes)->append(static_cast<const char*>(data),
                                          static_cast<qsizetype>(size));
  return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
}

// HEIC (HEVC) or AVIF (AV1) through libheif, which writes the orientation as the
// transform boxes a phone writes.
QByteArray encodeHeif(const QImage& source, bool avif, int orientation,
                      const QByteArray& iccProfile) {
  const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
  heif_image* image = nullptr;
  if (heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                        &image)
          .code != heif_error_Ok)
    return {};
  heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
  int stride = 0;
  uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int y = 0; y < rgb.height(); ++y)
    std::memcpy(plane + y * stride, rgb.constScanLine(y), static_cast<size_t>(rgb.width() * 3));
  if (!iccProfile.isEmpty())
    heif_image_set_raw_color_profile(image, "prof", iccProfile.constData(),
                                     static_cast<size_t>(iccProfile.size()));
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  QByteArray bytes;
  if (heif_context_get_encoder_for_format(
          context, avif ? heif_compression_AV1 : heif_compression_HEVC, &encoder)
          .code == heif_error_Ok) {
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_encoding_options* options = heif_encoding_options_alloc();
    if (orientation > 0) options->image_orientation = static_cast<heif_orientation>(orientation);
    heif_writer writer{1, appendTo};
    if (heif_context_encode_image(context, image, encoder, options, nullptr).code !=
            heif_error_Ok ||
        heif_context_write(context, &writer, &bytes).code != heif_error_Ok)
      bytes.clear();
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
  }
  heif_context_free(context);
  heif_image_release(image);
  return bytes;
}

}  // namespace

QByteArray encode(const QImage& source, const QString& extension, int exifOrientation,
                  const QByteArray& iccProfile) {
  // Saver options after the suffix, as in ".jpg[Q=95]", keep their case.
  const qsizetype options = extension.indexOf(QLatin1Char('['));
  const QString ext = options < 0 ? extension.toLower()
                                  : extension.left(options).toLower() + extension.mid(options);
  if (ext == QLatin1String(".bmp")) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return source.save(&buffer, "BMP") ? bytes : QByteArray();
  }
  if (ext == QLatin1String(".heic") || ext == QLatin1String(".avif"))
    return encodeHeif(source, ext == QLatin1String(".avif"), exifOrientation, iccProfile);
  if (!vipsStarted()) return {};
  try {
    vips::VImage image = toVips(source);
    if (exifOrientation > 0) setExifOrientation(image, exifOrientation);
    if (!iccProfile.isEmpty())
      image.set(
          VIPS_META_ICC_NAME,
          [](void* data, void*) {
            g_free(data);
            return 0;
          },
          g_memdup2(iccProfile.constData(), static_cast<gsize>(iccProfile.size())),
          static_cast<size_t>(iccProfile.size()));
    return save(image, ext.toLatin1().constData());
  } catch (const vips::VError&) {
    return {};
  }
}

QByteArray sixteenBitTiff(const QImage& image) {
  if (!vipsStarted()) return {};
  try {
    const vips::VImage wide =
        (toVips(image) * 257)
            .cast(VIPS_FORMAT_USHORT)
            .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_RGB16));
    return save(wide, ".tif");
  } catch (const vips::VError&) {
    return {};
  }
}

QByteArray cmykJpeg(const QImage& image) {
  if (!vipsStarted()) return {};
  try {
    return save(toVips(image).colourspace(VIPS_INTERPRETATION_CMYK), ".jpg",
                vips::VImage::option()->set("Q", 95));
  } catch (const vips::VError&) {
    return {};
  }
}

bool write(const QString& path, const QImage& image, int exifOrientation) {
  const QByteArray bytes =
      encode(image, QLatin1Char('.') + QFileInfo(path).suffix(), exifOrientation);
  return !bytes.isEmpty() && writeFile(path, bytes);
}

QByteArray withClaimedJpegSize(const QByteArray& jpeg, int width, int height) {
  QByteArray out = jpeg;
  for (qsizetype i = 2; i + 9 < out.size(); ++i) {
    const auto marker = static_cast<unsigned char>(out[i + 1]);
    if (static_cast<unsigned char>(out[i]) == 0xFF &&
        (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)) {
      out[i + 5] = static_cast<char>(height >> 8);
      out[i + 6] = static_cast<char>(height & 0xFF);
      out[i + 7] = static_cast<char>(width >> 8);
      out[i + 8] = static_cast<char>(width & 0xFF);
      break;
    }
  }
  return out;
}

namespace {

class TiffWriter {
public:
  explicit TiffWriter(bool bigEndian) : big_(bigEndian) {}
  void u16(quint32 v) {
    const char low = char(v & 0xFF);
    const char high = char(v >> 8 & 0xFF);
    bytes.append(big_ ? high : low).append(big_ ? low : high);
  }
  void u32(quint32 v) {
    u16(big_ ? v >> 16 : v & 0xFFFF);
    u16(big_ ? v & 0xFFFF : v >> 16);
  }
  // One directory entry holding a single SHORT (type 3) or LONG (type 4) value.
  void entry(quint16 tag, quint16 type, quint32 value) {
    u16(tag);
    u16(type);
    u32(1);
    if (type == 3) {
      u16(value);
      u16(0);
    } else {
      u32(value);
    }
  }
  QByteArray bytes;

private:
  bool big_;
};

}  // namespace

QByteArray exifBlock(int orientation, const QByteArray& thumbnail, bool bigEndian) {
  TiffWriter tiff(bigEndian);
  tiff.bytes = bigEndian ? QByteArray("MM") : QByteArray("II");
  tiff.u16(42);
  tiff.u32(8);
  const int ifd0Entries = orientation > 0 ? 1 : 0;
  const quint32 ifd1 = 8 + 2 + 12 * ifd0Entries + 4;
  tiff.u16(ifd0Entries);
  if (orientation > 0) tiff.entry(0x0112, 3, quint32(orientation));
  tiff.u32(thumbnail.isEmpty() ? 0 : ifd1);
  if (!thumbnail.isEmpty()) {
    const quint32 data = ifd1 + 2 + 12 * 3 + 4;
    tiff.u16(3);
    tiff.entry(0x0103, 3, 6);
    tiff.entry(0x0201, 4, data);
    tiff.entry(0x0202, 4, quint32(thumbnail.size()));
    tiff.u32(0);
    tiff.bytes += thumbnail;
  }
  return QByteArray("Exif\0\0", 6) + tiff.bytes;
}

QByteArray withApp1(const QByteArray& jpeg, const QByteArray& payload) {
  const qsizetype length = payload.size() + 2;
  QByteArray segment("\xFF\xE1", 2);
  segment.append(char(length >> 8 & 0xFF)).append(char(length & 0xFF)).append(payload);
  return jpeg.left(2) + segment + jpeg.mid(2);
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace testpictures
