// libFuzzer target for the table-text reader and writer: any bytes, decoded as a
// capture list and as clipboard text, must parse without crashing into a grid of the
// counted shape, and that grid written out must read back unchanged.
#include <QByteArrayView>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "exchange/CaptureListText.h"
#include "exchange/ScratchGrid.h"
#include "exchange/TableTextParser.h"
#include "exchange/TableTextWriter.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void ExerciseText(QStringView text) {
  const QStringView table = TextBeforeNul(text);
  const TableShape shape = CountTableShape(table);
  ScratchGrid grid;
  ReadTableText(grid, table);
  Check(grid.rowCount() == std::max(shape.rows, 1));
  Check(grid.columnCount() == std::max(shape.columns, 1));

  ScratchGrid again;
  ReadTableText(again, WriteTableText(grid));
  Check(again.rowCount() == grid.rowCount() && again.columnCount() == grid.columnCount());
  for (int row = 0; row < grid.rowCount(); ++row)
    for (int column = 0; column < std::min(grid.columnCount(), 64); ++column)
      Check(again.cell(row, column) == grid.cell(row, column));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(data, qsizetype(size));
  ExerciseText(DecodeCaptureList(bytes));
  ExerciseText(QString::fromUtf8(bytes));
  return 0;
}
