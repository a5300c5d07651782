#include "exchange/TableExchange.h"

#include "exchange/CaptureListText.h"
#include "exchange/TableTextParser.h"
#include "exchange/TableTextWriter.h"
#include "exchange/TableTransfer.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"

namespace {

const QString kImportQuestion = QStringLiteral(
    "它将从[剪贴板]"
    "取数据并导入，你可以在excel表或其它表中进行复制（要包括表头），然后再单击此按钮。");
const QString kImportCaption = QStringLiteral("准备好了吗？（复制包括表头）");
const QString kCaptureListTitle = QStringLiteral("打开由《Gleanview》生成的文本列表");
const QString kCaptureListFilter = QStringLiteral("文本文件（*.txt）|*.txt");
const QString kCannotImportCaption = QStringLiteral("无法导入");
const QString kExportDone = QStringLiteral("信息已经复制到剪贴板，请在电子表格中进一步处理。");
const QString kExportCaption = QStringLiteral("处理成功，请继续。");
constexpr int kExportMessageMs = 3000;

QString tooManyColumnsText(int columns) {
  return QStringLiteral("剪贴板中的表格有%1列，超过了可以导入的%2列，没有导入。")
      .arg(columns)
      .arg(kMaxImportColumns);
}

QString binaryText(const QString& path) {
  return QStringLiteral("文件“%1”不是文本列表（像是图片或其它二进制文件），没有导入。").arg(path);
}

QString tooLargeText(const QString& path) {
  return QStringLiteral("文件“%1”太大（超过%2MB），不像是文本列表，没有导入。")
      .arg(path)
      .arg(kMaxCaptureListBytes / (1024 * 1024));
}

class WaitCursor {
public:
  explicit WaitCursor(Desktop& desktop) : desktop_(desktop) { desktop_.setWaitCursor(true); }
  ~WaitCursor() { desktop_.setWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

private:
  Desktop& desktop_;
};

}  // namespace

TableExchange::TableExchange(Dialogs& dialogs, Desktop& desktop, PictureTableModel& table)
    : dialogs_(dialogs), desktop_(desktop), table_(table) {}

bool TableExchange::ImportTable() {
  if (!ConfirmImport()) return false;
  return ImportText(desktop_.clipboardText());
}

bool TableExchange::ConfirmImport() {
  return dialogs_.messageBox(kImportQuestion, kImportCaption, MessageButtons::OkCancel,
                             MessageIcon::Question) == AnswerOk;
}

bool TableExchange::ImportText(const QString& tableText) {
  const QStringView text = TableTextOf(tableText);
  const int columns = CountTableShape(text).columns;
  if (columns > kMaxImportColumns) {
    dialogs_.messageBox(tooManyColumnsText(columns), kCannotImportCaption, MessageButtons::Ok,
                        MessageIcon::Warning);
    return false;
  }
  WaitCursor busy(desktop_);
  ReadTableText(grid_, text);
  GridToList(grid_, table_);
  return true;
}

bool TableExchange::ImportCaptureList() {
  const QString path = dialogs_.openFile(kCaptureListTitle, kCaptureListFilter);
  if (path.isEmpty()) return false;
  CaptureListFile list;
  {
    WaitCursor busy(desktop_);
    list = ReadCaptureList(path);
  }
  if (list.outcome == CaptureListOutcome::TooLarge || list.outcome == CaptureListOutcome::Binary) {
    const QString why =
        list.outcome == CaptureListOutcome::Binary ? binaryText(path) : tooLargeText(path);
    dialogs_.messageBox(why, kCannotImportCaption, MessageButtons::Ok, MessageIcon::Warning);
    return false;
  }
  // The list goes on the clipboard as well, but the table is filled from the list itself:
  // another program may change the clipboard while the question is open.
  desktop_.setClipboardText(list.text);
  if (!ConfirmImport()) return false;
  return ImportText(list.text);
}

void TableExchange::ExportTable() {
  {
    WaitCursor busy(desktop_);
    ListToGrid(table_, grid_);
    desktop_.setClipboardText(WriteTableText(grid_));
  }
  dialogs_.timedMessageBox(kExportDone, kExportCaption, MessageButtons::Ok,
                           MessageIcon::Information, kExportMessageMs);
}
