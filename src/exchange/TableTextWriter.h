#pragma once

#include <QString>
#include <QStringView>

class ScratchGrid;

// Writing a grid as table text for spreadsheets: the grid's rows top to bottom joined
// with LF, each row's cells left to right joined with TAB, an empty cell an empty field.
// Every row gets exactly one field per grid column. No line end follows the last line,
// unless that line is empty: then one does, so that the row is read back.
QString WriteTableText(const ScratchGrid& grid);

// A cell as one field: its ends trimmed like an imported field, and the TABs, CRs and
// LFs inside it turned into blanks so that it cannot split its row or its line.
QString FieldText(QStringView cell);
