#pragma once

#include <QDialog>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include "model/PageSetup.h"
#include "model/StartSettings.h"
#include "settings/PrinterCatalog.h"
#include "settings/SettingsForm.h"

class CellEditor;
class Dialogs;
class DrawPanel;
class PictureRegistry;
class QLineEdit;
class SettingSetControls;
struct FontDescription;
struct SettingsSession;

// What the settings window hands on to code that lives above it.
struct SettingsWindowHooks {
  // Both "打印预览" buttons call this (the page preview of the first page).
  std::function<void()> pagePreview;
  // 准备打印 and 取消打印 call this to close the progress window when it is open.
  std::function<void()> closeProgressWindow;
  // The main window's choices that 保存为默认设置 keeps with the print settings.
  std::function<MainWindowChoices()> mainWindowChoices;
  // 全部页面预览: every page the run would print with the settings the controls hold.
  std::function<void()> allPagesPreview;
  // 恢复出厂设置 puts back the main window's choices the saved settings had set.
  std::function<void(const MainWindowChoices&)> showMainWindowChoices;
  // One line in the main window's status bar (a setting set that could not all be read).
  std::function<void(const QString&)> setStatusText;
};

// The print settings window (打印机设置窗口). Built afresh for every opening; the
// constructor runs the opening sequence (hints, printer and paper lists, loading the
// controls from PrintSettings when settings were applied in this run). The caller
// runs it modally with exec() and then reads session.printSettings.confirmed.
//
// 准备打印 stores the controls into PrintSettings and closes; 取消打印 closes and
// forgets that settings were applied; the close box clears "confirmed". While the
// session's previewBusy is set none of the three closes the window.
//
// 保存为默认设置 writes what 准备打印 would store, with the main window's choices, to
// the session's start settings file; 恢复出厂设置 removes that file and shows the
// built-in defaults, also in the main window where the saved choices still stand.
// Neither closes the window or touches "confirmed".
class PrintSettingsWindow : public QDialog {
  Q_OBJECT
public:
  PrintSettingsWindow(SettingsSession& session, Dialogs& dialogs, PictureRegistry& pictures,
                      PrinterCatalog printers, SettingsWindowHooks hooks,
                      QWidget* parent = nullptr);
  ~PrintSettingsWindow() override;

  // Copies the controls (and the working cell layout) into PrintSettings and sets
  // "confirmed"; warns, and goes on, when the paper width or height box is empty.
  void StoreSettings();
  // What StoreSettings would store, leaving PrintSettings as it is.
  PrintSettings SettingsFromControls() const;
  // Asks the user to set the paper again when its width or height box is empty.
  void WarnIfPaperMissing();

  // Keeps the start settings for the next runs, or goes back to the built-in ones.
  void SaveAsStartSettings();
  void RestoreFactorySettings();

  // A setting set's values in the controls, as a first opening shows saved start
  // settings: fonts, printer, 打印成图片, copies, picture format and cell layout too.
  void ShowSettingSet(const PrintSettings& set);

  // Refreshes the cell layout from the controls before the settings are stored: keeps
  // the user's layout when there is one, otherwise recomputes the default layout.
  void RefreshCellPreview();

  // The cell layout editor's two previews and its layout capture.
  void ShowCellPreview();
  void ShowDefaultCellPreview();
  void CaptureLayout();

  // For the page preview: the numbers in the boxes, each truncated to a whole number
  // (paper, margins and distances in mm, spacings turned from 0.1 mm into whole mm),
  // the panel 画板_预览 it draws on, and the shared settings state.
  PageSetup pagePreviewInputs() const;
  DrawPanel* pagePreviewPanel() const;
  SettingsSession& session() { return session_; }
  const SettingsForm& form() const { return form_; }

protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Connect();
  void Open(const PrinterCatalog& printers);
  void ResetSmallFonts();
  // What 保存为默认设置 and 保存方案… keep: the controls' settings, unless a count is
  // below one or the paper is empty (the user is told), or a value is beyond what a
  // settings file takes (said in "refusal").
  std::optional<PrintSettings> SettingsToKeep(QString& refusal);
  void LoadControlsFromSettings();
  void ShowStartSettings(const PrintSettings& start);
  void ShowStartCopiesAndFormat();
  void LoadControls(const PrintSettings& s);
  void SelectPrinter(const QString& wanted);
  void SelectA4Paper();

  void Confirm();
  void Cancel();
  bool RefuseCountsBelowOne();
  bool RefuseMarginsOutOfRange();
  struct NamedBox {
    QLineEdit* box;
    QString field;
  };
  // Warns about the first box whose text `fits` refuses, in the words `warning` gives for
  // its field, and puts the cursor there.
  bool RefuseFirstUnfit(std::initializer_list<NamedBox> boxes,
                        const std::function<bool(const QString&)>& fits,
                        const std::function<QString(const QString&)>& warning);
  bool RefuseEmptyPaper();
  void ChoosePaper(int row);
  void ChooseFont(FontDescription& font);
  void LeaveIntegerBox(QLineEdit* box);
  void MoveSliderToBox(QLineEdit* box);

  SettingsSession& session_;
  Dialogs& dialogs_;
  PrinterCatalog printers_;
  SettingsWindowHooks hooks_;
  SettingsForm form_;
  std::unique_ptr<CellEditor> editor_;
  SettingSetControls* settingSets_ = nullptr;  // a child of the window
  // Once a set was chosen: whether it brought a cell layout to keep, or the default
  // layout is to be computed from the boxes.
  std::optional<bool> setBringsLayout_;
};
