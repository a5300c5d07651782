#include "render/PictureRegistry.h"

#include "picture/PictureReader.h"

QImage PictureRegistry::DecodePicture(const QString& fileName) {
  return ReadPicture(fileName).picture;
}

QImage PictureRegistry::DecodePicture(const QByteArray& data) {
  return ReadPicture(data).picture;
}

PictureHandle PictureRegistry::LoadPicture(const QString& fileName) {
  return Add(DecodePicture(fileName));
}

PictureHandle PictureRegistry::LoadPicture(const QByteArray& data) {
  return Add(DecodePicture(data));
}

PictureHandle PictureRegistry::Add(QImage image) {
  if (image.isNull()) return 0;
  // Handles are never reused within a run, so a stale handle can never reach a newer picture.
  if (nextHandle_ <= 0) nextHandle_ = 1;
  const PictureHandle handle = nextHandle_++;
  pictures_.emplace(handle, std::move(image));
  return handle;
}

void PictureRegistry::UnloadPicture(PictureHandle handle) {
  if (handle == 0) return;
  pictures_.remove(handle);
}

const QImage* PictureRegistry::picture(PictureHandle handle) const {
  if (handle == 0) return nullptr;
  auto it = pictures_.constFind(handle);
  return it == pictures_.constEnd() ? nullptr : &it.value();
}
