#include "print/PrintEntryPoints.h"

#include <QCoreApplication>

#include "print/OutputDispatch.h"
#include "print/PageGeometry.h"
#include "print/PagesWindow.h"
#include "print/PreviewEntry.h"
#include "settings/DefaultCellLayout.h"
#include "settings/PrintSettingsWindow.h"
#include "settings/SettingsSession.h"

PrintEntryPoints::PrintEntryPoints(PrintState state, Dialogs& dialogs, MainWindowPort mainWindow,
                                   PrinterCatalog printers)
    : state_(state),
      dialogs_(dialogs),
      mainWindow_(std::move(mainWindow)),
      printers_(std::move(printers)),
      loops_{state.session, state.pictures, state.progress},
      preview_{state.session, state.pictures, state.progress} {
  loops_.programFolder = QCoreApplication::applicationDirPath();
}

PrintEntryPoints::~PrintEntryPoints() = default;

bool PrintEntryPoints::isBusy() const {
  return (driver_ && driver_->isRunning()) || state_.session.previewBusy;
}

bool PrintEntryPoints::RefuseWhileBusy() {
  if (!isBusy()) return false;
  if (mainWindow_.setStatusText) mainWindow_.setStatusText(printtext::kPrinting);
  return true;
}

void PrintEntryPoints::PreparePrint(const QAbstractItemModel& table) {
  if (RefuseWhileBusy()) return;
  table_ = &table;
  if (!driver_ || driverTable_ != &table) {
    JobDriverPorts ports;
    ports.setStatusText = mainWindow_.setStatusText;
    ports.headerTemplate = mainWindow_.headerTemplate;
    ports.footerTemplate = mainWindow_.footerTemplate;
    ports.printByCategory = mainWindow_.printByCategory;
    ports.searchDone = mainWindow_.searchDone;
    ports.showSettingsWindow = [this] { ShowSettingsWindow(); };
    ports.sendToOutput = [this](const JobOutput& output) {
      return ReportOf(RunJobOutput(loops_, output));
    };
    driver_ = std::make_unique<JobDriver>(table, state_.session, state_.columnMap, dialogs_,
                                          std::move(ports));
    driverTable_ = &table;
  }
  driver_->StartPrint();
}

void PrintEntryPoints::PreviewAndSettings(const QAbstractItemModel& table) {
  if (RefuseWhileBusy()) return;
  table_ = &table;
  previewentry::RunPreviewEntry(
      table, state_.columnMap, dialogs_, state_.session,
      mainWindow_.headerTemplate ? mainWindow_.headerTemplate() : QString(),
      mainWindow_.footerTemplate ? mainWindow_.footerTemplate() : QString(),
      [this] { ShowSettingsWindow(); });
}

void PrintEntryPoints::ShowSettingsWindow() {
  PrintSettingsWindow* shown = nullptr;
  SettingsWindowHooks hooks;
  hooks.pagePreview = [this, &shown] {
    if (shown) ShowPagePreview(*shown, preview_);
  };
  hooks.allPagesPreview = [this, &shown] {
    if (shown) ShowAllPages(*shown);
  };
  hooks.setStatusText = mainWindow_.setStatusText;
  hooks.closeProgressWindow = [this] {
    if (state_.progress.isLoaded()) state_.progress.Close();
  };
  hooks.mainWindowChoices = [this] {
    const auto textOf = [](const std::function<QString()>& read) {
      return read ? read() : QString();
    };
    const auto flagOf = [](const std::function<bool()>& read) { return read && read(); };
    return MainWindowChoices{textOf(mainWindow_.headerTemplate), textOf(mainWindow_.footerTemplate),
                             flagOf(mainWindow_.includeSubfolders),
                             flagOf(mainWindow_.printByCategory)};
  };
  hooks.showMainWindowChoices = mainWindow_.showChoices;
  PrintSettingsWindow window(state_.session, dialogs_, state_.pictures, printers_, std::move(hooks),
                             mainWindow_.window);
  shown = &window;
  window.exec();
}

void PrintEntryPoints::ShowAllPages(PrintSettingsWindow& window) {
  PagesRun run;
  run.settings = window.SettingsFromControls();
  // The cell layout 准备打印 would store: the user's, or the default one for the cells
  // the controls describe.
  if (!state_.session.keepsUserLayout()) {
    const CardLayout layout = DefaultCellLayout(run.settings, state_.pictures);
    run.settings.photoArea = layout.photoArea;
    run.settings.textArea = layout.textArea;
  }
  if (table_) {
    const GridShape shape = UsableGridShape(run.settings.rows, run.settings.columns);
    const auto textOf = [](const std::function<QString()>& read) {
      return read ? read() : QString();
    };
    run.jobs = planning::JobsOfRun(planning::ReadRows(*table_, state_.columnMap),
                                   !mainWindow_.printByCategory || mainWindow_.printByCategory(),
                                   shape.rows * shape.columns, textOf(mainWindow_.headerTemplate),
                                   textOf(mainWindow_.footerTemplate));
  }
  PagesWindow pages(std::move(run), state_.pictures, state_.progress, &window);
  pages.exec();
}
