#pragma once

#include <memory>

class DrawPanel;
class PictureRegistry;
class PrinterObject;
class ProgressWindow;
struct SettingsSession;

// Loads the progress window on demand and destroys it on close, so every printed or
// picture-file job starts with a fresh window. While the window lives, its page panel
// and printer are published to the places given (the shared state's references).
class ProgressWindowHost {
public:
  ProgressWindowHost(SettingsSession& session, PictureRegistry& pictures,
                     DrawPanel** panelSlot = nullptr, PrinterObject** printerSlot = nullptr);
  ~ProgressWindowHost();
  ProgressWindowHost(const ProgressWindowHost&) = delete;
  ProgressWindowHost& operator=(const ProgressWindowHost&) = delete;

  // Loads the window if needed, shows it and brings it in front of the other windows
  // without keeping it on top.
  ProgressWindow& Open();
  // Makes it invisible, destroys it and lets pending window events run.
  void Close();

  bool isLoaded() const { return window_ != nullptr; }
  ProgressWindow* window() const { return window_.get(); }

private:
  void publish();

  SettingsSession& session_;
  PictureRegistry& pictures_;
  DrawPanel** panelSlot_;
  PrinterObject** printerSlot_;
  std::unique_ptr<ProgressWindow> window_;
};
