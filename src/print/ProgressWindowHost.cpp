#include "print/ProgressWindowHost.h"

#include <QCoreApplication>

#include "print/ProgressWindow.h"
#include "render/PrinterObject.h"

ProgressWindowHost::ProgressWindowHost(SettingsSession& session, PictureRegistry& pictures,
                                       DrawPanel** panelSlot, PrinterObject** printerSlot)
    : session_(session), pictures_(pictures), panelSlot_(panelSlot), printerSlot_(printerSlot) {}

ProgressWindowHost::~ProgressWindowHost() {
  window_.reset();
  publish();
}

ProgressWindow& ProgressWindowHost::Open() {
  if (!window_) {
    window_ = std::make_unique<ProgressWindow>(session_, pictures_);
    publish();
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
  // Painted before the work that follows keeps the event loop busy.
  QCoreApplication::processEvents();
  return *window_;
}

void ProgressWindowHost::Close() {
  if (!window_) return;
  window_->hide();
  window_.reset();
  publish();
  QCoreApplication::processEvents();
}

void ProgressWindowHost::publish() {
  if (panelSlot_) *panelSlot_ = window_ ? &window_->pagePanel() : nullptr;
  if (printerSlot_) *printerSlot_ = window_ ? &window_->printer() : nullptr;
}
