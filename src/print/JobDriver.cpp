#include "print/JobDriver.h"

#include <QCoreApplication>
#include <utility>

#include "platform/Dialogs.h"
#include "print/ColumnDetection.h"
#include "print/PageFiles.h"
#include "print/PageGeometry.h"
#include "print/TableText.h"

namespace {

// Long lists of failed page files are cut short in the message box.
constexpr int kMaxListedFiles = 15;

QString UnwrittenFilesText(const QStringList& files) {
  QString text = QStringLiteral("下列页面文件没有保存成功：");
  for (int i = 0; i < files.size() && i < kMaxListedFiles; ++i)
    text += QStringLiteral("\r\n") + files[i];
  if (files.size() > kMaxListedFiles) {
    text += QStringLiteral("\r\n……共 %1 个文件没有保存。").arg(files.size());
  }
  return text;
}

// Clears a flag when a run leaves by any path.
class RunningScope {
public:
  explicit RunningScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningScope() { flag_ = false; }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;

private:
  bool& flag_;
};

}  // namespace

PrintSettings OpenSettingsForJob(SettingsSession& session,
                                 const std::function<void()>& showSettingsWindow,
                                 const std::optional<PrintJob>& job) {
  if (job) session.lastJob = *job;
  if (showSettingsWindow) showSettingsWindow();
  return session.printSettings;
}

JobDriver::JobDriver(const QAbstractItemModel& table, SettingsSession& session,
                     ColumnMap& columnMap, Dialogs& dialogs, JobDriverPorts ports)
    : table_(table),
      session_(session),
      columnMap_(columnMap),
      dialogs_(dialogs),
      ports_(std::move(ports)) {}

void JobDriver::SetStatus(const QString& text) {
  if (ports_.setStatusText) ports_.setStatusText(text);
}

void JobDriver::StartPrint() {
  if (running_) return;
  if (ports_.searchDone && !ports_.searchDone()) {
    dialogs_.messageBox(printtext::kTooEarlyText, printtext::kTooEarlyCaption, MessageButtons::Ok,
                        MessageIcon::None, Modality::System);
    return;
  }
  RunningScope scope(running_);
  unwrittenFiles_ = 0;
  emptyCells_ = 0;
  const bool byCategory = ports_.printByCategory ? ports_.printByCategory() : true;
  if (byCategory) {
    PrintByCategory();
  } else {
    PrintByPage();
  }
}

std::optional<QList<planning::TableRow>> JobDriver::ConfirmColumns(bool byPage) {
  if (tabletext::RowCount(table_) < 1) return std::nullopt;
  SetStatus(printtext::kInitialising);
  columnMap_.captionColumns = QStringList{QString()};
  const QString listing = columns::DetectColumns(tabletext::ColumnTitles(table_), columnMap_);
  columns::ProposeOneBased(columnMap_);

  columns::AskPictureColumn(dialogs_, columnMap_, QStringLiteral("请输入‘图片位置’所在的列！"));

  int category = columnMap_.categoryColumn;
  const QString categoryPrompt =
      byPage ? QStringLiteral("系统认为图片的‘类别’在第 %1 列，你也可以手工输入：")
             : QStringLiteral("系统认为‘图片的类别’在第 %1 列，你也可以手工输入：");
  dialogs_.inputInteger(categoryPrompt.arg(category), category,
                        QStringLiteral("请输入‘图片的类别’所在的列！"));
  columnMap_.categoryColumn = category;

  const QString answer =
      columns::AskCaptionColumns(dialogs_, columnMap_, listing, tabletext::ColumnCount(table_));

  const QString confirmText =
      QStringLiteral(
          "要打印的‘图片的位置’在第 %1 列，‘图片说明’在第[ %2 ]列，‘图片的分类’在第 %3 列。")
          .arg(QString::number(columnMap_.pictureColumn), answer,
               QString::number(columnMap_.categoryColumn));
  const int confirmation = dialogs_.messageBox(confirmText, printtext::kConfirmCaption,
                                               MessageButtons::OkCancel, MessageIcon::Question);
  // Back to 0-based either way, so that a cancelled run does not shift the next
  // run's proposal by one column.
  columns::ShiftColumns(columnMap_, -1);
  if (confirmation != AnswerOk) return std::nullopt;
  return planning::ReadRows(table_, columnMap_);
}

bool JobDriver::ContinuePrompt() {
  const int answer = dialogs_.timedMessageBox(printtext::kContinueText, printtext::kContinueCaption,
                                              MessageButtons::OkCancel, MessageIcon::Question,
                                              printtext::kContinueTimeoutMs);
  return answer != AnswerCancel;
}

JobDriver::JobResult JobDriver::RunPrintJob(const PrintJob& job) {
  session_.lastJob = job;
  lastReport_ = JobOutputReport{};
  PrintSettings& settings = session_.printSettings;
  // A printer name only matters when pages go to a printer: printing to picture files
  // on a machine without printers must not reopen the settings window for every job.
  const bool needsPrinter = !settings.toPictureFiles && settings.printerName.isEmpty();
  if (needsPrinter || !settings.confirmed) {
    settings = OpenSettingsForJob(session_, ports_.showSettingsWindow, job);
  }
  if (!settings.confirmed) return JobResult::NotConfirmed;

  QString folder;
  if (OutputNeedsFolder(settings)) {
    folder = dialogs_.browseForFolder(printtext::kFolderPrompt);
    if (folder.isEmpty()) return JobResult::NoFolder;
  }
  if (ports_.sendToOutput) lastReport_ = ports_.sendToOutput(JobOutputFor(job, folder, settings));
  return lastReport_.started ? JobResult::Output : JobResult::StartFailed;
}

bool JobDriver::ReportOutcome(JobResult result, const JobOutputReport& report) {
  if (result == JobResult::StartFailed) {
    const QString printer = session_.printSettings.printerName.isEmpty()
                                ? session_.printSettings.defaultPrinter
                                : session_.printSettings.printerName;
    const QString reason = report.startError.isEmpty() ? QStringLiteral("打印机无法开始打印作业。")
                                                       : report.startError;
    const QString text = QStringLiteral("打印机“%1”没有打印出这一作业：%2").arg(printer, reason);
    dialogs_.messageBox(text, QStringLiteral("打印失败"), MessageButtons::Ok, MessageIcon::Error);
    SetStatus(printtext::kStartFailed);
    // The next run opens the settings window again, so another printer can be chosen.
    session_.printSettings.confirmed = false;
    return false;
  }
  emptyCells_ += static_cast<int>(report.emptyCells.size());
  if (!report.unwrittenFiles.isEmpty()) {
    unwrittenFiles_ += static_cast<int>(report.unwrittenFiles.size());
    dialogs_.messageBox(UnwrittenFilesText(report.unwrittenFiles),
                        QStringLiteral("页面文件保存失败"), MessageButtons::Ok,
                        MessageIcon::Warning);
  }
  return true;
}

void JobDriver::Finish() {
  QString text =
      unwrittenFiles_ > 0
          ? QStringLiteral("打印完毕，但有 %1 个页面文件没有保存成功。").arg(unwrittenFiles_)
          : printtext::kFinished;
  if (emptyCells_ > 0) text += printtext::EmptyCellsText(emptyCells_);
  SetStatus(text);
  session_.printSettings.confirmed = false;
}

PrintJob JobDriver::JobOf(const QList<planning::TableRow>& rows,
                          const planning::PlannedJob& planned) const {
  return planning::JobOfRows(rows, planned,
                             ports_.headerTemplate ? ports_.headerTemplate() : QString(),
                             ports_.footerTemplate ? ports_.footerTemplate() : QString());
}

void JobDriver::PrintByCategory() {
  const auto rows = ConfirmColumns(false);
  if (!rows) return;
  for (const planning::PlannedJob& planned : planning::PlanJobs(*rows, true, 0)) {
    SetStatus(printtext::kPrinting);
    const PrintJob job = JobOf(*rows, planned);
    if (!ContinuePrompt()) {
      SetStatus(printtext::kInterrupted);  // not "正在打印" when nothing more is printed
      return;
    }
    const JobResult result = RunPrintJob(job);
    if (!session_.printSettings.confirmed) {
      SetStatus(printtext::kInterrupted);
      return;
    }
    if (!ReportOutcome(result, lastReport_)) return;
  }
  Finish();
}

void JobDriver::PrintByPage() {
  const auto rows = ConfirmColumns(true);
  if (!rows) return;
  if (!session_.printSettings.confirmed) {
    OpenSettingsForJob(session_, ports_.showSettingsWindow);
  }
  const PrintSettings& settings = session_.printSettings;
  // The page loop lays out the same grid, 5 × 5 when rows or columns are below 1.
  const GridShape shape = UsableGridShape(settings.rows, settings.columns);
  for (const planning::PlannedJob& planned :
       planning::PlanJobs(*rows, false, shape.rows * shape.columns)) {
    if (!session_.printSettings.confirmed) {
      SetStatus(printtext::kInterrupted);
      return;
    }
    SetStatus(printtext::kPrinting);
    QCoreApplication::processEvents();
    const PrintJob job = JobOf(*rows, planned);
    if (!ContinuePrompt()) {
      SetStatus(printtext::kInterrupted);  // not "正在打印" when nothing more is printed
      return;
    }
    const JobResult result = RunPrintJob(job);
    if (!ReportOutcome(result, lastReport_)) return;
  }
  if (!session_.printSettings.confirmed) {
    SetStatus(printtext::kInterrupted);
    return;
  }
  Finish();
}
