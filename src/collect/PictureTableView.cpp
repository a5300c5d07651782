#include "collect/PictureTableView.h"

#include <QHeaderView>
#include <QTableView>

#include "collect/PictureTableModel.h"

namespace {

void applyWidths(QTableView& view, const PictureTableModel& model, int first, int last) {
  for (int column = first; column <= last; ++column)
    view.horizontalHeader()->resizeSection(column, model.columnInfo(column).width);
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

  QObject::connect(&model, &QAbstractItemModel::columnsInserted, &view,
                   [&view, &model](const QModelIndex&, int first, int last) {
                     applyWidths(view, model, first, last);
                   });
  QObject::connect(&model, &QAbstractItemModel::modelReset, &view,
                   [&view, &model] { applyWidths(view, model, 0, model.ColumnCount() - 1); });
  applyWidths(view, model, 0, model.ColumnCount() - 1);
}
