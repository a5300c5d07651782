#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

// Pictures for tests, made at run time. A test picture is split in two halves, the
// left one `left` and the right one `right`, so a turn or a mirror shows in its pixels.
namespace testpictures {

QImage twoHalves(int width, int height, QColor left = Qt::red, QColor right = Qt::blue);

// Encodes by the extension: ".jpg", ".png", ".gif", ".tif", ".bmp", ".webp", ".heic",
// ".avif". An orientation (1..8) may be written: in EXIF for JPEG, PNG, TIFF and WebP,
// in HEIF's own transform boxes for HEIC and AVIF; 0 writes none. A colour profile, when
// not empty, is embedded as it is (the pixels are taken to be in its space already); BMP
// carries none. Empty on failure.
QByteArray encode(const QImage& image, const QString& extension, int exifOrientation = 0,
                  const QByteArray& iccProfile = {});

// A 16-bit RGB TIFF of the image's colours.
QByteArray sixteenBitTiff(const QImage& image);

// A CMYK JPEG of the image's colours, converted with libvips' standard press profile.
QByteArray cmykJpeg(const QImage& image);

// Writes `encode(...)` to the file; false on failure.
bool write(const QString& path, const QImage& image, int exifOrientation = 0);

// A copy of JPEG data whose frame header claims width × height pixels; the pixel
// data stay as they were.
QByteArray withClaimedJpegSize(const QByteArray& jpeg, int width, int height);

// The payload of an EXIF APP1 segment as cameras write it: "Exif\0\0", a TIFF header
// in the byte order asked, IFD0 with the orientation (none for 0) and, when thumbnail
// is not empty, IFD1 pointing at that JPEG stream, which follows the directories.
QByteArray exifBlock(int orientation, const QByteArray& thumbnail, bool bigEndian = false);

// JPEG data with an APP1 segment holding payload placed right after its start marker.
QByteArray withApp1(const QByteArray& jpeg, const QByteArray& payload);

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

}  // namespace testpictures
