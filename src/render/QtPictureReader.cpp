#include "render/QtPictureReader.h"

#include <QBuffer>
#include <QImageReader>

#include "render/PictureLimits.h"
#include "render/PictureStructure.h"

namespace {

// Upright and stored sizes differ for a picture stored a quarter turned; the reader
// scales in the stored shape, before it turns the picture upright.
QSize swappedWhenTurned(QSize size, const QImageReader& reader) {
  return (reader.transformation() & QImageIOHandler::TransformationRotate90) ? size.transposed()
                                                                             : size;
}

}  // namespace

QImage readPictureWithQt(const QByteArray& data, const char* format, QSize shownSize) {
  if (data.isEmpty() || !pictureIsWhole(data)) return {};
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoTransform(true);
  if (format) reader.setDecideFormatFromContent(false);
  const QSize size = reader.size();
  if (size.isValid() && !pictureSizeAllowed(size.width(), size.height())) return {};
  reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024) + 1));
  if (size.isValid() && !shownSize.isEmpty()) {
    const QSize scaled = swappedWhenTurned(shownSize, reader);
    if (scaled.width() < size.width() || scaled.height() < size.height())
      reader.setScaledSize(scaled);
  }
  QImage image = reader.read();
  if (image.isNull() || !pictureSizeAllowed(image.width(), image.height())) return {};
  return image;
}

QSize readPictureSize(const QByteArray& data) {
  if (data.isEmpty() || !pictureIsWhole(data)) return {};
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || !pictureSizeAllowed(size.width(), size.height())) return {};
  return swappedWhenTurned(size, reader);
}
