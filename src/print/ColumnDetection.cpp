#include "print/ColumnDetection.h"

#include <limits>

#include "platform/Dialogs.h"
#include "settings/TextNumbers.h"

namespace columns {

namespace {
// Column numbers come from the user unchecked; stepping them never overflows.
int Step(int value, int delta) {
  const long long result = static_cast<long long>(value) + delta;
  if (result > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (result < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(result);
}
}  // namespace

void ShiftColumns(ColumnMap& map, int delta) {
  map.pictureColumn = Step(map.pictureColumn, delta);
  map.categoryColumn = Step(map.categoryColumn, delta);
}

QString DetectColumns(const QStringList& titles, ColumnMap& map) {
  if (map.captionColumns.isEmpty()) map.captionColumns.append(QString());
  QString listing;
  for (int i = 0; i < titles.size(); ++i) {
    const QString& title = titles[i];
    if (title == kPictureTitle) {
      map.pictureColumn = i;
    } else if (title == kCaptionTitle) {
      map.captionColumns[0] = QString::number(i);
    } else if (title == kCategoryTitle) {
      map.categoryColumn = i;
    }
    listing += QString::number(i + 1) + u'_' + title + u' ';
  }
  return listing;
}

void ProposeOneBased(ColumnMap& map) {
  if (map.captionColumns.isEmpty()) map.captionColumns.append(QString());
  ShiftColumns(map, 1);
  map.captionColumns[0] = QString::number(Step(IntegerOfText(map.captionColumns[0]), 1));
}

QString CaptionColumnsPrompt(const QString& listing) {
  return listing + QStringLiteral("\r\n\r\n（你可以手工输入列号，以逗号分隔，为0不打印）");
}

void AskPictureColumn(Dialogs& dialogs, ColumnMap& map, const QString& caption) {
  int picture = map.pictureColumn;
  dialogs.inputInteger(
      QStringLiteral("系统认为‘图片位置’在第 %1 列，你也可以手工输入：").arg(picture), picture,
      caption);
  map.pictureColumn = picture;
}

QString AskCaptionColumns(Dialogs& dialogs, ColumnMap& map, const QString& listing,
                          int columnCount) {
  if (map.captionColumns.isEmpty()) map.captionColumns.append(QString());
  QString answer = map.captionColumns.first();
  if (dialogs.inputText(CaptionColumnsPrompt(listing), answer, kCaptionColumnsCaption)) {
    map.captionColumns = ParseCaptionColumns(answer, columnCount);
  }
  return answer;
}

QStringList ParseCaptionColumns(const QString& answer, int columnCount) {
  QString text = answer;
  text.replace(QStringLiteral("，"), QStringLiteral(","));
  if (text.isEmpty()) text = QStringLiteral("0");
  QStringList parts = text.split(u',');
  if (parts.size() > 1 && parts.last().isEmpty()) parts.removeLast();
  for (QString& part : parts) {
    if (IntegerOfText(part) > columnCount) part = QStringLiteral("0");
  }
  return parts;
}

QString CaptionOfRow(const std::function<QString(int column)>& cellOfRow,
                     const QStringList& captionColumns) {
  QString caption;
  for (int k = 0; k < captionColumns.size(); ++k) {
    const QString& entry = captionColumns[k];
    if (entry == u"0") continue;
    const int column = Step(IntegerOfText(entry), -1);
    if (k == 0) {
      caption = cellOfRow(column);
    } else {
      caption += QStringLiteral("\r\n") + cellOfRow(column);
    }
  }
  return caption;
}

}  // namespace columns
