#pragma once

#include <QAbstractItemModel>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "model/ColumnMap.h"
#include "model/PrintJob.h"
#include "model/PrintSettings.h"
#include "print/JobOutput.h"
#include "print/JobPlanning.h"
#include "print/OutputDispatch.h"
#include "settings/SettingsSession.h"

class Dialogs;

namespace printtext {
inline const QString kInitialising = QStringLiteral("打印程序正在初始化....");
inline const QString kPrinting = QStringLiteral("正在打印，请稍候....");
inline const QString kFinished = QStringLiteral("打印完毕！");
inline const QString kInterrupted = QStringLiteral("用户中断打印。");
inline const QString kStartFailed = QStringLiteral("打印失败：打印机无法开始打印作业。");
inline const QString kTooEarlyText = QStringLiteral("搜索还未完成，此时打印是不是太早了点？");
inline const QString kTooEarlyCaption = QStringLiteral("你性子太急了！");
inline const QString kContinueText = QStringLiteral("将要进行新的打印作业，要继续吗？");
inline const QString kContinueCaption = QStringLiteral("提示2秒后默认继续工作。");
inline const int kContinueTimeoutMs = 2000;
// Added to the closing text when photos could not be drawn.
inline QString EmptyCellsText(int cells) {
  return QStringLiteral("有 %1 个格子的照片找不到或读不出，留空了。").arg(cells);
}
inline const QString kFolderPrompt = QStringLiteral("请选择要保存的文件夹，文件名电脑自动起：");
inline const QString kConfirmCaption = QStringLiteral("你确定你刚才的输入吗？");
}  // namespace printtext

// What the job driver reaches outside the print engine: the main window's status bar
// and header/footer boxes, the settings window and the output of a job.
struct JobDriverPorts {
  std::function<void(const QString&)> setStatusText;
  std::function<QString()> headerTemplate;  // read afresh for every job
  std::function<QString()> footerTemplate;
  std::function<bool()> printByCategory;  // 选择框_按文件夹分类
  std::function<bool()> searchDone;       // false while a picture search is running
  // Shows the settings window modally and returns when it has closed; the window
  // writes PrintSettings and sets `confirmed` when the user presses 准备打印.
  std::function<void()> showSettingsWindow;
  // Runs the output's page loop (RunJobOutput).
  std::function<JobOutputReport(const JobOutput&)> sendToOutput;
};

// Stores the job (when given) as the last job, shows the settings window modally and
// returns a copy of the settings as they stand when it has closed.
PrintSettings OpenSettingsForJob(SettingsSession& session,
                                 const std::function<void()>& showSettingsWindow,
                                 const std::optional<PrintJob>& job = std::nullopt);

// Turns the picture table into print jobs — one per run of equal categories or one per
// page — after the user has confirmed the columns, and hands each to its output.
class JobDriver {
public:
  enum class JobResult { Output, NotConfirmed, NoFolder, StartFailed };

  JobDriver(const QAbstractItemModel& table, SettingsSession& session, ColumnMap& columnMap,
            Dialogs& dialogs, JobDriverPorts ports);

  // The click of 准备打印 on the main window. A press while a run is going on (the
  // window stays responsive between pages) is ignored.
  void StartPrint();
  void PrintByCategory();
  void PrintByPage();
  JobResult RunPrintJob(const PrintJob& job);
  // True to go on: OK and the time-out both continue; only Cancel stops the run, which
  // then says in the status bar that the user interrupted printing.
  bool ContinuePrompt();

  bool isRunning() const { return running_; }

private:
  // Detection, the three input boxes and the confirmation box; the rows to print, or
  // nothing when the table is empty or the user cancelled the confirmation.
  std::optional<QList<planning::TableRow>> ConfirmColumns(bool byPage);
  // The planned job with the header and footer templates as they read now.
  PrintJob JobOf(const QList<planning::TableRow>& rows, const planning::PlannedJob& planned) const;
  // Says a failed start or unwritten page files in words; false when the run must stop.
  bool ReportOutcome(JobResult result, const JobOutputReport& report);
  void Finish();
  void SetStatus(const QString& text);

  const QAbstractItemModel& table_;
  SettingsSession& session_;
  ColumnMap& columnMap_;
  Dialogs& dialogs_;
  JobDriverPorts ports_;
  bool running_ = false;
  int unwrittenFiles_ = 0;
  int emptyCells_ = 0;
  JobOutputReport lastReport_;
};
