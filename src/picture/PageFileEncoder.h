#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "picture/PictureFormat.h"

class QImage;

// The program's one image object: decodes, resamples, turns and encodes pictures.
// Photos are held upright by their EXIF orientation. Every operation returns false / empty on
// failure and never throws; lastError() says why. Pictures above kMaxPicturePixels
// (render/PictureLimits.h) are refused from their header. Saved files carry the resolution set, in
// every format; JPEG, PNG and TIFF files also carry the picture's colour profile, sRGB when
// it came with none.
class CxImage {
public:
  CxImage();
  ~CxImage();
  CxImage(const CxImage&) = delete;
  CxImage& operator=(const CxImage&) = delete;

  bool Load(const QString& fileName, PictureFormat format);
  bool Decode(const QByteArray& data, PictureFormat format);
  // Decodes so that the result is at least targetWidth × targetHeight where the
  // source allows, using shrink-on-load; the aspect is kept.
  bool LoadShrunk(const QString& fileName, PictureFormat format, int targetWidth, int targetHeight);

  // Holds a bitmap drawn by the program (a panel's snapshot) as Decode would hold its
  // BMP bytes, without encoding and decoding a page-sized picture on the way.
  bool TakeBitmap(const QImage& bitmap);
  // The picture held, as the bitmap drawing takes (null when none): what encoding it
  // and decoding the bytes would give, without a lossy round trip through a file format.
  QImage Bitmap() const;

  bool IsValid() const;
  // The format of the data last decoded, told from its content (Unknown when none or
  // another kind): lets a caller re-encode a picture in its own format when the file
  // name does not say it.
  PictureFormat SourceFormat() const;
  int Width() const;
  int Height() const;

  bool Resample(int newWidth, int newHeight, int mode = 0);  // bilinear
  bool RotateQuarter();
  void SetXDpi(int dpi);
  void SetYDpi(int dpi);
  // The resolution set, or read from the last picture decoded (0 when it had none).
  int XDpi() const;
  int YDpi() const;

  QByteArray Encode(PictureFormat format);
  bool Save(const QString& fileName, PictureFormat format);

  QString lastError() const;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
