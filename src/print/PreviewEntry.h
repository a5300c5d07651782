#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <functional>

#include "model/ColumnMap.h"
#include "model/PrintJob.h"
#include "settings/SettingsSession.h"

class Dialogs;

// The main window's 预览与设置: a sample of the table's first rows handed to the
// settings window, so the page and the cell layout can be tuned before printing.
namespace previewentry {

inline constexpr int kSampleEntries = 100;

// Where this entry starts looking every time, whatever a print run chose before:
// pictures in the second column, categories in the third, captions in the fourth.
ColumnMap DefaultColumns();

// Exactly kSampleEntries pictures and captions from the first rows (empty entries past
// the last row); "&f" in the header and footer stands for the first row's category.
// map holds 0-based picture and category columns and 1-based caption columns.
PrintJob BuildSampleJob(const QAbstractItemModel& table, const ColumnMap& map,
                        const QString& headerTemplate, const QString& footerTemplate);

// The click handler: detection, the picture-column and caption-columns input boxes,
// then the settings window with the sample job. Asks no confirmation, writes no status
// text and does not wait for a running search.
void RunPreviewEntry(const QAbstractItemModel& table, ColumnMap& map, Dialogs& dialogs,
                     SettingsSession& session, const QString& headerTemplate,
                     const QString& footerTemplate,
                     const std::function<void()>& showSettingsWindow);

}  // namespace previewentry
