#pragma once

#include <QChar>
#include <QList>
#include <QStringView>

class ScratchGrid;

// Reading table text as spreadsheets copy it: the first line holds the column titles,
// every further line one row; fields are separated by TAB, lines end in CR LF, LF or CR.
// Spaces inside a field are part of it; only each field's ends are trimmed.

struct TableShape {
  int rows = 0;
  int columns = 0;
  friend bool operator==(const TableShape&, const TableShape&) = default;
};

// The text up to its first NUL character (C strings on the clipboard end there).
QStringView TextBeforeNul(QStringView text);

// The table in a clipboard or list text: the text before its first NUL, without the
// Ctrl-Z end-of-file marks that may close it.
QStringView TableTextOf(QStringView text);

// The lines of the text without their line ends. The text after the last line end is a
// line only when it is not empty, so a final line end adds no empty line.
QList<QStringView> SplitTableLines(QStringView text);

// Fields of one line (without its line end): every separator starts a further field, so
// a separator at the end opens an empty last field, as a spreadsheet writes an empty
// last cell; an empty line is one empty field.
int CountFields(QStringView line, QChar separator);

// Lines and the field count of the first line; (0, 0) for an empty text. When the
// first line is the whole text, without a line end, a TAB at its end opens no column.
TableShape CountTableShape(QStringView text);

// The field without leading and trailing blanks, TABs, CRs and LFs.
QStringView TrimField(QStringView field);

// Pastes the text into the grid from cell (0, 0): line k into row k, field j into
// column j, each trimmed and with its control characters blanked; fields and lines
// beyond the grid are dropped.
void PasteTableText(ScratchGrid& grid, QStringView text);

// Sizes the grid to the text's shape (at least one cell) and pastes the text into it.
void ReadTableText(ScratchGrid& grid, QStringView text);
