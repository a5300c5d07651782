#include "render/PictureRegistry.h"

#include "platform/MappedFile.h"
#include "render/PcxDecoder.h"
#include "render/PictureKind.h"
#include "render/QtPictureReader.h"
#include "render/VipsPictureReader.h"

namespace {

const char* qtFormatOf(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp:
      return "bmp";
    case PictureKind::Jpeg:
      return "jpeg";
    case PictureKind::Icon:
      return "ico";
    case PictureKind::Cursor:
      return "cur";
    case PictureKind::Gif:
      return "gif";
    default:
      return nullptr;
  }
}

QImage decodeByKind(const QByteArray& data) {
  if (readsWithVips(data)) return readPictureWithVips(data);
  const PictureKind kind = recognisePictureKind(data);
  switch (kind) {
    case PictureKind::Unsupported:
      return {};
    case PictureKind::Pcx8:
    case PictureKind::Pcx1:
      return decodePcx(data);
    default:
      return readPictureWithQt(data, qtFormatOf(kind));
  }
}

}  // namespace

QImage PictureRegistry::DecodePicture(const QString& fileName) {
  const MappedFile file(fileName);
  return DecodePicture(file.data());
}

QImage PictureRegistry::DecodePicture(const QByteArray& data) {
  if (data.isEmpty()) return {};
  return decodeByKind(data);
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
