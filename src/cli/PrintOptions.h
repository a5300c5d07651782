#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "cli/PrintCommand.h"
#include "settings/StartSettingsFormat.h"

// The options of `quillmere print`, read into a PrintCommand. Pure: nothing is looked
// up outside the arguments (whether the input exists, which printers there are) but
// the start settings file, through the reader the caller gives.

// --settings saved: the start settings saved on this machine.
inline const QString kSavedSettings = QStringLiteral("saved");

// The start settings that --settings names (a file, or kSavedSettings); none when there
// is no such file.
using StartSettingsReader = std::function<std::optional<SettingsReading>(const QString& file)>;

// The named setting sets that --preset chooses from: their names, and one set read as
// the start settings are read.
struct SettingSetReader {
  std::function<QStringList()> names;
  std::function<std::optional<SettingsReading>(const QString& name)> read;
};

// Reads the arguments that follow "print". "--name value" and "--name=value" both
// work; "--" ends the options. --help and --version win over everything else. The
// command starts from the built-in defaults, or from the start settings that
// --settings names or the setting set --preset names, and every other option given
// applies on top, wherever it stands.
ParsedCommand ParsePrintCommand(const QStringList& arguments,
                                const StartSettingsReader& readSettings = {},
                                const SettingSetReader& readSets = {});

// One option as --help lists it.
struct PrintOptionInfo {
  QString name;          // without the leading "--"
  QString value;         // what the option takes, e.g. "N"; empty for a switch
  QString shownDefault;  // the default in the option's own syntax; empty when none
  QString help;          // what it does
};
QList<PrintOptionInfo> PrintOptionList();

// What --help says of an option: its help and its default.
QString OptionDescription(const PrintOptionInfo& option);

// The words of --help around the option list, which the manual page shares.
struct PrintHelpWords {
  QString usage;      // "quillmere print [选项] 输入"
  QString about;      // what the command does and reads, in lines
  QString exitCodes;  // the exit codes, in lines
  QString example;    // one command line
};
PrintHelpWords PrintCommandHelpWords();

// Usage, every option with its default, and the exit codes.
QString PrintCommandHelp();

// The paper names --paper takes besides a size in millimetres.
QStringList PaperNames();

// The names --format takes, in the order of the settings window's 图片格式 list: the
// name at index i is pictureFormat i + 1.
QStringList PageFileFormatNames();
