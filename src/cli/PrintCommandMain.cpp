#include "cli/PrintCommandMain.h"

#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "QuillmereVersion.h"
#include "cli/PrintOptions.h"
#include "cli/PrintRun.h"
#include "cli/ProgramArguments.h"
#include "settings/SettingSets.h"
#include "settings/SettingsFile.h"

namespace {

void Write(std::FILE* stream, const QString& text) {
  std::fputs(text.toUtf8().constData(), stream);
  std::fflush(stream);
}

// Standard error belongs to the run's own progress and messages; Qt's notes about the
// platform it runs on (no window system, no runtime folder) are no news to the user.
void KeepSeriousQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Write(stderr, message + u'\n');
}

}  // namespace

bool IsPrintCommand(int argc, char** argv) {
  return argc > 1 && std::strcmp(argv[1], "print") == 0;
}

int RunPrintCommand(int argc, char** argv) {
  QStringList arguments;
  for (int i = 2; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  // The saved start settings are found by the program's name, as the window finds them.
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  const SettingSets sets(SavedSettingsPath());
  const ParsedCommand parsed = ParsePrintCommand(
      arguments,
      [](const QString& file) {
        return ReadSettingsFile(file == kSavedSettings ? SavedSettingsPath() : file);
      },
      {[&sets] { return sets.Names(); }, [&sets](const QString& name) { return sets.Read(name); }});
  if (!parsed.ok()) {
    Write(stderr, QStringLiteral("quillmere print: %1 用 quillmere print --help 查看全部选项。\n")
                      .arg(parsed.error));
    return kExitBadCommand;
  }
  switch (parsed.command.action) {
    case PrintCommand::Action::Help:
      Write(stdout, PrintCommandHelp());
      return kExitDone;
    case PrintCommand::Action::Version:
      Write(stdout, VersionLine());
      return kExitDone;
    case PrintCommand::Action::Print:
      break;
  }

  if (!parsed.warning.isEmpty())
    Write(stderr, QStringLiteral("quillmere print: %1\n").arg(parsed.warning));

  qInstallMessageHandler(KeepSeriousQtMessages);
  // No window is ever shown, so no display is needed: the pages are drawn off screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt reads options of its own from the command line; the print options are not its.
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));

  QFile standardInput;
  standardInput.open(stdin, QIODevice::ReadOnly);
  PrintRunConsole console;
  console.writeError = [](const QString& text) { Write(stderr, text); };
  console.writeOutput = [](const QString& text) { Write(stdout, text); };
  console.errorIsTerminal = isatty(fileno(stderr)) == 1;
  console.standardInput = &standardInput;
  return RunPrint(parsed.command, console);
}
