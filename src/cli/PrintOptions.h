#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "cli/PrintCommand.h"

// The options of `quillmere print`, read into a PrintCommand. Pure: nothing is looked
// up outside the arguments (whether the input exists, which printers there are).

// Reads the arguments that follow "print". "--name value" and "--name=value" both
// work; "--" ends the options. --help and --version win over everything else.
ParsedCommand ParsePrintCommand(const QStringList& arguments);

// One option as --help lists it.
struct PrintOptionInfo {
  QString name;          // without the leading "--"
  QString value;         // what the option takes, e.g. "N"; empty for a switch
  QString shownDefault;  // the default in the option's own syntax; empty when none
};
QList<PrintOptionInfo> PrintOptionList();

// Usage, every option with its default, and the exit codes.
QString PrintCommandHelp();

// The names --format takes, in the order of the settings window's 图片格式 list: the
// name at index i is pictureFormat i + 1.
QStringList PageFileFormatNames();
