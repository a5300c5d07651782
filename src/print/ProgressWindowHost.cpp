#include "print/ProgressWindowHost.h"

#include <QApplication>
#include <QWindow>

#include "print/ProgressWindow.h"

ProgressWindowHost::ProgressWindowHost(SettingsSession& session) : session_(session) {}

ProgressWindowHost::~ProgressWindowHost() = default;

ProgressWindow& ProgressWindowHost::Open() {
  if (!window_) window_ = std::make_unique<ProgressWindow>(session_);
  // A modal window blocks every window but those it is the transient parent of; as
  // its transient the progress window is also stacked above it by the window manager.
  QWidget* modal = QApplication::activeModalWidget();
  window_->winId();
  if (QWindow* handle = window_->windowHandle())
    handle->setTransientParent(modal && modal != window_.get() ? modal->windowHandle() : nullptr);
  window_->show();
  window_->raise();
  window_->activateWindow();
  // Painted before the work that follows keeps the event loop busy.
  QCoreApplication::processEvents();
  // Closed while it painted (its owner went away): the caller still gets a window, a
  // hidden one, and the work goes on unseen.
  if (!window_) window_ = std::make_unique<ProgressWindow>(session_);
  return *window_;
}

void ProgressWindowHost::Close() {
  if (!window_) return;
  window_->hide();
  window_.reset();
  QCoreApplication::processEvents();
}
