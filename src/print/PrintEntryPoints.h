#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "model/StartSettings.h"
#include "print/JobDriver.h"
#include "print/PageLoops.h"
#include "print/PagePreview.h"
#include "print/ProgressWindowHost.h"
#include "settings/PrinterCatalog.h"

class Dialogs;
class PictureRegistry;
class PrintSettingsWindow;
class QWidget;
struct ColumnMap;
struct SettingsSession;

// What the print entry points read from and write to the main window.
struct MainWindowPort {
  QWidget* window = nullptr;  // the settings window's parent
  std::function<void(const QString&)> setStatusText;
  std::function<QString()> headerTemplate;
  std::function<QString()> footerTemplate;
  std::function<bool()> printByCategory;
  std::function<bool()> searchDone;
  std::function<bool()> includeSubfolders;
  // Shows these header and footer templates and check boxes.
  std::function<void(const MainWindowChoices&)> showChoices;
};

// The pieces of the shared state that printing works with.
struct PrintState {
  SettingsSession& session;
  ColumnMap& columnMap;
  PictureRegistry& pictures;
  ProgressWindowHost& progress;
};

// The main window's two print buttons — 准备打印 and 预览与设置 — with everything
// behind them: the job driver, the settings window with its page preview, the
// progress window and the page loops.
class PrintEntryPoints {
public:
  PrintEntryPoints(PrintState state, Dialogs& dialogs, MainWindowPort mainWindow,
                   PrinterCatalog printers = PrinterCatalog::system());
  ~PrintEntryPoints();
  PrintEntryPoints(const PrintEntryPoints&) = delete;
  PrintEntryPoints& operator=(const PrintEntryPoints&) = delete;

  // 准备打印 on the main window.
  void PreparePrint(const QAbstractItemModel& table);
  // 预览与设置 on the main window.
  void PreviewAndSettings(const QAbstractItemModel& table);

  // A print run or a page preview is working: the main window's buttons reached from
  // its event loop must not start work that shares its pages or state.
  bool isBusy() const;
  // Says in the status bar that printing is in progress; false when nothing runs.
  bool RefuseWhileBusy();
  // Opens the settings window modally and returns when it has closed.
  void ShowSettingsWindow();
  // 全部页面预览 in the settings window: the pages the run would print from the table
  // with the settings the window's controls hold, without storing them.
  void ShowAllPages(PrintSettingsWindow& window);

private:
  PrintState state_;
  Dialogs& dialogs_;
  MainWindowPort mainWindow_;
  PrinterCatalog printers_;
  PageLoopServices loops_;
  PreviewServices preview_;
  std::unique_ptr<JobDriver> driver_;
  const QAbstractItemModel* driverTable_ = nullptr;
  // The table the settings window was opened for.
  const QAbstractItemModel* table_ = nullptr;
};
