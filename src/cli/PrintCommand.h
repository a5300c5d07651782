#pragma once

#include <QString>
#include <optional>

#include "model/PrintSettings.h"
#include "print/RunCheck.h"

// Exit codes of `quillmere print`.
inline constexpr int kExitDone = 0;
inline constexpr int kExitSomeOutputFailed = 1;  // some page or job could not be made
inline constexpr int kExitBadCommand = 2;        // a bad option, a missing or unreadable input

// What `quillmere print [options] INPUT` asks for.
struct PrintCommand {
  enum class Action { Print, Help, Version };
  Action action = Action::Print;

  // --settings: the start settings file the command starts from, or "saved".
  QString settingsFile;
  // --preset: the setting set (方案) the command starts from.
  QString preset;

  // A table text file, a folder to search, or "-" for standard input.
  QString input;
  bool includeSubfolders = true;  // as the main window's 包括子文件夹 starts
  bool photoInfo = false;         // --photo-info: the search's photo columns, as 读取拍摄信息

  // Column numbers as the user would type them into the column boxes (1-based); unset
  // keeps what the column titles propose.
  std::optional<int> pictureColumn;
  std::optional<int> categoryColumn;
  std::optional<QString> captionColumns;

  // Page files go into outFolder, or the pages go to the printer named here
  // ("default": the system's default printer). Exactly one of the two is set.
  QString outFolder;
  QString printer;

  bool byCategory = true;  // as the main window's 不同文件夹照片要分别打印 starts
  QString headerText;
  QString footerText;
  bool quiet = false;
  // --check: plan the run and list the photos that cannot be printed or print soft,
  // without printing or writing anything.
  bool check = false;
  int minimumPpi = kDefaultMinimumPpi;

  // The settings window's built-in defaults, or the start settings of --settings, with
  // the options applied; toPictureFiles and pictureFormat follow the output chosen.
  PrintSettings settings = PrintSettings::builtInDefaults();

  friend bool operator==(const PrintCommand&, const PrintCommand&) = default;
};

// A parsed command line, or why it is not one.
struct ParsedCommand {
  PrintCommand command;
  QString error;    // empty when the command line is good
  QString warning;  // said once before the run, which goes on

  bool ok() const { return error.isEmpty(); }
};
