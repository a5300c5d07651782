#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Reads a picture for showing with the decoder its kind calls for, the kind told from
// the bytes: PNG, TIFF, WebP, HEIF and CMYK JPEG through libvips
// (render/VipsPictureReader.h), everything else through Qt's readers (render/QtPictureReader.h).
// Upright, at most the pixel limit; `shownSize` as for those two.
QImage readPicture(const QByteArray& data, QSize shownSize = {});

// The upright size from the header alone; invalid when unreadable or above the limit.
QSize readUprightPictureSize(const QByteArray& data);
