#pragma once

// Creates the shared state and the main window, runs the event loop, returns the
// exit code.
int runApplication(int argc, char** argv);
