#pragma once

#include <QDateTime>
#include <QPoint>
#include <QString>

#include "model/PrintSettings.h"

class Surface;

// Replaces, in this order and ignoring case, &P page, &A total pages, &Y year,
// &M month, &D day, &H hour, &F minute, &S second; numbers without leading zeros.
QString FillHeaderFooterMacros(const QString& text, int page, int totalPages, const QDateTime& now);

// Top-left corner of a header or footer line of textWidth: left, right, or (for any
// other value) centred between the margins. A header sits headerFromTop below the
// page's top, a footer footerFromBottom above its bottom.
QPoint PlaceHeaderFooter(bool isHeader, HeaderAlign align, int textWidth, int pageWidth,
                         int pageHeight, int leftMargin, int rightMargin, int headerFromTop,
                         int footerFromBottom);

struct FilledHeaderFooter {
  QString text;
  int x = 0;
  int y = 0;
};

// Fills the template and places it, measuring with the surface's current font (the
// printer for printed pages, the page panel for picture files and the preview).
FilledHeaderFooter FillHeaderFooter(bool isHeader, Surface& surface, const QString& text, int page,
                                    int totalPages, int pageWidth, int pageHeight, int leftMargin,
                                    int rightMargin, int headerFromTop, int footerFromBottom,
                                    HeaderAlign align,
                                    const QDateTime& now = QDateTime::currentDateTime());
