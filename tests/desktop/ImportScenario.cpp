// 导入Gleanview文本 on the real X clipboard: the list's text goes onto the clipboard,
// another program (xclip) takes the clipboard over while the confirmation is open, and
// the table must still hold the list's text once the confirmation is answered.
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <memory>

#include "DesktopProbe.h"
#include "collect/PictureTableModel.h"

namespace desktopprobe {

namespace {

const QString kListText =
    QStringLiteral("序号\t图片名全称\t图片说明\r\n1\t/相册/列表里的.jpg\t列表\r\n");
const QString kOtherText = QStringLiteral("别的程序\t复制的\r\n9\t/别处/剪贴板.jpg\r\n");

// The X clipboard as another client reads it. Run beside the event loop: while the
// program owns the clipboard, it has to answer the request itself.
class XClipboardReading {
public:
  XClipboardReading() {
    xclip_.start(QStringLiteral("xclip"),
                 {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
  }
  bool done() { return xclip_.state() == QProcess::NotRunning; }
  QString text() { return QString::fromUtf8(xclip_.readAllStandardOutput()); }

private:
  QProcess xclip_;
};

// Another program takes the clipboard over with its own text; xclip stays in the
// background serving it until someone else takes the clipboard or the X server ends.
void giveClipboardToXclip(const QString& text) {
  QProcess xclip;
  // The background half of xclip keeps no pipe of ours open.
  xclip.setStandardOutputFile(QProcess::nullDevice());
  xclip.setStandardErrorFile(QProcess::nullDevice());
  xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")});
  check(xclip.waitForStarted(), QStringLiteral("xclip does not start (is xclip installed?)"));
  xclip.write(text.toUtf8());
  xclip.closeWriteChannel();
  check(xclip.waitForFinished(10000) && xclip.exitCode() == 0,
        QStringLiteral("xclip did not take the clipboard"));
}

QString tableText(const QAbstractItemModel* table) {
  QStringList lines;
  QStringList titles;
  for (int column = 0; column < table->columnCount(); ++column)
    titles << table->headerData(column, Qt::Horizontal).toString();
  lines << titles.join(u'\t');
  for (int row = 0; row < table->rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
      cells << table->index(row, column).data().toString();
    lines << cells.join(u'\t');
  }
  return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

}  // namespace

void captureListImportWithChangedClipboard(Scenario& s) {
  const QString list = s.photos + QStringLiteral("/capture-list.txt");
  QFile file(list);
  check(file.open(QIODevice::WriteOnly) && file.write(kListText.toUtf8()) > 0,
        QStringLiteral("cannot write the capture list"));
  file.close();
  auto reading = std::make_shared<std::unique_ptr<XClipboardReading>>();

  s.script.add(
      QStringLiteral("the main window"), [&s] { return s.window.isVisible(); },
      [&s] {
        QTabBar* tabs = s.window.tabs()->tabBar();
        click(tabs, tabs->tabRect(1).center());
      });
  s.script.add(
      QStringLiteral("the 剪贴板 page"), [] { return visible("按钮_从Gleanview结果中导入"); },
      [] { click(visible("按钮_从Gleanview结果中导入")); });
  s.script.add(
      QStringLiteral("the file chooser"),
      [] {
        auto* chooser = activeModal<QFileDialog>();
        return chooser && chooser->isVisible();
      },
      [list] {
        auto* name =
            activeModal<QFileDialog>()->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        click(name);
        typeText(list);
      });
  s.script.add(
      QStringLiteral("the typed list name"),
      [list] {
        auto* chooser = activeModal<QFileDialog>();
        auto* name =
            chooser ? chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        return name && name->text() == list;
      },
      [] {
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
      });
  // A Return that only closed the line's completion list is repeated.
  s.script.add(QStringLiteral("the file chooser to close"), [] {
    static QElapsedTimer sinceReturn;
    if (!activeModal<QFileDialog>()) return true;
    if (!sinceReturn.isValid() || sinceReturn.elapsed() > 2000) {
      if (sinceReturn.isValid()) xdotool({QStringLiteral("key"), QStringLiteral("Return")});
      sinceReturn.start();
    }
    return false;
  });
  s.script.add(
      QStringLiteral("the confirmation"),
      [] {
        auto* box = activeModal<QMessageBox>();
        return box && box->isVisible() &&
               box->windowTitle() == QStringLiteral("准备好了吗？（复制包括表头）");
      },
      [reading] { *reading = std::make_unique<XClipboardReading>(); });
  s.script.add(
      QStringLiteral("the clipboard read by another program"),
      [reading] { return (*reading)->done(); },
      [reading] {
        const QString onClipboard = (*reading)->text();
        check(onClipboard == kListText,
              QStringLiteral("the clipboard holds \"%1\", not the list's text").arg(onClipboard));
        giveClipboardToXclip(kOtherText);
      });
  s.script.add(
      QStringLiteral("the program to see the other program's text"),
      [] { return QApplication::clipboard()->text() == kOtherText; },
      [] { click(activeModal<QMessageBox>()->button(QMessageBox::Ok)); });
  s.script.add(
      QStringLiteral("the confirmation answered"),
      [] { return activeModal<QMessageBox>() == nullptr; },
      [&s] {
        const QString table = tableText(s.window.pictureList()->model());
        check(table == kListText,
              QStringLiteral("the table holds \"%1\", not the list's text").arg(table));
      });
}

}  // namespace desktopprobe
