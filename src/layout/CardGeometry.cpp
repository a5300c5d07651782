#include "layout/CardGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// The largest size a widget takes; the card panel holds every intermediate of the
// cell sum and so clamps it to this range.
constexpr std::int64_t kWidgetSizeMax = 16777215;

int AsPanelSize(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, 0, kWidgetSizeMax));
}

int CellSide(int paper, int marginA, int marginB, int count, int spacing) {
  int side = AsPanelSize((std::int64_t{paper} - marginA - marginB) * 10);
  side = AsPanelSize(side - (std::int64_t{count} - 1) * spacing);
  return side / count;
}

// trunc(fraction × size); the product is nudged by a few float steps so that a
// fraction stored from a whole pixel count truncates back to that count.
int ScaledFraction(float fraction, int size) {
  const double product = double{fraction} * size * (1.0 + 2.5e-7);
  const double limited = std::clamp(product, double{std::numeric_limits<int>::min()},
                                    double{std::numeric_limits<int>::max()});
  return static_cast<int>(std::trunc(limited));
}

float Ratio(int part, int whole) {
  return whole == 0 ? 0.0f : static_cast<float>(static_cast<double>(part) / whole);
}

}  // namespace

std::optional<QSize> CellSizeInTenths(const PageSetup& in) {
  if (in.columns < 1 || in.rows < 1) return std::nullopt;
  const int width =
      CellSide(in.paperWidth, in.marginLeft, in.marginRight, in.columns, in.columnSpacing);
  const int height =
      CellSide(in.paperHeight, in.marginTop, in.marginBottom, in.rows, in.rowSpacing);
  if (width <= 0 || height <= 0) return std::nullopt;
  return QSize(width, height);
}

float CardAspect(QSize card) {
  return card.height() == 0 ? 0.0f
                            : static_cast<float>(card.width()) / static_cast<float>(card.height());
}

QSize DisplayCardSize(float aspect) {
  if (aspect - 1.0f > 0.0000001f) {
    const int height = static_cast<int>(std::trunc(kCardDisplayWidth / double{aspect}));
    return QSize(kCardDisplayWidth, std::max(1, height));
  }
  const double width = std::trunc(double{aspect} * kCardDisplayHeight);
  return QSize(std::max(1, static_cast<int>(width)), kCardDisplayHeight);
}

QRect PlaceArea(const CardRect& fractions, QSize card) {
  return QRect(ScaledFraction(fractions.x, card.width()),
               ScaledFraction(fractions.y, card.height()),
               ScaledFraction(fractions.width, card.width()),
               ScaledFraction(fractions.height, card.height()));
}

CardRect CaptureArea(const QRect& area, QSize card) {
  return CardRect{Ratio(area.x(), card.width()), Ratio(area.y(), card.height()),
                  Ratio(area.width(), card.width()), Ratio(area.height(), card.height())};
}

CardLayout CaptureLayout(const QRect& photoArea, const QRect& textArea, QSize card) {
  return CardLayout{CaptureArea(photoArea, card), CaptureArea(textArea, card)};
}

int TextBandHeight(int lineHeight, int captionLines) {
  return static_cast<int>(std::trunc(static_cast<double>(lineHeight) * captionLines + 3));
}

int CardFontSize(int points) {
  return static_cast<int>(std::int64_t{points} * 254 / 72);
}

CardAreas DefaultCardAreas(QSize card, int textBandHeight) {
  const int band = std::max(0, textBandHeight);
  const int photoHeight = std::max(0, card.height() - band);
  return CardAreas{QRect(0, 0, card.width(), photoHeight),
                   QRect(0, card.height() - band, card.width(), band)};
}

QStringList CaptionLines(const QString& caption) {
  return caption.split(QStringLiteral("\r\n"));
}

int CaptionLineX(CaptionAlign align, int areaWidth, int lineWidth) {
  switch (align) {
    case CaptionAlign::Left:
      return 2;
    case CaptionAlign::Right:
      return areaWidth - lineWidth - 2;
    default:
      return (areaWidth - lineWidth) / 2;
  }
}
