#pragma once

#include "exchange/ScratchGrid.h"

class Desktop;
class Dialogs;
class PictureTableModel;

// No spreadsheet copies more columns than this; text whose title line has more is no
// picture table and is refused rather than laid out column by column.
inline constexpr int kMaxImportColumns = 16384;

// The clipboard page's three actions: bring a table in from the clipboard or from a
// capture-list file, and put the picture table on the clipboard. Both directions pass
// through the scratch grid, which keeps the last table moved until the next exchange.
class TableExchange {
public:
  TableExchange(Dialogs& dialogs, Desktop& desktop, PictureTableModel& table);

  // After the user confirms, replaces the picture table by the clipboard's table text
  // (first line the titles). The clipboard itself is left as it was. Returns whether
  // the table was replaced; a title line of more than kMaxImportColumns fields is
  // refused with a message.
  bool ImportTable();

  // Lets the user pick a capture-list file, puts its text on the clipboard and, after
  // the same confirmation as ImportTable, replaces the picture table by that text (not
  // by whatever the clipboard holds by then). Returns whether the table was replaced. A
  // binary or oversized file is refused with a message, leaving the clipboard and the
  // table as they were.
  bool ImportCaptureList();

  // Puts the picture table, titles first, on the clipboard as table text and says so
  // in a message that closes itself after three seconds.
  void ExportTable();

  const ScratchGrid& scratchGrid() const { return grid_; }

private:
  bool ConfirmImport();
  bool ImportText(const QString& tableText);

  Dialogs& dialogs_;
  Desktop& desktop_;
  PictureTableModel& table_;
  ScratchGrid grid_;
};
