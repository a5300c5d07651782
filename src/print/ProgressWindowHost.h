#pragma once

#include <memory>

class ProgressWindow;
struct SettingsSession;

// Loads the progress window on demand and destroys it on close, so every printed or
// picture-file job starts with a fresh window. The window holds nothing a page run
// draws on, so it may be closed at any time.
class ProgressWindowHost {
public:
  explicit ProgressWindowHost(SettingsSession& session);
  ~ProgressWindowHost();
  ProgressWindowHost(const ProgressWindowHost&) = delete;
  ProgressWindowHost& operator=(const ProgressWindowHost&) = delete;

  // Loads the window if needed, shows it and brings it in front of the other windows
  // without keeping it on top. While a modal window is open (the settings window during
  // a preview), the progress window stands over it and takes clicks.
  ProgressWindow& Open();
  // Makes it invisible, destroys it and lets pending window events run.
  void Close();

  bool isLoaded() const { return window_ != nullptr; }
  ProgressWindow* window() const { return window_.get(); }

private:
  SettingsSession& session_;
  std::unique_ptr<ProgressWindow> window_;
};
