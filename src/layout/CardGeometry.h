#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "model/CardLayout.h"
#include "model/PageSetup.h"
#include "model/PrintSettings.h"

// The card is one cell of the page, first sized to the real cell at one unit per
// 0.1 mm, then reduced to fit 168 × 200 pixels for display.
inline constexpr int kCardDisplayWidth = 168;
inline constexpr int kCardDisplayHeight = 200;

// The real cell in 0.1 mm. Each step of the sum goes through the card panel's size,
// which cannot go below 0. Empty when there is no cell to show: fewer than one row or
// column, or a side that comes out 0.
// `in` holds what the cell previews read from the window's boxes, each the integer of
// its text: paper and margins in mm, spacings in 0.1 mm.
std::optional<QSize> CellSizeInTenths(const PageSetup& in);

// Width ÷ height in single precision, as the display reduction compares it.
float CardAspect(QSize card);

// The card as displayed: 168 wide when the cell is wider than high, else 200 high.
// Never below one pixel a side, so fractions measured against it stay finite.
QSize DisplayCardSize(float aspect);

// An area rectangle on a card of the given size from its fractions. Fractions are
// single precision: a fraction captured from a whole pixel gives that pixel back.
QRect PlaceArea(const CardRect& fractions, QSize card);

// The fractions of an area rectangle on a card (worked out in double, kept as float).
CardRect CaptureArea(const QRect& area, QSize card);
CardLayout CaptureLayout(const QRect& photoArea, const QRect& textArea, QSize card);

// Height of the text band: trunc(line height × caption lines + 3).
int TextBandHeight(int lineHeight, int captionLines);

// The caption font size on the full-scale card: points to 0.1 mm, truncated.
int CardFontSize(int points);

// The default areas on the full-scale card: the photo fills the cell above a
// full-width text band of the given height at the bottom.
struct CardAreas {
  QRect photo;
  QRect text;
};
CardAreas DefaultCardAreas(QSize card, int textBandHeight);

// The lines of a caption (lines joined by CR LF).
QStringList CaptionLines(const QString& caption);

// Where a caption line starts in an area: left (x = 2), right, or (for any other
// value) centred.
int CaptionLineX(CaptionAlign align, int areaWidth, int lineWidth);
