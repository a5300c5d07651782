#pragma once

#include <QList>
#include <QString>
#include <optional>

// The program's own command line, read before anything needs a display: the window,
// `quillmere print`, or an answer printed at once.

// One way to start the program, as the help and the manual page list it.
struct WayToRun {
  QString command;  // e.g. "quillmere print [选项] 输入"
  QString what;     // one sentence
};
QList<WayToRun> WaysToRun();

// The program's help: every way to run it.
QString ProgramHelp();

// "quillmere VERSION" and a line break, for --version here and after print.
QString VersionLine();

// Answers --help, -h, --version and a first argument the program does not know, with
// the exit code; nothing for the window (no argument, or Qt's own single-dash options)
// and for `quillmere print`, which reads its own arguments.
std::optional<int> AnswerProgramArguments(int argc, char** argv);
