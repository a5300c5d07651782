#pragma once

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class QItemSelectionModel;

// The PictureTable: titled columns and text rows, the one list the program prints
// from. Shown read-only by the list view 超级列表框_显示; row and column indexes are
// 0-based. Appending rows is O(1) and does not relayout the view per row: views
// learn of appended rows in batches, at most ten times a second while rows keep
// coming (and at once at the next change of the table's shape, or on
// AnnounceAppendedRows), so rowCount() may trail RowCount() meanwhile. The capitalised
// operations always see every row.
class PictureTableModel : public QAbstractTableModel {
  Q_OBJECT
public:
  struct Column {
    QString title;
    int width = 50;
    int alignment = 0;          // 0 left, 1 centre, 2 right
    bool widenToTitle = false;  // shown at least as wide as its title (imported columns)
  };

  // headerData role under which a column's width in pixels is offered to the view.
  static constexpr int ColumnWidthRole = Qt::UserRole + 1;

  explicit PictureTableModel(QObject* parent = nullptr);

  void ClearRows();
  int ColumnCount() const;
  void DeleteColumn(int column);
  int InsertColumn(const QString& title = QString(), int width = 50, int alignment = 0);
  void SetColumnTitle(int column, const QString& title);
  QString ColumnTitle(int column) const;
  int RowCount() const;
  int AppendRow();
  void SetCell(int row, int column, const QString& text);
  QString Cell(int row, int column) const;  // empty outside the table
  void DeleteRow(int row);
  int SelectedRow() const;  // first selected row, -1 when none

  // Removes every column and row at once (a search or an import replaces the table).
  void ClearAll();
  // Replaces columns and rows in one reset (a large import stays linear). Cells beyond
  // the last column are dropped; rows may be shorter than the column count.
  void ReplaceTable(QList<Column> columns, QList<QStringList> rows);
  // Tells views about the rows appended since the last announcement.
  void AnnounceAppendedRows();
  const Column& columnInfo(int column) const;
  // The width the list view shows a column at, once the user dragged its divider; an
  // import keeps the first column's.
  void SetColumnWidth(int column, int width);
  void setSelectionModel(QItemSelectionModel* selection);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
  QList<Column> columns_;
  QList<QStringList> rows_;
  QPointer<QItemSelectionModel> selection_;
  int announcedRows_ = 0;  // rows the views know of; the rest wait for the batch
  QTimer announceTimer_;
  QElapsedTimer sinceAnnounce_;
};
