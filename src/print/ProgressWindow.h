#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
struct SettingsSession;

// The small modeless window shown while pages are printed, written to files or
// previewed. It only shows progress and asks a preview to stop: the printer object or
// page panel a run draws on belongs to the run, so closing or destroying this window
// never takes anything from under a running page loop.
class ProgressWindow : public QWidget {
  Q_OBJECT
public:
  // The bar shows at most this many steps; later steps count as full.
  static constexpr int kMaxSteps = 32767;

  explicit ProgressWindow(SettingsSession& session);
  ~ProgressWindow() override;

  // Range 0..count and position done, both capped at kMaxSteps.
  void setRange(int count);
  void setProgress(int done);

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
  // Dragging by the bar where the window system cannot move the window itself.
  bool dragging_ = false;
  QPoint dragStartGlobal_;
  QPoint dragStartWindow_;
};
