#include "picture/EmbeddedThumbnail.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cmath>

#include "picture/ExifThumbnail.h"
#include "picture/JpegHeader.h"
#include "picture/Orientation.h"
#include "picture/PictureLimits.h"
#include "picture/PictureStructure.h"

namespace {

constexpr double kAspectTolerance = 0.01;
// JPEG noise keeps black bars a little above 0.
constexpr int kDarkestBarGrey = 40;

bool aspectsAgree(double a, double b) {
  return std::abs(a / b - 1.0) <= kAspectTolerance;
}

double aspectOf(QSize size) {
  return double(size.width()) / size.height();
}

// Whether every pixel of rect is near black.
bool isDark(const QImage& image, const QRect& rect) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (qGray(line[x]) > kDarkestBarGrey) return false;
  }
  return true;
}

QImage decodeThumbnail(const QByteArray& stream) {
  if (!jpegIsComplete(stream)) return {};
  QBuffer buffer;
  buffer.setData(stream);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpeg");
  reader.setDecideFormatFromContent(false);
  // The photo's orientation is applied, not one the thumbnail might carry itself.
  reader.setAutoTransform(false);
  const QSize size = reader.size();
  if (!size.isValid() || !pictureSizeAllowed(size.width(), size.height())) return {};
  QImage image = reader.read();
  return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage WithoutPadding(const QImage& thumbnail, QSize photoSize) {
  if (thumbnail.isNull() || photoSize.isEmpty()) return {};
  const double photoAspect = aspectOf(photoSize);
  if (aspectsAgree(aspectOf(thumbnail.size()), photoAspect)) return thumbnail;
  const QImage image = thumbnail.convertToFormat(QImage::Format_RGB32);
  QRect band = image.rect();
  QRect before;
  QRect after;
  if (photoAspect > aspectOf(image.size())) {
    const int height = static_cast<int>(std::lround(image.width() / photoAspect));
    band = QRect(0, (image.height() - height) / 2, image.width(), height);
    before = QRect(0, 0, image.width(), band.top() - 1);
    after = QRect(0, band.bottom() + 2, image.width(), image.height() - band.bottom() - 2);
  } else {
    const int width = static_cast<int>(std::lround(image.height() * photoAspect));
    band = QRect((image.width() - width) / 2, 0, width, image.height());
    before = QRect(0, 0, band.left() - 1, image.height());
    after = QRect(band.right() + 2, 0, image.width() - band.right() - 2, image.height());
  }
  // The line next to the picture may be blurred into it by the encoder; the rest of a
  // bar must be black, or the thumbnail shows something else than the photo.
  if (band.isEmpty() || !aspectsAgree(aspectOf(band.size()), photoAspect) ||
      !isDark(image, before) || !isDark(image, after))
    return {};
  return image.copy(band);
}

EmbeddedThumbnail ReadEmbeddedThumbnail(const QString& fileName) {
  EmbeddedThumbnail result;
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return result;
  const JpegHeader header = ReadJpegHeader(file);
  result.bytesRead = header.bytesRead;
  if (!header.valid || header.storedSize.isEmpty()) return result;
  const ExifThumbnail exif = ParseExifThumbnail(header.exif);
  result.photoSize = UprightSize(header.storedSize, exif.orientation);
  result.iccProfile = header.iccProfile;
  if (!exif.hasThumbnail() ||
      !pictureSizeAllowed(header.storedSize.width(), header.storedSize.height()))
    return result;
  const bool whole = EndsWithEndMarker(file);
  result.bytesRead += 2;
  if (!whole) return result;
  const QImage stored =
      WithoutPadding(decodeThumbnail(header.exif.mid(exif.offset, exif.length)), header.storedSize);
  if (!stored.isNull()) result.picture = TurnedUpright(stored, exif.orientation);
  return result;
}
