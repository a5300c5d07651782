#include "cli/PrintRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QSet>

#include "cli/ProgressLine.h"
#include "cli/TableInput.h"
#include "collect/PictureTableModel.h"
#include "print/ColumnDetection.h"
#include "print/JobPlanning.h"
#include "print/OutputDispatch.h"
#include "print/PageGeometry.h"
#include "print/PageLoops.h"
#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "print/RunCheck.h"
#include "print/TableText.h"
#include "render/PictureRegistry.h"
#include "settings/DefaultCellLayout.h"
#include "settings/SettingsSession.h"

namespace {

QString Shown(const QString& path) {
  return QDir::toNativeSeparators(path);
}

// The printer the command names, or why there is none.
QString ResolvePrinter(const QString& wanted, const PrinterCatalog& printers, QString& name) {
  const QString fallback = printers.defaultPrinter ? printers.defaultPrinter() : QString();
  if (wanted == u"default") {
    name = fallback;
    return name.isEmpty() ? QStringLiteral("系统没有默认打印机。") : QString();
  }
  const QStringList installed = printers.listPrinters ? printers.listPrinters() : QStringList();
  if (installed.contains(wanted)) {
    name = wanted;
    return {};
  }
  return installed.isEmpty()
             ? QStringLiteral("没有名为“%1”的打印机：系统里没有打印机。").arg(wanted)
             : QStringLiteral("没有名为“%1”的打印机。可用的打印机：%2")
                   .arg(wanted, installed.join(QStringLiteral("、")));
}

QString PrepareFolder(const QString& folder) {
  const QFileInfo info(folder);
  if (info.exists() && !info.isDir()) return QStringLiteral("“%1”不是文件夹。").arg(Shown(folder));
  if (!QDir().mkpath(folder)) return QStringLiteral("无法建立文件夹“%1”。").arg(Shown(folder));
  return {};
}

// The columns as the print button proposes them from the titles, with the command's
// numbers in place of the answers to the three column boxes; 0-based afterwards, the
// caption columns staying 1-based.
ColumnMap ColumnsFor(const PrintCommand& command, const QAbstractItemModel& table) {
  ColumnMap map;
  map.captionColumns = QStringList{QString()};
  columns::DetectColumns(tabletext::ColumnTitles(table), map);
  columns::ProposeOneBased(map);
  if (command.pictureColumn) map.pictureColumn = *command.pictureColumn;
  if (command.categoryColumn) map.categoryColumn = *command.categoryColumn;
  if (command.captionColumns)
    map.captionColumns =
        columns::ParseCaptionColumns(*command.captionColumns, tabletext::ColumnCount(table));
  columns::ShiftColumns(map, -1);
  return map;
}

// The planned jobs with the command's header and footer.
QList<PrintJob> JobsOf(const QList<planning::TableRow>& rows, const PrintCommand& command,
                       GridShape shape) {
  return planning::JobsOfRun(rows, command.byCategory, shape.rows * shape.columns,
                             command.headerText, command.footerText);
}

// --check: the summary and one line per problem on standard output; 1 when a photo
// cannot be printed.
int ReportCheck(const RunCheck& check, const std::function<void(const QString&)>& writeOutput) {
  QString text = CheckSummary(check) + u'\n';
  for (const PhotoProblem& problem : check.problems) text += ProblemLine(problem) + u'\n';
  writeOutput(text);
  return check.emptyCells() > 0 ? kExitSomeOutputFailed : kExitDone;
}

// After a run: the cells left empty, and for which photos.
void ReportEmptyCells(const QStringList& emptyCells, ProgressLine& progress) {
  if (emptyCells.isEmpty()) return;
  QString text =
      QStringLiteral("有 %1 个格子留空了，它们的照片找不到或读不出：").arg(emptyCells.size());
  for (const QString& picture : emptyCells) text += QStringLiteral("\n  ") + Shown(picture);
  progress.Problem(text);
}

// The page loops count the cells on the progress window's bar; cellsDone hears each
// count. The loop opened here moves the window and closes it at its end.
void FollowCells(ProgressWindowHost& progress, const std::function<void(int)>& cellsDone) {
  QProgressBar& bar = progress.Open().progressBar();
  QObject::connect(&bar, &QProgressBar::valueChanged, &bar, [cellsDone](int value) {
    if (value > 0) cellsDone(value);
  });
}

// Said before printing: what will come out blank.
void WarnAboutPictures(const ColumnMap& map, int columnCount, const QList<PrintJob>& jobs,
                       ProgressLine& progress) {
  if (map.pictureColumn < 0 || map.pictureColumn >= columnCount) {
    progress.Problem(
        QStringLiteral("注意：图片位置的第 %1 列不在表格里（表格有 %2 列），照片格都将是空的。")
            .arg(map.pictureColumn + 1)
            .arg(columnCount));
    return;
  }
  int missing = 0;
  QString first;
  QSet<QString> checked;
  for (const PrintJob& job : jobs) {
    for (const QString& picture : job.pictures) {
      if (checked.contains(picture)) continue;
      checked.insert(picture);
      if (!picture.isEmpty() && QFileInfo::exists(picture)) continue;
      if (missing++ == 0) first = picture;
    }
  }
  if (missing > 0)
    progress.Problem(
        QStringLiteral("注意：有 %1 张图片找不到，它们的格子将是空的（第一张：“%2”）。")
            .arg(missing)
            .arg(Shown(first)));
}

// The command's output made ready in the settings: the folder made, or the printer
// found. Why it cannot be, or an empty text.
QString PrepareOutput(const PrintCommand& command, const PrinterCatalog& printers,
                      PrintSettings& settings) {
  settings.toPictureFiles = !command.outFolder.isEmpty();
  if (settings.toPictureFiles) return PrepareFolder(command.outFolder);
  settings.defaultPrinter = printers.defaultPrinter ? printers.defaultPrinter() : QString();
  return ResolvePrinter(command.printer, printers, settings.printerName);
}

// What the jobs made, for the summary and the exit code.
struct RunTally {
  int pages = 0;
  int unwrittenFiles = 0;
  QStringList documents;   // the printer jobs' names
  QStringList pdfFiles;    // the PDF files written
  QStringList emptyCells;  // the photos of the cells left empty
  bool printerFailed = false;
};

// Every job through the page loops, one after the other, as the job driver runs them;
// a printer job that cannot be made stops the run.
RunTally PrintJobs(PageLoopServices& services, const QList<PrintJob>& jobs, const QString& folder,
                   GridShape shape, ProgressLine& progress) {
  const PrintSettings& settings = services.session.printSettings;
  const int cellsPerPage = shape.rows * shape.columns;
  qsizetype totalPhotos = 0;
  int totalPages = 0;
  for (const PrintJob& job : jobs) {
    totalPhotos += job.pictures.size();
    totalPages += TotalPages(job.pictures.size(), shape);
  }
  RunTally tally;
  int pagesBefore = 0;
  qsizetype photosBefore = 0;
  progress.BeginPrinting();
  for (const PrintJob& job : jobs) {
    const qsizetype jobPhotos = job.pictures.size();
    services.session.lastJob = job;
    FollowCells(services.progress, [&](int cellsDone) {
      const bool pageDone = cellsDone % cellsPerPage == 0 || cellsDone == jobPhotos;
      progress.Photos(photosBefore + cellsDone, totalPhotos,
                      pagesBefore + (cellsDone - 1) / cellsPerPage + 1, totalPages, pageDone);
    });
    const JobOutput output = JobOutputFor(job, folder, settings);
    const PageRunResult result = RunJobOutput(services, output);
    pagesBefore += TotalPages(jobPhotos, shape);
    photosBefore += jobPhotos;
    tally.pages += result.pagesDone;
    const JobOutputReport report = ReportOf(result);
    for (const QString& unwritten : report.unwrittenFiles)
      progress.Problem(QStringLiteral("页面文件没有保存成功：") + unwritten);
    tally.unwrittenFiles += static_cast<int>(report.unwrittenFiles.size());
    tally.emptyCells.append(report.emptyCells);
    if (std::holds_alternative<PrinterPageArgs>(output))
      tally.documents.append(result.documentName);
    if (std::holds_alternative<PdfFileArgs>(output)) tally.pdfFiles.append(result.writtenFiles);
    if (!report.started) {
      progress.Problem(QStringLiteral("打印机“%1”没有打印出这一作业：%2")
                           .arg(settings.printerName, report.startError));
      tally.printerFailed = true;
      break;
    }
  }
  return tally;
}

QString SummaryOf(const RunTally& tally, qsizetype photos, double seconds,
                  const PrintCommand& command, const PrintSettings& settings) {
  const QString done = QStringLiteral("完成：%1 页，%2 张照片，用时 %3 秒")
                           .arg(tally.pages)
                           .arg(photos)
                           .arg(QString::number(seconds, 'f', 1));
  if (tally.pdfFiles.size() == 1 && tally.unwrittenFiles == 0)
    return done + QStringLiteral("，PDF 文件是“%1”。").arg(Shown(tally.pdfFiles.first()));
  if (settings.toPictureFiles) {
    return done + QStringLiteral("，页面文件在“%1”").arg(Shown(command.outFolder)) +
           (tally.unwrittenFiles > 0
                ? QStringLiteral("，但有 %1 个没有保存成功。").arg(tally.unwrittenFiles)
                : QStringLiteral("。"));
  }
  const QString jobs = tally.documents.size() == 1
                           ? QStringLiteral("作业“%1”").arg(tally.documents.first())
                           : QStringLiteral("%1 个作业").arg(tally.documents.size());
  return done + QStringLiteral("，已送往打印机“%1”（%2）。").arg(settings.printerName, jobs);
}

}  // namespace

int RunPrint(const PrintCommand& command, PrintRunConsole& console) {
  ProgressLine progress(console.writeError, console.errorIsTerminal, command.quiet);
  const auto fail = [&progress](const QString& text, int code) {
    progress.Problem(QStringLiteral("quillmere print: ") + text);
    return code;
  };

  PrintSettings settings = command.settings;
  settings.confirmed = true;
  // A check writes nothing: no folder is made, no printer looked up.
  if (!command.check) {
    if (const QString error = PrepareOutput(command, console.printers, settings); !error.isEmpty())
      return fail(error, kExitBadCommand);
  }

  PictureTableModel table;
  QFile noInput;
  QIODevice& input = console.standardInput ? *console.standardInput : noInput;
  if (const QString error =
          LoadTableInput(command.input, command.includeSubfolders, command.photoInfo, table, input,
                         [&progress](const QString& text) { progress.Status(text); });
      !error.isEmpty())
    return fail(error, kExitBadCommand);

  const ColumnMap map = ColumnsFor(command, table);
  const QList<planning::TableRow> rows = planning::ReadRows(table, map);
  if (rows.isEmpty())
    return fail(QStringLiteral("“%1”里没有要打印的图片。").arg(Shown(command.input)),
                kExitSomeOutputFailed);
  const GridShape shape = UsableGridShape(settings.rows, settings.columns);
  const QList<PrintJob> jobs = JobsOf(rows, command, shape);

  SettingsSession session;
  PictureRegistry pictures;
  // A cell layout the start settings bring is the user's own, as in the settings window.
  session.startSettings = settings;
  if (!session.keepsUserLayout()) {
    const CardLayout layout = DefaultCellLayout(settings, pictures);
    settings.photoArea = layout.photoArea;
    settings.textArea = layout.textArea;
  }
  if (command.check) {
    return ReportCheck(CheckRun(jobs, settings, command.minimumPpi),
                       console.writeOutput ? console.writeOutput : console.writeError);
  }
  WarnAboutPictures(map, tabletext::ColumnCount(table), jobs, progress);

  session.printSettings = settings;
  session.workingLayout = CardLayout{settings.photoArea, settings.textArea};
  ProgressWindowHost progressWindow(session);
  PageLoopServices services(session, pictures, progressWindow);
  // A run from a script sends its jobs to the printer by name and leaves the user's
  // default printer alone.
  services.setDefaultPrinter = [](const QString&) { return true; };

  const RunTally tally = PrintJobs(services, jobs, command.outFolder, shape, progress);
  ReportEmptyCells(tally.emptyCells, progress);
  if (tally.printerFailed) return kExitSomeOutputFailed;
  progress.Summary(SummaryOf(tally, rows.size(), progress.seconds(), command, settings));
  return tally.unwrittenFiles > 0 ? kExitSomeOutputFailed : kExitDone;
}
