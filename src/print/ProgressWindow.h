#pragma once

#include <QPoint>
#include <QWidget>
#include <memory>

class DrawPanel;
class PictureRegistry;
class PrinterObject;
class QLabel;
class QProgressBar;
class QPushButton;
struct SettingsSession;

// The small modeless window shown while pages are printed, written to files or
// previewed. Besides the progress it carries the two drawing resources of that work:
// the hidden page panel 画板_temp and the printer object 打印机1.
class ProgressWindow : public QWidget {
  Q_OBJECT
public:
  // The bar shows at most this many steps; later steps count as full.
  static constexpr int kMaxSteps = 32767;

  ProgressWindow(SettingsSession& session, PictureRegistry& pictures);
  ~ProgressWindow() override;

  // Range 0..count and position done, both capped at kMaxSteps.
  void setRange(int count);
  void setProgress(int done);

  DrawPanel& pagePanel() { return *pagePanel_; }
  PrinterObject& printer() { return *printer_; }
  QProgressBar& progressBar() { return *bar_; }

  // Hides the window and asks a running preview to stop; printing goes on unseen.
  void HideAndRequestStop();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  SettingsSession& session_;
  QProgressBar* bar_ = nullptr;
  QLabel* label_ = nullptr;
  QPushButton* hideButton_ = nullptr;
  DrawPanel* pagePanel_ = nullptr;
  std::unique_ptr<PrinterObject> printer_;
  // Dragging by the bar where the window system cannot move the window itself.
  bool dragging_ = false;
  QPoint dragStartGlobal_;
  QPoint dragStartWindow_;
};
