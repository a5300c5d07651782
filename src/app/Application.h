#pragma once

#include <functional>

struct AppState;
class MainWindow;

// Called once the main window is shown, before the event loop runs: the seam through
// which a test drives a fully started program.
using StartupHook = std::function<void(MainWindow&, AppState&)>;

// Creates the shared state and the main window, runs the event loop and ends the
// program with exit code 0 when the window is closed or 退出程序 is pressed.
int runApplication(int argc, char** argv, const StartupHook& afterShow = {});
