#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include "render/Surface.h"

// Where a panel's background picture goes: top-left at its own size, or centred and
// shrunk proportionally when larger than the panel (never enlarged).
enum class BackgroundPlacement { TopLeft, Centred };

// A drawing surface with a persistent back image: what is drawn lands in the image
// (also while the panel is hidden, so a hidden panel serves as a page of 2100 × 2970
// pixels) and the widget paints that image. Font points are taken at 96 dpi, as on
// the original screen; the panel's unit converts at 96 pixels per inch.
class DrawPanel : public QWidget, public Surface {
  Q_OBJECT
public:
  explicit DrawPanel(PictureRegistry& pictures, QWidget* parent = nullptr);

  void setUnit(int code) override;
  int unit() const override;
  void setFont(const FontDescription& font) override;
  FontDescription font() const override;

  void WriteTextAt(int x, int y, const QString& text) override;
  int TextWidth(const QString& text) override;
  int TextHeight(const QString& text) override;
  int PictureWidth(PictureHandle picture) override;
  int PictureHeight(PictureHandle picture) override;
  void DrawPicture(PictureHandle picture, int x, int y, int width = -1, int height = -1) override;

  // Fills with the background colour and puts the write position top-left.
  void ClearPanel();
  // Draws at the write position, which then stays on the line, after the text.
  void Write(const QString& text);
  // Draws at the write position, then moves down past the text (text height plus 2
  // device pixels per line) and back to the x where this line began.
  void WriteLine(const QString& text);
  // Moves down by the height of "W" plus 2 device pixels.
  void WriteLine();
  // The write position in the panel's unit.
  QPoint writePosition() const;
  void setWritePosition(int x, int y);

  // The persistent image (background colour, background picture and drawing) as
  // BMP bytes.
  QByteArray SnapshotPanel() const;

  // Background picture (encoded bytes of any common kind; empty or unreadable
  // removes it), placed as backgroundPlacement says.
  void setBackgroundPicture(const QByteArray& encoded);
  // The same for a picture file, read at the size it is shown at; a camera's thumbnail
  // stands in where it holds the pixels shown.
  void setBackgroundPictureFile(const QString& fileName);
  bool hasBackgroundPicture() const { return backgroundSize_.isValid(); }
  void setBackgroundPlacement(BackgroundPlacement placement);
  BackgroundPlacement backgroundPlacement() const { return backgroundPlacement_; }
  void setBackgroundColor(const QColor& colour);

  // Left, top, width, height in pixels relative to the parent; the back image follows
  // at once, even while the panel is hidden.
  void moveResize(int left, int top, int width, int height);

  // What the panel shows: background colour, background picture, then the drawing, laid
  // out as `format` (an opaque one).
  QImage backImage(QImage::Format format = QImage::Format_RGB32) const;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void syncBackSize();
  int toDevice(int value) const;
  int fromDevice(int pixels) const;
  QFont qfont() const;
  int lineHeightPixels() const;
  int emptyLinePixels() const;
  // Draws with the line rule at device pixels; returns the advance below the start.
  int drawText(QPoint at, const QString& text);

  PictureRegistry& pictures_;
  QImage back_;  // the drawing, transparent where nothing was drawn
  // The background picture is kept encoded and decoded at the size it is shown at:
  // a camera photo shown in a small panel never costs a full decode per paint.
  QByteArray backgroundData_;
  QString backgroundFile_;  // read from the file instead when set
  QSize backgroundSize_;    // upright, from the header; invalid when there is none
  mutable QImage backgroundShown_;
  mutable QSize backgroundShownAt_;
  QColor backgroundColour_ = Qt::white;
  BackgroundPlacement backgroundPlacement_ = BackgroundPlacement::TopLeft;
  int unit_ = 0;
  FontDescription font_ = FontDescription::song9();
  QPoint writePos_;  // device pixels
  int lineStartX_ = 0;
};
