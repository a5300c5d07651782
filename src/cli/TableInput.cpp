#include "cli/TableInput.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>

#include "collect/CollectState.h"
#include "collect/PictureSearch.h"
#include "collect/PictureTableModel.h"
#include "exchange/CaptureListText.h"
#include "exchange/ScratchGrid.h"
#include "exchange/TableExchange.h"
#include "exchange/TableTextParser.h"
#include "exchange/TableTransfer.h"
#include "platform/QtDesktop.h"

namespace {

QString Shown(const QString& path) {
  return QDir::toNativeSeparators(path);
}

QString SearchFolder(const QString& folder, bool includeSubfolders, bool photoInfo,
                     PictureTableModel& table,
                     const std::function<void(const QString&)>& searchStatus) {
  if (!QDir(folder).isReadable()) return QStringLiteral("无法读取文件夹“%1”。").arg(Shown(folder));
  CollectState state;
  state.folderPath = QDir::toNativeSeparators(QDir(folder).absolutePath()) + QDir::separator();
  QtDesktop desktop;
  PictureSearch search(state, table, desktop, [&searchStatus](const QString& text) {
    if (searchStatus) searchStatus(text);
  });
  search.SearchPictures(includeSubfolders, false, photoInfo);
  return {};
}

constexpr qint64 kChunkBytes = 64 * 1024;

// The bytes of standard input up to the limit of a list file, one byte more when it
// holds more.
QByteArray ReadLimited(QIODevice& device) {
  QByteArray bytes;
  while (bytes.size() <= kMaxCaptureListBytes) {
    const QByteArray chunk =
        device.read(std::min<qint64>(kChunkBytes, kMaxCaptureListBytes + 1 - bytes.size()));
    if (chunk.isEmpty()) break;
    bytes += chunk;
  }
  return bytes;
}

QString TooLarge(const QString& what) {
  return QStringLiteral("%1太大（超过%2MB），不像是文本列表。")
      .arg(what)
      .arg(kMaxCaptureListBytes / (1024 * 1024));
}

}  // namespace

QString LoadTableInput(const QString& input, bool includeSubfolders, bool photoInfo,
                       PictureTableModel& table, QIODevice& standardInput,
                       const std::function<void(const QString&)>& searchStatus) {
  const auto notAFolder = QStringLiteral("--photo-info 只用于要搜索的文件夹，“%1”不是文件夹。");
  QString text;
  if (input == u"-") {
    if (photoInfo) return notAFolder.arg(input);
    const QByteArray bytes = ReadLimited(standardInput);
    if (bytes.size() > kMaxCaptureListBytes) return TooLarge(QStringLiteral("标准输入"));
    if (!bytes.isEmpty() && LooksBinary(bytes)) return QStringLiteral("标准输入不是文本表格。");
    text = DecodeCaptureList(bytes);
  } else {
    const QFileInfo info(input);
    if (!info.exists()) return QStringLiteral("找不到输入“%1”。").arg(Shown(input));
    if (info.isDir()) return SearchFolder(input, includeSubfolders, photoInfo, table, searchStatus);
    if (photoInfo) return notAFolder.arg(Shown(input));
    const CaptureListFile list = ReadCaptureList(input);
    if (list.outcome == CaptureListOutcome::TooLarge)
      return TooLarge(QStringLiteral("文件“%1”").arg(Shown(input)));
    if (list.outcome == CaptureListOutcome::Unreadable)
      return QStringLiteral("无法读取文件“%1”。").arg(Shown(input));
    if (list.text.isEmpty() && info.size() > 0)
      return QStringLiteral("文件“%1”不是文本表格。").arg(Shown(input));
    text = list.text;
  }
  const QStringView tableText = TextBeforeNul(text);
  const int columns = CountTableShape(tableText).columns;
  if (columns > kMaxImportColumns)
    return QStringLiteral("表格有%1列，超过了可以导入的%2列。").arg(columns).arg(kMaxImportColumns);
  ScratchGrid grid;
  ReadTableText(grid, tableText);
  GridToList(grid, table);
  return {};
}
