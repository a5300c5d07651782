#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

#include "platform/Desktop.h"

class QStyle;
class QTreeWidget;
class QTreeWidgetItem;
struct CollectState;

// The pictures of the tree's image list, by index.
enum TreeImage : int {
  ImageDesktop = 0,
  ImageDocuments = 1,
  ImageRemovable = 2,
  ImageFixed = 3,
  ImageCdRom = 4,
  ImageFolder = 5,
  ImageRemote = 6,
  ImageOther = 7,
};

// What a top-level item stands for, kept in its data.
enum TreeItemKind : int { KindFolderOrVolume = 0, KindDesktop = 3, KindDocuments = 4 };

QIcon TreeImageIcon(const QStyle& style, TreeImage image);
TreeImage VolumeImage(VolumeKind kind);
// label + "(" + root + ")"; a volume without a label shows only the bracketed root.
QString VolumeItemText(const Volume& volume);

// Sub-folder names of a folder in name order, without hidden ones; an empty path
// lists the current directory, and a folder that cannot be read has none.
QStringList ListSubfolderNames(const QString& folderPath);

// Position of the item in a depth-first, pre-order walk over the whole tree
// (collapsed branches included), 0-based; -1 for none.
int TreeItemIndex(const QTreeWidget& tree, const QTreeWidgetItem* item);
QTreeWidgetItem* TreeItemAt(const QTreeWidget& tree, int index);
// Ancestors plus one: top-level items have depth 1.
int TreeItemDepth(const QTreeWidgetItem* item);

// The drive and folder tree 树型框_文件夹: the desktop and documents entries, one
// entry per volume, and below them the folders the user has opened. Selecting an
// item sets folderPath and relists the item's sub-folders.
class FolderTree {
public:
  FolderTree(QTreeWidget& tree, CollectState& state);

  // The fixed entries followed by one entry per volume, in the order given.
  void Fill(const QList<Volume>& volumes);
  void OnTreeSelect(QTreeWidgetItem* item);
  void RemoveDescendants(int itemIndex);

  // The folder an item stands for, ending in one separator; empty for a desktop or
  // documents entry whose path is unknown (it then means the current directory).
  QString FolderPathOf(const QTreeWidgetItem* item) const;

private:
  QTreeWidgetItem* addTopLevel(const QString& text, TreeImage image, int kind, const QString& root);
  QString topLevelPrefix(const QTreeWidgetItem* top) const;

  QTreeWidget& tree_;
  CollectState& state_;
};
