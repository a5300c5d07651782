#include "PrintTestPictures.h"

#include <QFileInfo>
#include <QPainter>
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

bool writeCameraPhoto(const QString& path, int width, int height, int orientation,
                      const QImage& thumbnail, bool progressive) {
  QImage photo = noisyPhoto(width, height);
  QPainter painter(&photo);
  painter.setOpacity(0.75);
  painter.fillRect(0, 0, width / 2, height, Qt::red);
  painter.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
  painter.end();
  const QByteArray stream =
      thumbnail.isNull() ? QByteArray() : testpictures::encode(thumbnail, ".jpg");
  return testpictures::writeFile(
      path,
      testpictures::withApp1(testpictures::encode(photo, progressive ? ".jpg[interlace]" : ".jpg"),
                             testpictures::exifBlock(orientation, stream)));
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
