#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

#include "render/PictureRegistry.h"
#include "render/Surface.h"

// A surface that records what is drawn: text measures 10 units per character and
// 20 high, pictures measure their pixel size.
class RecordingSurface : public Surface {
public:
  explicit RecordingSurface(PictureRegistry& pictures) : pictures_(pictures) {}

  void setUnit(int code) override { unit_ = code; }
  int unit() const override { return unit_; }
  void setFont(const FontDescription& font) override { font_ = font; }
  FontDescription font() const override { return font_; }
  void WriteTextAt(int x, int y, const QString& text) override { texts.append({x, y, text}); }
  int TextWidth(const QString& text) override { return int(text.size()) * 10; }
  int TextHeight(const QString&) override { return 20; }
  int PictureWidth(PictureHandle picture) override {
    const QImage* image = pictures_.picture(picture);
    return image ? image->width() : 0;
  }
  int PictureHeight(PictureHandle picture) override {
    const QImage* image = pictures_.picture(picture);
    return image ? image->height() : 0;
  }
  void DrawPicture(PictureHandle picture, int x, int y, int width, int height) override {
    if (pictures_.picture(picture)) drawn.append(QRect(x, y, width, height));
  }

  struct Text {
    int x, y;
    QString text;
  };
  QList<QRect> drawn;
  QList<Text> texts;

private:
  PictureRegistry& pictures_;
  int unit_ = 0;
  FontDescription font_;
};
