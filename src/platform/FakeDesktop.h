#pragma once

#include "platform/Desktop.h"

// A desktop for tests: an in-memory clipboard, settable folders and volumes, and a
// wait cursor that only counts.
class FakeDesktop : public Desktop {
public:
  QString clipboardText() override { return clipboard; }
  void setClipboardText(const QString& text) override {
    clipboard = text;
    ++clipboardWrites;
  }
  QString desktopPath() override { return desktop; }
  QString documentsPath() override { return documents; }
  QList<Volume> volumes() override { return mountedVolumes; }
  void setWaitCursor(bool on) override {
    if (on) {
      ++waitDepth;
      ++waitCursorShown;
      if (waitDepth > maxWaitDepth) maxWaitDepth = waitDepth;
    } else if (waitDepth > 0) {
      --waitDepth;
    } else {
      ++unbalancedWaitOffs;
    }
  }

  QString clipboard;
  int clipboardWrites = 0;
  QString desktop;
  QString documents;
  QList<Volume> mountedVolumes;

  int waitDepth = 0;        // 0 when every "on" had its "off"
  int waitCursorShown = 0;  // how many times it was switched on
  int maxWaitDepth = 0;
  int unbalancedWaitOffs = 0;  // "off" calls with no cursor on
};
