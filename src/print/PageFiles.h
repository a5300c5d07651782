#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

#include "model/PrintSettings.h"
#include "picture/PictureFormat.h"

// The format a file name's extension names: PNG, GIF, JPG or BMP (ASCII case ignored);
// anything else, "jpeg" and "tif" included, is Unknown.
PictureFormat PictureFormatOfFile(const QString& fileName);

// A page file's extension and the picture kind it is written in; Pdf, which
// is no page picture, gets jpg.
QString PageFileExtension(PageFileFormat format);
PictureFormat PageFilePictureFormat(PageFileFormat format);

// folder/<yyyymmdd>_<hmmss>_<page><extension>, numbers without leading zeros, doubled
// separators collapsed; an empty folder means programFolder.
QString PageFileName(const QString& folder, const QDateTime& when, int page, PageFileFormat format,
                     const QString& programFolder);

// folder/<yyyymmdd>_<hmmss>.pdf: a job's PDF is named like its page files, without a
// page number.
QString PdfFileName(const QString& folder, const QDateTime& when, const QString& programFolder);

// The name itself when nothing is there yet, otherwise "<base> (2)<ext>", "(3)", …:
// a page file never replaces an existing file.
QString UniqueFileName(const QString& fileName, const std::function<bool(const QString&)>& exists);
