#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

// What a picture is read for.
enum class PictureUse {
  Print,       // a printed cell or a page file: always the photo itself
  Preview,     // a cell of the page preview: the camera's EXIF thumbnail, or the first
               // scans of a progressive JPEG, stand in where they hold the pixels shown
  Sample,      // the cell editor's sample: the EXIF thumbnail stands in where it holds them
  View,        // the picture view window
  Background,  // a drawing panel's background picture
};

struct PictureRequest {
  PictureUse use = PictureUse::Print;
  // The size to deliver for the picture's upright size; the whole picture when unset,
  // empty, or not smaller in either direction.
  std::function<QSize(QSize upright)> sizeFor;
  // The pixels a Preview shows; a shortcut stands in only when it holds at least these
  // (when empty: the size delivered).
  QSize shownSize;
};

// A request for the picture at one size whatever its own (the whole picture when empty).
PictureRequest RequestAtSize(QSize size, PictureUse use = PictureUse::Print);

struct PictureResult {
  QImage picture;   // upright, 8-bit sRGB, exactly the size asked; its pixels its own
  QString refusal;  // why there is no picture
  bool ok() const { return !picture.isNull(); }
};

// The one route from a picture file to pixels, for every use. The kind is told from the
// bytes, never the name; the decoder its kind calls for reads it, shrinking while it
// decodes where it can (libjpeg's DCT scaling for JPEG; libvips for PNG, TIFF, WebP, HEIF
// and CMYK JPEG; Qt's readers for BMP, GIF, icons and cursors, and JPEGs libjpeg warns
// about; the program's own PCX decoder); the result is then resampled to the exact
// size, turned upright by its orientation and converted to sRGB by its embedded colour
// profile. A picture above the pixel limit, cut off or damaged is refused with a reason.
PictureResult ReadPicture(const QString& fileName, const PictureRequest& request = {});
// The same for a picture held in memory.
PictureResult ReadPicture(const QByteArray& data, const PictureRequest& request = {});

// The upright size from the header alone; invalid when unreadable or above the limit.
QSize ReadUprightPictureSize(const QByteArray& data);
QSize ReadUprightPictureSize(const QString& fileName);
