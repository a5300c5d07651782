#include "render/PictureReader.h"

#include "render/QtPictureReader.h"
#include "render/VipsPictureReader.h"

QImage readPicture(const QByteArray& data, QSize shownSize) {
  if (readsWithVips(data)) return readPictureWithVips(data, shownSize);
  return readPictureWithQt(data, nullptr, shownSize);
}

QSize readUprightPictureSize(const QByteArray& data) {
  if (readsWithVips(data)) return readVipsPictureSize(data);
  return readPictureSize(data);
}
