#pragma once

#include <QPointer>

#include "collect/PictureViewWindow.h"

class PictureTableModel;

// Index of the leftmost column whose title contains "图片名全称" (letters compared
// without regard to case), or -1 when there is none.
int PictureColumn(const PictureTableModel& table);

// Keeps the one picture view window of the main window: opened on demand, destroyed
// when the user closes it, reopened by the next double-click.
class PictureViewer {
public:
  explicit PictureViewer(QWidget* owner) : owner_(owner) {}

  PictureViewWindow& Open();
  PictureViewWindow* window() const { return window_; }

private:
  QWidget* owner_;
  QPointer<PictureViewWindow> window_;
};

// The list view's double-click: shows the picture of the selected row, or an empty
// window when no row is selected or its file cannot be shown. A table without a
// picture column does nothing.
void ShowPicture(const PictureTableModel& table, PictureViewer& viewer);
