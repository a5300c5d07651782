#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The small picture a camera embeds in a JPEG's EXIF block, made ready to stand in for
// the photo where it is drawn no larger than the thumbnail: turned upright by the
// photo's own orientation, black padding bars cropped. Only the file's header is read
// (the EXIF block, the frame header and the last two bytes), never its image data.
struct EmbeddedThumbnail {
  QSize photoSize;        // the photo's upright size from its frame header; invalid if unreadable
  QImage picture;         // upright; null when there is none, or none that shows the whole photo
  QByteArray iccProfile;  // the photo's own colour profile, which the thumbnail shares
  qint64 bytesRead = 0;

  // Whether the thumbnail holds at least size pixels in both directions.
  bool covers(QSize size) const {
    return !picture.isNull() && picture.width() >= size.width() &&
           picture.height() >= size.height();
  }
};

EmbeddedThumbnail ReadEmbeddedThumbnail(const QString& fileName);

// The part of a thumbnail that shows a photo of photoSize (both as stored): the whole
// thumbnail when its aspect is within 1 % of the photo's, the band between black bars
// when the camera padded it, null otherwise.
QImage WithoutPadding(const QImage& thumbnail, QSize photoSize);
