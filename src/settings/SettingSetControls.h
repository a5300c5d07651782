#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "model/StartSettings.h"
#include "settings/SettingSets.h"

class Dialogs;
class QComboBox;
class QDialog;
class QPushButton;

// What the setting-set controls need from the settings window they sit on.
struct SettingSetHost {
  // The window's settings as a set would keep them; none when they cannot be kept:
  // the window has said why, or says it in the refusal.
  std::function<std::optional<PrintSettings>(QString& refusal)> settingsToKeep;
  // Puts a set's values into the window's controls.
  std::function<void(const PrintSettings&)> show;
  // Says one line in the main window's status bar.
  std::function<void(const QString&)> setStatusText;
  // The installed printers, asked when a set names one.
  std::function<QStringList()> installedPrinters;
};

// The named setting sets on the settings window: the drop-down 组合框_方案 of the
// saved sets, 保存方案… (a name asked in the input box; an existing set is replaced
// only when the user agrees) and 删除方案 (the chosen set, once the user agrees).
// Choosing a set in the drop-down shows it in the window's controls; a set that could
// not all be read shows the built-in values for what it lacks, and the status bar says so.
class SettingSetControls : public QObject {
  Q_OBJECT
public:
  SettingSetControls(QDialog& window, const QString& startSettingsFile, Dialogs& dialogs,
                     SettingSetHost host);

  void SaveSet();
  void DeleteSet();
  void ChooseSet(const QString& name);

  QComboBox* setList() const { return list_; }

private:
  void FillList(const QString& current);
  QString ChosenName() const;

  SettingSets sets_;
  Dialogs& dialogs_;
  SettingSetHost host_;
  QComboBox* list_;
  QPushButton* save_;
  QPushButton* delete_;
};

// The status-bar line for a set that could not all be read.
QString SettingSetIncompleteText(const QString& name);
