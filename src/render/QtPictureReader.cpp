#include "render/QtPictureReader.h"

#include "render/PictureLimits.h"

#include <QBuffer>
#include <QImageReader>

QImage readPictureWithQt(const QByteArray& data, const char* format) {
  if (data.isEmpty()) return {};
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoTransform(true);
  if (format) reader.setDecideFormatFromContent(false);
  const QSize size = reader.size();
  if (size.isValid() && !pictureSizeAllowed(size.width(), size.height())) return {};
  reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024) + 1));
  QImage image = reader.read();
  if (image.isNull() || !pictureSizeAllowed(image.width(), image.height())) return {};
  return image;
}
