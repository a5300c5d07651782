#include "app/Wiring.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <memory>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/StartUp.h"
#include "collect/PictureCollection.h"
#include "collect/PictureTableModel.h"
#include "collect/PictureTableView.h"
#include "exchange/TableExchange.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "print/PrintEntryPoints.h"

namespace {

// Picture collection: the picture table on 超级列表框_显示, the folder tree on
// 树型框_文件夹 (fixed items and one item per volume), the search and stop buttons.
void wireCollect(MainWindow& window, AppState& state, Dialogs& dialogs, Desktop& desktop) {
  (void)dialogs;
  new PictureCollection({*window.pictureList(), *window.folderTree(), *window.searchButton(),
                         *window.stopSearchButton(), *window.includeSubfoldersBox(),
                         *window.morePictureFormatsBox(), window, window.photoInfoBox()},
                        state.collect, desktop,
                        [&window](const QString& text) { window.setStatusText(text); });
}

// Table exchange: 按钮_从剪贴板导入, 按钮_导出到剪贴板 and 按钮_从Gleanview结果中导入. The
// scratch grid 高级表格_中间结果 is the exchange's own ScratchGrid; its hidden widget
// stays unused.
void wireExchange(MainWindow& window, AppState& state, Dialogs& dialogs, Desktop& desktop) {
  (void)state;
  auto* table = qobject_cast<PictureTableModel*>(window.pictureList()->model());
  if (!table) {  // the collect wiring normally has attached the picture table already
    table = new PictureTableModel(&window);
    AttachPictureTable(*window.pictureList(), *table);
  }
  const auto exchange = std::make_shared<TableExchange>(dialogs, desktop, *table);
  QObject::connect(window.importClipboardButton(), &QPushButton::clicked, &window,
                   [exchange] { exchange->ImportTable(); });
  QObject::connect(window.exportClipboardButton(), &QPushButton::clicked, &window,
                   [exchange] { exchange->ExportTable(); });
  QObject::connect(window.importCaptureListButton(), &QPushButton::clicked, &window,
                   [exchange] { exchange->ImportCaptureList(); });
}

// Swallows the clicks and keys of the buttons it watches while printing is busy, and
// says so in the status bar: a search or an import would change the table a run or a
// preview is working from.
class BusyGate : public QObject {
public:
  BusyGate(std::shared_ptr<PrintEntryPoints> entry, QObject* parent)
      : QObject(parent), entry_(std::move(entry)) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        if (entry_->RefuseWhileBusy()) return true;
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

private:
  std::shared_ptr<PrintEntryPoints> entry_;
};

// Printing: 按钮_文件夹准备打印 (the job driver) and 按钮_打印预览 (preview and settings).
std::shared_ptr<PrintEntryPoints> wirePrint(MainWindow& window, AppState& state, Dialogs& dialogs,
                                            Desktop& desktop) {
  (void)desktop;
  MainWindowPort port;
  port.window = &window;
  port.searchDone = [&state] { return state.collect.searchDone; };
  port.setStatusText = [&window](const QString& text) { window.setStatusText(text); };
  port.headerTemplate = [&window] { return window.headerEdit()->text(); };
  port.footerTemplate = [&window] { return window.footerEdit()->text(); };
  port.printByCategory = [&window] { return window.byFolderBox()->isChecked(); };
  port.includeSubfolders = [&window] { return window.includeSubfoldersBox()->isChecked(); };
  port.showChoices = [&window](const MainWindowChoices& choices) {
    ShowMainWindowChoices(window, choices);
  };
  const PrintState printState{state.settings, state.columnMap, state.pictures,
                              state.progressWindow};
  // Shared by the two connections, so it lives as long as the window's buttons do.
  auto entry = std::make_shared<PrintEntryPoints>(printState, dialogs, std::move(port));
  // Printing reads every row, also those the list view has not been told of yet.
  const auto pictureTable = [&window]() -> const QAbstractItemModel* {
    auto* table = qobject_cast<PictureTableModel*>(window.pictureList()->model());
    if (table) table->AnnounceAppendedRows();
    return table;
  };
  QObject::connect(window.preparePrintButton(), &QPushButton::clicked, &window,
                   [entry, pictureTable] {
                     if (const QAbstractItemModel* table = pictureTable())
                       entry->PreparePrint(*table);
                   });
  QObject::connect(window.previewButton(), &QPushButton::clicked, &window, [entry, pictureTable] {
    if (const QAbstractItemModel* table = pictureTable()) entry->PreviewAndSettings(*table);
  });
  return entry;
}

}  // namespace

void wireSubsystems(MainWindow& window, AppState& state, Dialogs& dialogs, Desktop& desktop) {
  wireCollect(window, state, dialogs, desktop);
  wireExchange(window, state, dialogs, desktop);
  const auto print = wirePrint(window, state, dialogs, desktop);
  auto* gate = new BusyGate(print, &window);
  for (QWidget* button : {static_cast<QWidget*>(window.searchButton()),
                          static_cast<QWidget*>(window.importClipboardButton()),
                          static_cast<QWidget*>(window.importCaptureListButton())})
    button->installEventFilter(gate);
}
