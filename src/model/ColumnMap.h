#pragma once

#include <QStringList>

// Which table columns hold the picture path, the category and the caption lines.
// 1-based while the user is asked, 0-based once confirmed; captionColumns holds
// 1-based column numbers as texts, "0" meaning nothing is printed for that line.
struct ColumnMap {
  int pictureColumn = 0;
  int categoryColumn = 0;
  QStringList captionColumns;
};
