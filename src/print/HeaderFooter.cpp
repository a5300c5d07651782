#include "print/HeaderFooter.h"

#include <cmath>

#include "render/Surface.h"

namespace {

struct Macro {
  char16_t letter;  // case-folded
  QString (*value)(const MacroValues&);
};

QString Number(int value) {
  return QString::number(value);
}

constexpr Macro kMacros[] = {
    {u'p', [](const MacroValues& v) { return Number(v.page); }},
    {u'a', [](const MacroValues& v) { return Number(v.totalPages); }},
    {u'f', [](const MacroValues& v) { return v.category; }},
    {u'y', [](const MacroValues& v) { return Number(v.now.date().year()); }},
    {u'm', [](const MacroValues& v) { return Number(v.now.date().month()); }},
    {u'd', [](const MacroValues& v) { return Number(v.now.date().day()); }},
    {u'h', [](const MacroValues& v) { return Number(v.now.time().hour()); }},
    {u's', [](const MacroValues& v) { return Number(v.now.time().second()); }},
};

const Macro* MacroOf(QChar letter) {
  const char16_t folded = letter.toCaseFolded().unicode();
  for (const Macro& macro : kMacros)
    if (macro.letter == folded) return &macro;
  return nullptr;
}

}  // namespace

MacroValues PageMacroValues(const JobMacros& job, int pageInJob, int pagesInJob,
                            const QDateTime& now) {
  return {job.firstPage + pageInJob - 1, job.totalPages > 0 ? job.totalPages : pagesInJob,
          job.category, now};
}

QString FillHeaderFooterMacros(const QString& text, const MacroValues& values) {
  QString filled;
  filled.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const Macro* macro = text[i] == u'&' && i + 1 < text.size() ? MacroOf(text[i + 1]) : nullptr;
    if (macro) {
      filled += macro->value(values);
      ++i;
    } else {
      filled += text[i];
    }
  }
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

FilledHeaderFooter FillHeaderFooter(bool isHeader, Surface& surface, const QString& text,
                                    const MacroValues& values, int pageWidth, int pageHeight,
                                    int leftMargin, int rightMargin, int headerFromTop,
                                    int footerFromBottom, HeaderAlign align) {
  FilledHeaderFooter filled;
  filled.text = FillHeaderFooterMacros(text, values);
  const QPoint at =
      PlaceHeaderFooter(isHeader, align, surface.TextWidth(filled.text), pageWidth, pageHeight,
                        leftMargin, rightMargin, headerFromTop, footerFromBottom);
  filled.x = at.x();
  filled.y = at.y();
  return filled;
}
