#include "app/StartUp.h"

#include <QCheckBox>
#include <QLineEdit>

#include "app/MainWindow.h"
#include "collect/CollectState.h"
#include "platform/Desktop.h"
#include "platform/Paths.h"
#include "settings/SettingsSession.h"
#include "settings/StartSettingsFormat.h"

void InitialiseMainWindowState(CollectState& collect, Desktop& desktop) {
  collect.searchDone = true;
  collect.desktopPath = withTrailingSeparator(desktop.desktopPath());
  collect.documentsPath = withTrailingSeparator(desktop.documentsPath());
}

QString StartSettingsIncompleteText() {
  return QStringLiteral("保存的默认设置未能全部读取，读不出的设置已改用出厂设置。");
}

void ShowMainWindowChoices(MainWindow& window, const MainWindowChoices& choices) {
  window.headerEdit()->setText(choices.headerTemplate);
  window.footerEdit()->setText(choices.footerTemplate);
  window.includeSubfoldersBox()->setChecked(choices.includeSubfolders);
  window.byFolderBox()->setChecked(choices.printByCategory);
}

void ApplyStartSettings(const std::optional<SettingsReading>& saved, SettingsSession& session,
                        MainWindow& window) {
  if (!saved) return;
  session.startFrom(saved->settings.print);
  ShowMainWindowChoices(window, saved->settings.mainWindow);
  if (saved->incomplete()) window.setStatusText(StartSettingsIncompleteText());
}
