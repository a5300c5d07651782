#pragma once

#include <QObject>

#include "collect/FolderTree.h"
#include "collect/PictureSearch.h"
#include "collect/PictureTableModel.h"
#include "collect/ShowPicture.h"

class Desktop;
class QAbstractButton;
class QTableView;
class QTreeWidget;
struct CollectState;

// The components of the folder page and the picture list that the picture collection
// drives.
struct CollectionWidgets {
  QTableView& pictureList;               // 超级列表框_显示
  QTreeWidget& folderTree;               // 树型框_文件夹
  QAbstractButton& search;               // 按钮_文件夹搜索
  QAbstractButton& stop;                 // 按钮_文件夹停止搜索
  QAbstractButton& includeSubfolders;    // 选择框_包括文件夹
  QAbstractButton& morePictureFormats;   // 选择框_更多图片格式
  QWidget& owner;                        // the main window, owner of the picture view window
  QAbstractButton* photoInfo = nullptr;  // 选择框_读取拍摄信息; without it no photo columns
};

// Wires the picture collection to the main window: the picture table shown in the
// list, the folder tree filled with the volumes, the search and stop buttons, and the
// list's double-click. Lives as a child of the owner window.
class PictureCollection : public QObject {
  Q_OBJECT
public:
  PictureCollection(const CollectionWidgets& widgets, CollectState& state, Desktop& desktop,
                    StatusSink status);

  PictureTableModel& table() { return table_; }
  PictureSearch& search() { return search_; }
  FolderTree& tree() { return tree_; }
  PictureViewer& viewer() { return viewer_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  PictureTableModel table_;
  PictureSearch search_;
  FolderTree tree_;
  PictureViewer viewer_;
  QWidget* listViewport_;
};
