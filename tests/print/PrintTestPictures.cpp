#include "PrintTestPictures.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include "TestPictures.h"

namespace printtest {

QImage noisyPhoto(int width, int height, quint32 seed) {
  QImage image(width, height, QImage::Format_RGB32);
  QRandomGenerator random(seed);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = 0xFF000000u | (random.generate() & 0x00FFFFFFu);
  }
  return image;
}

bool writePhoto(const QString& path, const QImage& image) {
  return testpictures::write(path, image);
}

QSize sizeAndUnload(PictureRegistry& pictures, PictureHandle handle) {
  const QImage* picture = pictures.picture(handle);
  const QSize size = picture ? picture->size() : QSize();
  pictures.UnloadPicture(handle);
  return size;
}

bool hasInk(const QImage& image, const QRect& rect) {
  const QRect inside = rect.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (qGray(image.pixel(x, y)) < 160) return true;
  return false;
}

}  // namespace printtest
