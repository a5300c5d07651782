#pragma once

struct AppState;
class Desktop;
class Dialogs;
class MainWindow;

// Connects each subsystem to the main window's components. Runs once, after the shared
// state is initialised and before the window is shown. What it creates lives as a
// child of the window (a QObject parent) or inside the connections it makes, so it
// goes when the window goes.
void wireSubsystems(MainWindow& window, AppState& state, Dialogs& dialogs, Desktop& desktop);
