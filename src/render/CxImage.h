#pragma once

#include <QByteArray>
#include <QString>

class QImage;

#include <memory>

// The program's one image object: decodes, resamples, turns and encodes pictures.
// Format codes: 1 BMP, 2 GIF, 3 JPEG, 4 PNG, 6 TIFF. Photos are held upright by their
// EXIF orientation. Every operation returns false / empty on failure and never throws;
// lastError() says why. Pictures above kMaxPicturePixels (render/PictureLimits.h) are
// refused from their header. Saved files carry the resolution set, in every format.
class CxImage {
public:
  enum Format : int { Bmp = 1, Gif = 2, Jpeg = 3, Png = 4, Tiff = 6 };

  CxImage();
  ~CxImage();
  CxImage(const CxImage&) = delete;
  CxImage& operator=(const CxImage&) = delete;

  bool Load(const QString& fileName, int format);
  bool Decode(const QByteArray& data, int format);
  // Decodes so that the result is at least targetWidth × targetHeight where the
  // source allows, using shrink-on-load; the aspect is kept.
  bool LoadShrunk(const QString& fileName, int format, int targetWidth, int targetHeight);

  // Holds a bitmap drawn by the program (a panel's snapshot) as Decode would hold its
  // BMP bytes, without encoding and decoding a page-sized picture on the way.
  bool TakeBitmap(const QImage& bitmap);

  bool IsValid() const;
  // The format code of the data last decoded, told from its content (0 when none or
  // another kind): lets a caller re-encode a picture in its own format when the file
  // name does not say it.
  int SourceFormat() const;
  int Width() const;
  int Height() const;

  bool Resample(int newWidth, int newHeight, int mode = 0);  // bilinear
  bool RotateQuarter();
  void SetXDpi(int dpi);
  void SetYDpi(int dpi);
  // The resolution set, or read from the last picture decoded (0 when it had none).
  int XDpi() const;
  int YDpi() const;

  QByteArray Encode(int format);
  bool Save(const QString& fileName, int format);

  QString lastError() const;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
