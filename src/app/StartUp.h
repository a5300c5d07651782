#pragma once

#include <QString>
#include <optional>

struct CollectState;
struct MainWindowChoices;
struct SettingsReading;
struct SettingsSession;
class Desktop;
class MainWindow;

// What the main window's creation sets up before the folder tree is filled: no search
// is running, and the desktop and documents folders are known (each ending in one
// separator, or empty when the system cannot tell).
void InitialiseMainWindowState(CollectState& collect, Desktop& desktop);

// The status-bar line for saved start settings that could not all be used.
QString StartSettingsIncompleteText();

// The main window's header and footer templates and check boxes as the choices say.
void ShowMainWindowChoices(MainWindow& window, const MainWindowChoices& choices);

// A run that begins from saved start settings: the session starts from their print
// settings, the main window shows their header, footer and check boxes, and the status
// bar says once when some could not be read. Without saved settings nothing changes.
void ApplyStartSettings(const std::optional<SettingsReading>& saved, SettingsSession& session,
                        MainWindow& window);
