#pragma once

// True when the program was started as `quillmere print …`.
bool IsPrintCommand(int argc, char** argv);

// `quillmere print [options] INPUT`: reads the options, prints without showing a
// window — on Qt's offscreen platform unless QT_QPA_PLATFORM names another — and
// returns the exit code.
int RunPrintCommand(int argc, char** argv);
