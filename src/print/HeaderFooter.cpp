#include "print/HeaderFooter.h"

#include <cmath>
#include <utility>

#include "render/Surface.h"

QString FillHeaderFooterMacros(const QString& text, int page, int totalPages,
                               const QDateTime& now) {
  const QDate date = now.date();
  const QTime time = now.time();
  const std::pair<const char*, int> macros[] = {
      {"&P", page},       {"&A", totalPages},  {"&Y", date.year()},   {"&M", date.month()},
      {"&D", date.day()}, {"&H", time.hour()}, {"&F", time.minute()}, {"&S", time.second()},
  };
  QString filled = text;
  for (const auto& [macro, value] : macros)
    filled.replace(QLatin1String(macro), QString::number(value), Qt::CaseInsensitive);
  return filled;
}

QPoint PlaceHeaderFooter(bool isHeader, HeaderAlign align, int textWidth, int pageWidth,
                         int pageHeight, int leftMargin, int rightMargin, int headerFromTop,
                         int footerFromBottom) {
  const int y = isHeader ? headerFromTop : pageHeight - footerFromBottom;
  double x = 0;
  if (align == HeaderAlign::Left)
    x = leftMargin;
  else if (align == HeaderAlign::Right)
    x = double(pageWidth) - rightMargin - textWidth;
  else
    x = leftMargin + (double(pageWidth) - leftMargin - rightMargin - textWidth) / 2;
  return {static_cast<int>(std::trunc(x)), y};
}

FilledHeaderFooter FillHeaderFooter(bool isHeader, Surface& surface, const QString& text, int page,
                                    int totalPages, int pageWidth, int pageHeight, int leftMargin,
                                    int rightMargin, int headerFromTop, int footerFromBottom,
                                    HeaderAlign align, const QDateTime& now) {
  FilledHeaderFooter filled;
  filled.text = FillHeaderFooterMacros(text, page, totalPages, now);
  const QPoint at =
      PlaceHeaderFooter(isHeader, align, surface.TextWidth(filled.text), pageWidth, pageHeight,
                        leftMargin, rightMargin, headerFromTop, footerFromBottom);
  filled.x = at.x();
  filled.y = at.y();
  return filled;
}
