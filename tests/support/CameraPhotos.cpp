#include "CameraPhotos.h"

#include <vips/vips8>

QByteArray cameraPhoto(QSize size, const QString& extension, const QString& make,
                       const QString& model, const QString& dateTimeOriginal, int orientation) {
  static const bool started = VIPS_INIT("quillmere-tests") == 0;
  if (!started) return {};
  try {
    vips::VImage photo =
        (vips::VImage::black(size.width(), size.height(), vips::VImage::option()->set("bands", 3)) +
         128)
            .cast(VIPS_FORMAT_UCHAR)
            .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    const struct {
      const char* field;
      QString value;
    } fields[] = {{"exif-ifd0-Make", make},
                  {"exif-ifd0-Model", model},
                  {"exif-ifd2-DateTimeOriginal", dateTimeOriginal}};
    for (const auto& f : fields)
      if (!f.value.isEmpty()) photo.set(f.field, f.value.toUtf8().constData());
    if (orientation > 0) photo.set("orientation", orientation);
    void* buffer = nullptr;
    size_t length = 0;
    photo.write_to_buffer(extension.toUtf8().constData(), &buffer, &length);
    QByteArray bytes(static_cast<const char*>(buffer), static_cast<qsizetype>(length));
    g_free(buffer);
    return bytes;
  } catch (const vips::VError&) {
    return {};
  }
}
