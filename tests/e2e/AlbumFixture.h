#pragma once

#include <QAbstractItemModel>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeDialogs.h"

class PrintSettingsWindow;

namespace album {

// Writes a photo-like JPEG (colour gradients and a few shapes) of width × height.
bool WritePhoto(const QString& path, int width, int height, int seed);

// Photos in folder/name/, count of them, named 001.jpg …; a photo that cannot be
// written fails the test.
QStringList MakePhotos(const QString& folder, const QString& name, int count, int firstSeed = 0);

// The three column boxes keep their proposals and the confirmation says OK.
void AcceptColumns(FakeDialogs& dialogs);

// Page files written into a folder, in page order (page number, then suffix).
QStringList PageFiles(const QString& folder);

// The rows y..y+height of an image, for comparing a header or footer band pixel by pixel.
QImage Band(const QImage& image, int y, int height);

// The page's header line as the picture-file pages draw it: filled text in the header
// font on a 2100 × 2970 page panel at the given settings, for comparison.
QImage ReferenceHeaderPage(const PrintSettings& settings, const QString& filledText);

// Plays the user at the settings window: each time a settings window opens as the
// active modal window, the next queued action runs on it (set controls, press buttons).
class SettingsWindowScript : public QObject {
public:
  using Action = std::function<void(PrintSettingsWindow&)>;
  SettingsWindowScript();
  void queue(Action action) { actions_.append(std::move(action)); }
  int opened() const { return opened_; }
  int pending() const { return static_cast<int>(actions_.size()); }

private:
  void poll();
  QTimer timer_;
  QList<Action> actions_;
  QPointer<QWidget> handled_;
  int opened_ = 0;
};

// Controls of the settings window by their names.
void SetText(PrintSettingsWindow& window, const char* name, const QString& text);
void SetChecked(PrintSettingsWindow& window, const char* name, bool checked);
void SelectIndex(PrintSettingsWindow& window, const char* name, int index);
void Click(PrintSettingsWindow& window, const char* name);

// The whole program on the offscreen platform: shared state, main window wired as in
// the real start-up, with scripted dialogs and desktop.
struct Program {
  Program();
  ~Program();
  AppState state;
  FakeDialogs dialogs;
  FakeDesktop desktop;
  std::unique_ptr<MainWindow> window;

  // Searches folder and its sub-folders into the picture table, as 搜索 does.
  void Search(const QString& folder);
  void PressPreparePrint();
  void PressPreviewAndSettings();
  QAbstractItemModel* table() const;
};

}  // namespace album
