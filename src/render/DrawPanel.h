#pragma once

#include "render/Surface.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QWidget>

// A drawing surface with a persistent back image: what is drawn lands in the image
// (also while the panel is hidden) and the widget paints that image. Font points are
// taken at 96 dpi, as on the original screen.
class DrawPanel : public QWidget, public Surface {
  Q_OBJECT
public:
  explicit DrawPanel(PictureRegistry& pictures, QWidget* parent = nullptr);

  void setUnit(int code) override;
  int unit() const override;
  void setFont(const FontSpec& font) override;
  FontSpec font() const override;

  void WriteTextAt(int x, int y, const QString& text) override;
  int TextWidth(const QString& text) override;
  int TextHeight(const QString& text) override;
  int PictureWidth(PictureHandle picture) override;
  int PictureHeight(PictureHandle picture) override;
  void DrawPicture(PictureHandle picture, int x, int y, int width = -1, int height = -1) override;

  // Fills with the background colour and puts the write position top-left.
  void ClearPanel();
  void Write(const QString& text);
  void WriteLine(const QString& text);
  void WriteLine();
  // The back image as BMP bytes.
  QByteArray SnapshotPanel() const;

  // Background picture (encoded bytes; empty removes it). Mode 0: top-left at
  // natural size; mode 2: centred, shrunk proportionally when larger, never enlarged.
  void setBackgroundPicture(const QByteArray& encoded);
  void setBackgroundMode(int mode);
  void setAutoRedraw(bool on);

  // Left, top, width, height in pixels relative to the parent; resizes the back image.
  void moveResize(int left, int top, int width, int height);
  const QImage& backImage() const { return back_; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  PictureRegistry& pictures_;
  QImage back_;
  QImage background_;
  int backgroundMode_ = 0;
  bool autoRedraw_ = true;
  int unit_ = 0;
  FontSpec font_ = FontSpec::song9();
  QPoint writePos_;
};
