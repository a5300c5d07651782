#include "print/PageFiles.h"

#include <QDir>
#include <QFileInfo>

PictureFormat PictureFormatOfFile(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return PictureFormat::Unknown;
  const QString extension = fileName.mid(dot + 1).toUpper();
  if (extension == QLatin1String("PNG")) return PictureFormat::Png;
  if (extension == QLatin1String("GIF")) return PictureFormat::Gif;
  if (extension == QLatin1String("JPG")) return PictureFormat::Jpeg;
  if (extension == QLatin1String("BMP")) return PictureFormat::Bmp;
  return PictureFormat::Unknown;
}

QString PageFileExtension(PageFileFormat format) {
  switch (format) {
    case PageFileFormat::Bmp:
      return QStringLiteral(".bmp");
    case PageFileFormat::Gif:
      return QStringLiteral(".gif");
    case PageFileFormat::Tiff:
      return QStringLiteral(".tiff");
    case PageFileFormat::Png:
      return QStringLiteral(".png");
    case PageFileFormat::Jpg:
    case PageFileFormat::Pdf:
      break;
  }
  return QStringLiteral(".jpg");
}

PictureFormat PageFilePictureFormat(PageFileFormat format) {
  switch (format) {
    case PageFileFormat::Bmp:
      return PictureFormat::Bmp;
    case PageFileFormat::Gif:
      return PictureFormat::Gif;
    case PageFileFormat::Tiff:
      return PictureFormat::Tiff;
    case PageFileFormat::Png:
      return PictureFormat::Png;
    case PageFileFormat::Jpg:
    case PageFileFormat::Pdf:
      break;
  }
  return PictureFormat::Jpeg;
}

namespace {

// Doubled separators become one; the leading pair of a network folder is kept.
QString collapseSeparators(QString path, bool network) {
  while (path.contains(QLatin1String("//"))) path.replace(QLatin1String("//"), QLatin1String("/"));
  if (network) path.prepend(QLatin1Char('/'));
  return path;
}

}  // namespace

namespace {

// folder/<yyyymmdd>_<hmmss><rest>, doubled separators collapsed.
QString datedFileName(const QString& folder, const QDateTime& when, const QString& rest,
                      const QString& programFolder) {
  const QDate date = when.date();
  const QTime time = when.time();
  const int dateNumber = date.year() * 10000 + date.month() * 100 + date.day();
  const int timeNumber = time.hour() * 10000 + time.minute() * 100 + time.second();
  const QString base = QDir::fromNativeSeparators(folder.isEmpty() ? programFolder : folder);
  const bool network = base.startsWith(QLatin1String("//")) && base.size() > 2;
  const QString name = base + QLatin1Char('/') + QString::number(dateNumber) + QLatin1Char('_') +
                       QString::number(timeNumber) + rest;
  return collapseSeparators(name, network);
}

}  // namespace

QString PageFileName(const QString& folder, const QDateTime& when, int page, PageFileFormat format,
                     const QString& programFolder) {
  return datedFileName(folder, when,
                       QLatin1Char('_') + QString::number(page) + PageFileExtension(format),
                       programFolder);
}

QString PdfFileName(const QString& folder, const QDateTime& when, const QString& programFolder) {
  return datedFileName(folder, when, QStringLiteral(".pdf"), programFolder);
}

QString UniqueFileName(const QString& fileName, const std::function<bool(const QString&)>& exists) {
  if (!exists(fileName)) return fileName;
  const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
  qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  if (dot <= slash) dot = fileName.size();
  const QString stem = fileName.left(dot);
  const QString extension = fileName.mid(dot);
  for (int copy = 2;; ++copy) {
    QString candidate = stem + QStringLiteral(" (%1)").arg(copy) + extension;
    if (!exists(candidate)) return candidate;
  }
}
