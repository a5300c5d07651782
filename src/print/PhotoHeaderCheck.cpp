#include "print/PhotoHeaderCheck.h"

#include <QFile>

#include "picture/ExifThumbnail.h"
#include "picture/JpegHeader.h"
#include "picture/Orientation.h"
#include "picture/PictureKind.h"
#include "picture/PictureLimits.h"
#include "picture/PictureReader.h"
#include "picture/PictureStructure.h"
#include "platform/MappedFile.h"
#include "platform/Paths.h"

namespace {

// Enough of a file's start to tell its kind, as the picture route reads it.
constexpr qint64 kKindHeadBytes = 4096;
// Stray bytes between segments the picture route forgives.
constexpr int kStrayBytesForgiven = 16;

using Verdict = PhotoHeaderFacts::Verdict;

PhotoHeaderFacts notPrintable(Verdict verdict, const QString& reason) {
  return {verdict, QSize(), reason};
}

QString tooLarge(QSize size) {
  return QStringLiteral("照片有 %1 × %2 像素，超过了 1 亿像素的上限")
      .arg(size.width())
      .arg(size.height());
}

PhotoHeaderFacts jpegFacts(QFile& file, const QString& fileName) {
  const JpegHeader header = ReadJpegHeader(file);
  if (!header.valid)
    return notPrintable(Verdict::Unreadable, QStringLiteral("照片已损坏，读不出它的大小"));
  const QSize stored = header.storedSize;
  if (!pictureSizeAllowed(stored.width(), stored.height()))
    return notPrintable(Verdict::Refused, tooLarge(stored));
  // Most photos end in the end marker; the few with a trailer after it are walked
  // through as the picture route walks them.
  if (!EndsWithEndMarker(file) && !jpegIsComplete(MappedFile(fileName).data(), kStrayBytesForgiven))
    return notPrintable(Verdict::Unreadable, QStringLiteral("照片文件不完整，后面一部分没有了"));
  const int orientation = ParseExifThumbnail(header.exif).orientation;
  return {Verdict::Printable, UprightSize(stored, orientation), QString()};
}

}  // namespace

PhotoHeaderFacts ReadPhotoHeaderFacts(const QString& fileName) {
  if (fileName.isEmpty()) return notPrintable(Verdict::Missing, QStringLiteral("没有照片文件名"));
  if (!IsRegularFile(fileName))
    return notPrintable(Verdict::Missing, QStringLiteral("找不到照片文件"));
  QFile file;
  if (!OpenForReading(file, fileName))
    return notPrintable(Verdict::Unreadable, QStringLiteral("照片文件打不开"));
  const PictureKind kind = recognisePictureKind(file.peek(kKindHeadBytes));
  if (kind == PictureKind::Unsupported)
    return notPrintable(Verdict::Refused, QStringLiteral("不是本程序能读的图片格式"));
  if (kind == PictureKind::Jpeg) return jpegFacts(file, fileName);
  file.close();
  const QSize upright = ReadUprightPictureSize(fileName);
  if (!upright.isValid())
    return notPrintable(Verdict::Unreadable,
                        QStringLiteral("照片已损坏、不完整或超过了 1 亿像素的上限"));
  return {Verdict::Printable, upright, QString()};
}
