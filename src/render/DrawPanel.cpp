#include "render/DrawPanel.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "picture/PictureReader.h"
#include "render/FontMapping.h"
#include "render/TextLines.h"
#include "render/Units.h"

namespace {

constexpr double kScreenDpi = 96.0;
constexpr int kLineGap = 2;  // device pixels between lines

// Where the background picture goes: centred, it shrinks by the smaller of the two
// ratios when it is larger than the panel.
QRect backgroundRect(QSize picture, QSize panel, BackgroundPlacement placement) {
  if (placement == BackgroundPlacement::TopLeft) return QRect(QPoint(0, 0), picture);
  QSize shown = picture;
  if (picture.width() > panel.width() || picture.height() > panel.height())
    shown = picture.scaled(panel, Qt::KeepAspectRatio);
  return QRect(QPoint((panel.width() - shown.width()) / 2, (panel.height() - shown.height()) / 2),
               shown);
}

}  // namespace

DrawPanel::DrawPanel(PictureRegistry& pictures, QWidget* parent)
    : QWidget(parent), pictures_(pictures) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  syncBackSize();
}

void DrawPanel::setUnit(int code) {
  unit_ = units::clamp(code);
}
int DrawPanel::unit() const {
  return unit_;
}
void DrawPanel::setFont(const FontDescription& font) {
  font_ = font;
}
FontDescription DrawPanel::font() const {
  return font_;
}

int DrawPanel::toDevice(int value) const {
  return static_cast<int>(std::trunc(units::toPixels(value, kScreenDpi, unit_)));
}
int DrawPanel::fromDevice(int pixels) const {
  return static_cast<int>(std::trunc(units::fromPixels(pixels, kScreenDpi, unit_)));
}

QFont DrawPanel::qfont() const {
  return makeFont(font_, screenFontPixels(font_.size));
}
int DrawPanel::lineHeightPixels() const {
  return textCellOf(qfont()).height;
}
// The height of "W" as the text extent gives it: the font's character cell.
int DrawPanel::emptyLinePixels() const {
  return lineHeightPixels();
}

// A hidden widget gets its resize event only when shown; the back image follows the
// geometry before every use instead.
void DrawPanel::syncBackSize() {
  const QSize wanted(std::max(1, width()), std::max(1, height()));
  if (back_.size() == wanted) return;
  QImage grown(wanted, QImage::Format_ARGB32_Premultiplied);
  grown.fill(Qt::transparent);
  if (!back_.isNull()) {
    QPainter p(&grown);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, back_);
  }
  back_ = std::move(grown);
}

int DrawPanel::drawText(QPoint at, const QString& text) {
  syncBackSize();
  const QFont f = qfont();
  const TextCell cell = textCellOf(f);
  const TextLayout layout = layoutTextLines(text, cell.height, cell.height, kLineGap);
  QPainter p(&back_);
  p.setFont(f);
  p.setPen(Qt::black);
  for (const TextPiece& piece : layout.pieces)
    p.drawText(at.x(), at.y() + piece.offsetY + cell.baseline, piece.text);
  p.end();
  update();
  return layout.advance;
}

void DrawPanel::WriteTextAt(int x, int y, const QString& text) {
  drawText({toDevice(x), toDevice(y)}, text);
}

int DrawPanel::TextWidth(const QString& text) {
  const QFontMetrics metrics(qfont());
  int widest = 0;
  for (const QString& piece : splitTextLines(text))
    widest = std::max(widest, metrics.horizontalAdvance(piece));
  return fromDevice(widest);
}

// The height of one line of the font, its character cell, whatever the text.
int DrawPanel::TextHeight(const QString&) {
  return fromDevice(lineHeightPixels());
}

int DrawPanel::PictureWidth(PictureHandle picture) {
  const QImage* image = pictures_.picture(picture);
  return image ? fromDevice(image->width()) : 0;
}

int DrawPanel::PictureHeight(PictureHandle picture) {
  const QImage* image = pictures_.picture(picture);
  return image ? fromDevice(image->height()) : 0;
}

void DrawPanel::DrawPicture(PictureHandle picture, int x, int y, int width, int height) {
  const QImage* image = pictures_.picture(picture);
  if (!image) return;
  syncBackSize();
  const int w = width < 0 ? image->width() : toDevice(width);
  const int h = height < 0 ? image->height() : toDevice(height);
  if (w == 0 || h == 0) return;
  QPainter p(&back_);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRect(toDevice(x), toDevice(y), w, h), *image);
  p.end();
  update();
}

void DrawPanel::ClearPanel() {
  syncBackSize();
  back_.fill(Qt::transparent);
  writePos_ = {0, 0};
  lineStartX_ = 0;
  update();
}

void DrawPanel::Write(const QString& text) {
  drawText(writePos_, text);
  const QStringList pieces = splitTextLines(text);
  writePos_.rx() +=
      QFontMetrics(qfont()).horizontalAdvance(pieces.isEmpty() ? QString() : pieces.last());
}

void DrawPanel::WriteLine(const QString& text) {
  const int advance = drawText(writePos_, text);
  writePos_ = {lineStartX_,
               writePos_.y() + (text.isEmpty() ? emptyLinePixels() + kLineGap : advance)};
}

void DrawPanel::WriteLine() {
  WriteLine(QString());
}

QPoint DrawPanel::writePosition() const {
  return {fromDevice(writePos_.x()), fromDevice(writePos_.y())};
}

void DrawPanel::setWritePosition(int x, int y) {
  writePos_ = {toDevice(x), toDevice(y)};
  lineStartX_ = writePos_.x();
}

QImage DrawPanel::backImage(QImage::Format format) const {
  const QSize size(std::max(1, width()), std::max(1, height()));
  QImage shown(size, format);
  shown.fill(backgroundColour_);
  QPainter p(&shown);
  if (backgroundSize_.isValid()) {
    const QRect at = backgroundRect(backgroundSize_, size, backgroundPlacement_);
    if (backgroundShownAt_ != at.size()) {
      const PictureRequest request = RequestAtSize(
          at.size(), backgroundFile_.isEmpty() ? PictureUse::Background : PictureUse::Sample);
      backgroundShown_ = backgroundFile_.isEmpty() ? ReadPicture(backgroundData_, request).picture
                                                   : ReadPicture(backgroundFile_, request).picture;
      backgroundShownAt_ = at.size();
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(at, backgroundShown_);
  }
  p.drawImage(0, 0, back_);
  return shown;
}

QByteArray DrawPanel::SnapshotPanel() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  backImage().save(&buffer, "BMP");
  return bytes;
}

void DrawPanel::setBackgroundPicture(const QByteArray& encoded) {
  backgroundSize_ = ReadUprightPictureSize(encoded);
  backgroundData_ = backgroundSize_.isValid() ? encoded : QByteArray();
  backgroundFile_.clear();
  backgroundShown_ = QImage();
  backgroundShownAt_ = QSize();
  update();
}

void DrawPanel::setBackgroundPictureFile(const QString& fileName) {
  backgroundSize_ = ReadUprightPictureSize(fileName);
  backgroundData_.clear();
  backgroundFile_ = backgroundSize_.isValid() ? fileName : QString();
  backgroundShown_ = QImage();
  backgroundShownAt_ = QSize();
  update();
}

void DrawPanel::setBackgroundPlacement(BackgroundPlacement placement) {
  backgroundPlacement_ = placement;
  update();
}

void DrawPanel::setBackgroundColor(const QColor& colour) {
  backgroundColour_ = colour;
  update();
}

void DrawPanel::moveResize(int left, int top, int width, int height) {
  setGeometry(left, top, std::max(0, width), std::max(0, height));
  syncBackSize();
}

void DrawPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, backImage());
}

void DrawPanel::resizeEvent(QResizeEvent* event) {
  syncBackSize();
  QWidget::resizeEvent(event);
}
