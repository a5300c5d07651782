#pragma once

struct CollectState;
class Desktop;

// What the main window's creation sets up before the folder tree is filled: no search
// is running, and the desktop and documents folders are known (each ending in one
// separator, or empty when the system cannot tell).
void InitialiseMainWindowState(CollectState& collect, Desktop& desktop);
