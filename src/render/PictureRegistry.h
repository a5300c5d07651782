#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

// 0 means no picture.
using PictureHandle = int;

// The live loaded pictures of the run. A handle stays valid until UnloadPicture;
// both drawing surfaces resolve handles here.
class PictureRegistry {
public:
  // 0 when the data is empty, unreadable or of a kind the surfaces do not draw
  // (recognised from the first bytes, never from the file name).
  PictureHandle LoadPicture(const QString& fileName);
  PictureHandle LoadPicture(const QByteArray& data);

  // The decoding step of LoadPicture alone, safe on any thread: a null image where
  // LoadPicture gives 0. Add registers what it gives; 0 for a null image.
  static QImage DecodePicture(const QString& fileName);
  static QImage DecodePicture(const QByteArray& data);
  PictureHandle Add(QImage image);

  // 0 and handles no longer live are ignored.
  void UnloadPicture(PictureHandle handle);

  // nullptr for 0 or a handle that is not live.
  const QImage* picture(PictureHandle handle) const;
  int liveCount() const { return static_cast<int>(pictures_.size()); }

private:
  QHash<PictureHandle, QImage> pictures_;
  PictureHandle nextHandle_ = 1;
};
