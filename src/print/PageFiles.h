#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// Image-object format codes of picture files.
enum PictureFileFormat : int {
  FormatBmp = 1,
  FormatGif = 2,
  FormatJpeg = 3,
  FormatPng = 4,
  FormatTiff = 6,
  FormatUnknown = 100,
};

// Format code from a file name's extension: PNG 4, GIF 2, JPG 3, BMP 1 (ASCII case
// ignored); anything else, "jpeg" and "tif" included, 100.
int PictureFormatOfFile(const QString& fileName);

// pictureFormat 1 bmp, 2 jpg, 3 gif, 4 tiff, 5 png; any other value writes jpg.
QString PageFileExtension(int pictureFormat);
int PageFileFormatCode(int pictureFormat);

// folder/<yyyymmdd>_<hmmss>_<page><extension>, numbers without leading zeros, doubled
// separators collapsed; an empty folder means programFolder.
QString PageFileName(const QString& folder, const QDateTime& when, int page, int pictureFormat,
                     const QString& programFolder);

// pictureFormat of one PDF file per job instead of page pictures.
constexpr int kPdfPictureFormat = 6;

// folder/<yyyymmdd>_<hmmss>.pdf: a job's PDF is named like its page files, without a
// page number.
QString PdfFileName(const QString& folder, const QDateTime& when, const QString& programFolder);

// The name itself when nothing is there yet, otherwise "<base> (2)<ext>", "(3)", …:
// a page file never replaces an existing file.
QString UniqueFileName(const QString& fileName, const std::function<bool(const QString&)>& exists);
