#include "picture/QtPictureReader.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>

#include "picture/Orientation.h"
#include "picture/PictureLimits.h"
#include "picture/PictureStructure.h"

namespace {

// The EXIF orientation a reader's transformation stands for.
int orientationOf(QImageIOHandler::Transformations turn) {
  switch (turn) {
    case QImageIOHandler::TransformationMirror:
      return 2;
    case QImageIOHandler::TransformationRotate180:
      return 3;
    case QImageIOHandler::TransformationFlip:
      return 4;
    case QImageIOHandler::TransformationFlipAndRotate90:
      return 5;
    case QImageIOHandler::TransformationRotate90:
      return 6;
    case QImageIOHandler::TransformationMirrorAndRotate90:
      return 7;
    case QImageIOHandler::TransformationRotate270:
      return 8;
    default:
      return 1;
  }
}

}  // namespace

DecodedPicture readPictureWithQt(const QByteArray& data, const char* format,
                                 const ShownSizeFor& shownSizeFor) {
  if (data.isEmpty() || !pictureIsWhole(data)) return {};
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoTransform(false);
  if (format) reader.setDecideFormatFromContent(false);
  const QSize size = reader.size();
  if (size.isValid() && !pictureSizeAllowed(size.width(), size.height())) return {};
  reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024) + 1));
  DecodedPicture decoded;
  decoded.orientation = orientationOf(reader.transformation());
  const QSize shownSize = size.isValid() && shownSizeFor
                              ? shownSizeFor(UprightSize(size, decoded.orientation))
                              : QSize();
  if (!shownSize.isEmpty()) {
    const QSize scaled = StoredSize(shownSize, decoded.orientation);
    if (scaled.width() < size.width() || scaled.height() < size.height())
      reader.setScaledSize(scaled);
  }
  QImage image = reader.read();
  if (image.isNull() || !pictureSizeAllowed(image.width(), image.height())) return {};
  decoded.storedSize = size.isValid() ? size : image.size();
  if (image.colorSpace().isValid()) {
    decoded.iccProfile = image.colorSpace().iccProfile();
    image.setColorSpace(QColorSpace());
  }
  decoded.pixels = std::move(image);
  return decoded;
}

QSize readPictureSize(const QByteArray& data) {
  if (data.isEmpty() || !pictureIsWhole(data)) return {};
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || !pictureSizeAllowed(size.width(), size.height())) return {};
  return UprightSize(size, orientationOf(reader.transformation()));
}
