#include "print/PreviewEntry.h"

#include "print/ColumnDetection.h"
#include "print/JobDriver.h"
#include "print/TableText.h"

namespace previewentry {

ColumnMap DefaultColumns() {
  ColumnMap map;
  map.pictureColumn = 1;
  map.categoryColumn = 2;
  map.captionColumns = {QStringLiteral("3")};
  return map;
}

PrintJob BuildSampleJob(const QAbstractItemModel& table, const ColumnMap& map,
                        const QString& headerTemplate, const QString& footerTemplate) {
  PrintJob job;
  job.pictures.reserve(kSampleEntries);
  job.captions.reserve(kSampleEntries);
  const int rows = tabletext::RowCount(table);
  for (int r = 0; r < kSampleEntries; ++r) {
    if (r < rows) {
      job.pictures.append(tabletext::Cell(table, r, map.pictureColumn));
      job.captions.append(columns::CaptionOfRow(
          [&](int column) { return tabletext::Cell(table, r, column); }, map.captionColumns));
    } else {
      job.pictures.append(QString());
      job.captions.append(QString());
    }
  }
  job.headerText = headerTemplate;
  job.footerText = footerTemplate;
  job.macros.category = tabletext::Cell(table, 0, map.categoryColumn);
  return job;
}

void RunPreviewEntry(const QAbstractItemModel& table, ColumnMap& map, Dialogs& dialogs,
                     SettingsSession& session, const QString& headerTemplate,
                     const QString& footerTemplate,
                     const std::function<void()>& showSettingsWindow) {
  map = DefaultColumns();
  const QString listing = columns::DetectColumns(tabletext::ColumnTitles(table), map);
  columns::ProposeOneBased(map);

  columns::AskPictureColumn(dialogs, map, QStringLiteral("请输入图片位置所在的列！"));
  columns::AskCaptionColumns(dialogs, map, listing, tabletext::ColumnCount(table));
  columns::ShiftColumns(map, -1);

  OpenSettingsForJob(session, showSettingsWindow,
                     BuildSampleJob(table, map, headerTemplate, footerTemplate));
}

}  // namespace previewentry
