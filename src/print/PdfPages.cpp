#include "print/PdfPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include "print/PageFiles.h"
#include "print/ProgressWindowHost.h"
#include "render/PrinterObject.h"
#include "settings/SettingsSession.h"

namespace {

constexpr int kPictureDpi = 300;
// Below this much free space a write that stopped short is put down to a full disk.
constexpr qint64 kLowSpace = 4 * 1024 * 1024;

QString folderProblem(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.exists())
    return QStringLiteral("文件夹不存在：%1").arg(QDir::toNativeSeparators(folder));
  if (!info.isDir()) return QStringLiteral("不是文件夹：%1").arg(QDir::toNativeSeparators(folder));
  if (!info.isWritable()) return QStringLiteral("没有写入这个文件夹的权限");
  return {};
}

// Why a file could not be made or finished: a full disk, or else what went wrong.
QString writeFailure(const QString& folder, const QString& otherwise) {
  const QStorageInfo storage(folder);
  if (storage.isValid() && storage.bytesAvailable() < kLowSpace)
    return QStringLiteral("磁盘空间不足");
  return otherwise;
}

// A PDF ends with its trailer; a write cut short (a full disk) leaves it out.
bool isComplete(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() < 64) return false;
  file.seek(file.size() - 64);
  return file.read(64).contains("%%EOF");
}

// Moves the finished file to the first free name; false when it cannot.
bool moveToFreeName(const QString& from, const QString& wanted, QString& written) {
  const auto exists = [](const QString& name) { return QFileInfo::exists(name); };
  // Another program may take the name between the check and the move: then the next.
  for (int attempt = 0; attempt < 3; ++attempt) {
    written = UniqueFileName(wanted, exists);
    if (QFile::rename(from, written)) return true;
  }
  return false;
}

}  // namespace

PageRunResult PrintPagesToPdfFile(PageLoopServices& services, const PdfFileArgs& args) {
  PageRunResult result;
  const QString programFolder = services.programFolder.isEmpty()
                                    ? QCoreApplication::applicationDirPath()
                                    : services.programFolder;
  const QString wanted = PdfFileName(args.folder, services.clock(), programFolder);
  const QString folder = QFileInfo(wanted).absolutePath();
  PageFileResult outcome{wanted, false, folderProblem(folder)};

  if (!outcome.reason.isEmpty()) {
    result.failedFiles.append(outcome);
    return result;
  }
  // The printer creates the file itself, so it gets the permissions of any new file.
  const QString partialName = UniqueFileName(
      folder + QStringLiteral("/.") + QFileInfo(wanted).fileName() + QStringLiteral(".part"),
      [](const QString& name) { return QFileInfo::exists(name); });

  services.progress.Open();
  PrinterObject printer(services.pictures);
  printer.setOutputPdf(partialName);
  printer.setWholePaperPrintable(true);
  printer.setPictureDpiLimit(kPictureDpi);
  printer.setDocumentName(QFileInfo(wanted).completeBaseName());
  DrawPrinterPages(services, printer, args.pages, false, result);
  CloseProgress(services.progress);

  // Whatever went wrong, it is this file that was not written: say so by its name.
  const bool started = result.jobStarted;
  const bool drawn = started && !result.jobAborted;
  result.jobStarted = true;
  result.jobAborted = false;
  result.printerError.clear();
  if (!started) {
    outcome.reason = writeFailure(folder, QStringLiteral("无法创建文件"));
  } else if (!drawn || !isComplete(partialName)) {
    outcome.reason = writeFailure(folder, QStringLiteral("文件没有完整写入"));
  } else if (moveToFreeName(partialName, wanted, outcome.fileName)) {
    outcome.written = true;
  } else {
    outcome.reason = QStringLiteral("无法把临时文件改名为最终文件名");
  }
  if (outcome.written) {
    result.writtenFiles.append(outcome.fileName);
  } else {
    QFile::remove(partialName);
    result.failedFiles.append(outcome);
  }
  return result;
}
