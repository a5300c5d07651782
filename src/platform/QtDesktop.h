#pragma once

#include "platform/Desktop.h"

// The desktop session as Qt sees it: the system clipboard, the standard folders,
// the mounted volumes and the application's override cursor.
class QtDesktop : public Desktop {
public:
  QtDesktop() = default;
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;
  // Gives back any wait cursor still on, so a cursor never outlives its owner.
  ~QtDesktop() override;

  QString clipboardText() override;
  void setClipboardText(const QString& text) override;
  QString desktopPath() override;
  QString documentsPath() override;
  QList<Volume> volumes() override;
  void setWaitCursor(bool on) override;

private:
  int waitDepth_ = 0;
};
