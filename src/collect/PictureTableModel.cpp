#include "collect/PictureTableModel.h"

#include <QItemSelectionModel>
#include <algorithm>
#include <utility>

namespace {

Qt::Alignment toQtAlignment(int alignment) {
  switch (alignment) {
    case 1:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2:
      return Qt::AlignRight | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

// A view relaid and repainted for every folder of a search costs far more than the
// search itself; ten batches a second still look live.
constexpr int kAnnounceIntervalMs = 100;

PictureTableModel::PictureTableModel(QObject* parent) : QAbstractTableModel(parent) {
  announceTimer_.setSingleShot(true);
  connect(&announceTimer_, &QTimer::timeout, this, &PictureTableModel::AnnounceAppendedRows);
}

void PictureTableModel::ClearRows() {
  AnnounceAppendedRows();
  if (rows_.isEmpty()) return;
  beginRemoveRows(QModelIndex(), 0, int(rows_.size()) - 1);
  rows_.clear();
  announcedRows_ = 0;
  endRemoveRows();
}

int PictureTableModel::ColumnCount() const {
  return int(columns_.size());
}

void PictureTableModel::DeleteColumn(int column) {
  if (column < 0 || column >= ColumnCount()) return;
  AnnounceAppendedRows();
  beginRemoveColumns(QModelIndex(), column, column);
  columns_.removeAt(column);
  // Rows are stored only as long as their last set cell, so shorter rows need nothing.
  for (QStringList& row : rows_)
    if (column < row.size()) row.removeAt(column);
  endRemoveColumns();
}

int PictureTableModel::InsertColumn(const QString& title, int width, int alignment) {
  AnnounceAppendedRows();
  const int index = ColumnCount();
  beginInsertColumns(QModelIndex(), index, index);
  columns_.append(Column{title, width, alignment});
  endInsertColumns();
  return index;
}

void PictureTableModel::SetColumnTitle(int column, const QString& title) {
  if (column < 0 || column >= ColumnCount()) return;
  columns_[column].title = title;
  Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

QString PictureTableModel::ColumnTitle(int column) const {
  if (column < 0 || column >= ColumnCount()) return QString();
  return columns_.at(column).title;
}

int PictureTableModel::RowCount() const {
  return int(rows_.size());
}

int PictureTableModel::AppendRow() {
  const int index = RowCount();
  rows_.append(QStringList());
  if (!announceTimer_.isActive()) {
    const qint64 since = sinceAnnounce_.isValid() ? sinceAnnounce_.elapsed() : kAnnounceIntervalMs;
    announceTimer_.start(int(std::max<qint64>(0, kAnnounceIntervalMs - since)));
  }
  return index;
}

void PictureTableModel::AnnounceAppendedRows() {
  announceTimer_.stop();
  sinceAnnounce_.start();
  const int total = RowCount();
  if (announcedRows_ >= total) return;
  beginInsertRows(QModelIndex(), announcedRows_, total - 1);
  announcedRows_ = total;
  endInsertRows();
}

void PictureTableModel::SetCell(int row, int column, const QString& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return;
  QStringList& cells = rows_[row];
  if (cells.size() <= column) {
    if (text.isEmpty()) return;  // an absent cell already reads as empty
    cells.resize(column + 1);
  }
  cells[column] = text;
  if (row >= announcedRows_) return;  // views read it when the row is announced
  const QModelIndex changed = index(row, column);
  Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole});
}

QString PictureTableModel::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return QString();
  const QStringList& cells = rows_.at(row);
  return column < cells.size() ? cells.at(column) : QString();
}

void PictureTableModel::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  AnnounceAppendedRows();
  beginRemoveRows(QModelIndex(), row, row);
  rows_.removeAt(row);
  --announcedRows_;
  endRemoveRows();
}

int PictureTableModel::SelectedRow() const {
  if (!selection_ || selection_->model() != this) return -1;
  int first = -1;
  const QItemSelection ranges = selection_->selection();
  for (const QItemSelectionRange& range : ranges)
    if (range.isValid() && (first < 0 || range.top() < first)) first = range.top();
  return first;
}

void PictureTableModel::ClearAll() {
  beginResetModel();
  columns_.clear();
  rows_.clear();
  announcedRows_ = 0;
  endResetModel();
}

void PictureTableModel::ReplaceTable(QList<Column> columns, QList<QStringList> rows) {
  beginResetModel();
  columns_ = std::move(columns);
  rows_ = std::move(rows);
  const qsizetype width = columns_.size();
  for (QStringList& cells : rows_)
    if (cells.size() > width) cells.resize(width);
  announcedRows_ = RowCount();
  endResetModel();
}

const PictureTableModel::Column& PictureTableModel::columnInfo(int column) const {
  static const Column none;
  if (column < 0 || column >= ColumnCount()) return none;
  return columns_.at(column);
}

void PictureTableModel::SetColumnWidth(int column, int width) {
  if (column >= 0 && column < ColumnCount()) columns_[column].width = width;
}

void PictureTableModel::setSelectionModel(QItemSelectionModel* selection) {
  selection_ = selection;
}

int PictureTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : announcedRows_;
}

int PictureTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount();
}

QVariant PictureTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return QVariant();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return Cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(toQtAlignment(columnInfo(index.column()).alignment));
    default:
      return QVariant();
  }
}

QVariant PictureTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal)
    return QAbstractTableModel::headerData(section, orientation, role);
  if (section < 0 || section >= ColumnCount()) return QVariant();
  const Column& column = columns_.at(section);
  switch (role) {
    case Qt::DisplayRole:
      return column.title;
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(toQtAlignment(column.alignment));
    case ColumnWidthRole:
      return column.width;
    default:
      return QVariant();
  }
}

Qt::ItemFlags PictureTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
