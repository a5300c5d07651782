#include "collect/PictureTableView.h"

#include <QHeaderView>
#include <QTableView>
#include <algorithm>
#include <memory>

#include "collect/PictureTableModel.h"

namespace {

// A column opens at the table's width for it; one that asks to be widened to its title
// opens at least as wide as the title, so the titles of an imported table can be read.
void applyWidths(QTableView& view, const PictureTableModel& model, int first, int last) {
  QHeaderView& header = *view.horizontalHeader();
  for (int column = first; column <= last; ++column) {
    const PictureTableModel::Column& info = model.columnInfo(column);
    header.resizeSection(column, info.widenToTitle
                                     ? std::max(info.width, header.sectionSizeHint(column))
                                     : info.width);
  }
}

}  // namespace

void AttachPictureTable(QTableView& view, PictureTableModel& model) {
  view.setModel(&model);
  model.setSelectionModel(view.selectionModel());
  view.setSelectionBehavior(QAbstractItemView::SelectRows);
  view.setSelectionMode(QAbstractItemView::ExtendedSelection);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setWordWrap(false);
  view.setShowGrid(false);
  view.setSortingEnabled(false);
  view.verticalHeader()->hide();
  // Fixed row heights keep appending a row from measuring its contents.
  view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 4);
  view.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  view.horizontalHeader()->setStretchLastSection(false);
  view.horizontalHeader()->setHighlightSections(false);

  // The table learns every width the view shows, the ones the user drags included, so
  // an import keeps the first column as the user left it. While the header lays out
  // sections of its own for a changed table, its sizes are not the table's.
  const auto headerOwnSizes = std::make_shared<bool>(false);
  QObject::connect(view.horizontalHeader(), &QHeaderView::sectionResized, &view,
                   [&model, headerOwnSizes](int column, int, int width) {
                     if (!*headerOwnSizes) model.SetColumnWidth(column, width);
                   });
  const auto headerLaysOut = [headerOwnSizes] { *headerOwnSizes = true; };
  QObject::connect(&model, &QAbstractItemModel::modelAboutToBeReset, &view, headerLaysOut);
  QObject::connect(&model, &QAbstractItemModel::columnsAboutToBeInserted, &view, headerLaysOut);
  QObject::connect(&model, &QAbstractItemModel::columnsInserted, &view,
                   [&view, &model, headerOwnSizes](const QModelIndex&, int first, int last) {
                     *headerOwnSizes = false;
                     applyWidths(view, model, first, last);
                   });
  QObject::connect(&model, &QAbstractItemModel::modelReset, &view, [&view, &model, headerOwnSizes] {
    *headerOwnSizes = false;
    applyWidths(view, model, 0, model.ColumnCount() - 1);
  });
  applyWidths(view, model, 0, model.ColumnCount() - 1);
}
