#include "collect/ShowPicture.h"

#include "collect/PictureTableModel.h"
#include "collect/PictureViewWindow.h"

int PictureColumn(const PictureTableModel& table) {
  static const QString kTitle = QStringLiteral("图片名全称");
  for (int column = 0; column < table.ColumnCount(); ++column)
    if (table.ColumnTitle(column).contains(kTitle, Qt::CaseInsensitive)) return column;
  return -1;
}

PictureViewWindow& PictureViewer::Open() {
  if (!window_) window_ = new PictureViewWindow(owner_);
  window_->show();
  window_->raise();
  return *window_;
}

void ShowPicture(const PictureTableModel& table, PictureViewer& viewer) {
  const int column = PictureColumn(table);
  if (column < 0) return;
  viewer.Open().SetPicture(table.Cell(table.SelectedRow(), column));
}
