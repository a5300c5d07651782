#include "collect/FolderTree.h"

#include <QStyle>
#include <QTreeWidget>
#include <memory>

#include "collect/CollectState.h"
#include "collect/FolderListing.h"
#include "platform/Paths.h"

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kRootRole = Qt::UserRole + 1;

// Counts items in pre-order below (and including) item until target is met.
bool walkTo(const QTreeWidgetItem* item, const QTreeWidgetItem* target, int& index) {
  if (item == target) return true;
  ++index;
  for (int i = 0; i < item->childCount(); ++i)
    if (walkTo(item->child(i), target, index)) return true;
  return false;
}

QTreeWidgetItem* walkToIndex(QTreeWidgetItem* item, int& remaining) {
  if (remaining == 0) return item;
  --remaining;
  for (int i = 0; i < item->childCount(); ++i)
    if (QTreeWidgetItem* found = walkToIndex(item->child(i), remaining)) return found;
  return nullptr;
}

}  // namespace

QIcon TreeImageIcon(const QStyle& style, TreeImage image) {
  switch (image) {
    case ImageDesktop:
      return style.standardIcon(QStyle::SP_DesktopIcon);
    case ImageDocuments:
      return style.standardIcon(QStyle::SP_DirHomeIcon);
    case ImageRemovable:
      return style.standardIcon(QStyle::SP_DriveFDIcon);
    case ImageFixed:
      return style.standardIcon(QStyle::SP_DriveHDIcon);
    case ImageCdRom:
      return style.standardIcon(QStyle::SP_DriveCDIcon);
    case ImageFolder:
      return style.standardIcon(QStyle::SP_DirIcon);
    case ImageRemote:
      return style.standardIcon(QStyle::SP_DriveNetIcon);
    case ImageOther:
      return style.standardIcon(QStyle::SP_ComputerIcon);
  }
  return QIcon();
}

TreeImage VolumeImage(VolumeKind kind) {
  switch (kind) {
    case VolumeKind::Removable:
      return ImageRemovable;
    case VolumeKind::Fixed:
      return ImageFixed;
    case VolumeKind::Remote:
      return ImageRemote;
    case VolumeKind::CdRom:
      return ImageCdRom;
    case VolumeKind::RamDisk:
    case VolumeKind::Other:
      return ImageOther;
  }
  return ImageOther;
}

QString VolumeItemText(const Volume& volume) {
  return volume.label + u'(' + volume.root + u')';
}

QStringList ListSubfolderNames(const QString& folderPath) {
  ListingOptions options;
  options.linkedFoldersAsFolders = true;
  options.hiddenFolders = false;
  const FolderListing listing = ListFolder(NativePath(folderPath), options);
  QStringList names;
  names.reserve(listing.folders.size());
  for (const FolderEntry& folder : listing.folders) names.append(folder.name);
  return names;
}

int TreeItemIndex(const QTreeWidget& tree, const QTreeWidgetItem* item) {
  if (!item) return -1;
  int index = 0;
  for (int i = 0; i < tree.topLevelItemCount(); ++i)
    if (walkTo(tree.topLevelItem(i), item, index)) return index;
  return -1;
}

QTreeWidgetItem* TreeItemAt(const QTreeWidget& tree, int index) {
  if (index < 0) return nullptr;
  for (int i = 0; i < tree.topLevelItemCount(); ++i)
    if (QTreeWidgetItem* found = walkToIndex(tree.topLevelItem(i), index)) return found;
  return nullptr;
}

int TreeItemDepth(const QTreeWidgetItem* item) {
  int depth = 0;
  for (; item; item = item->parent()) ++depth;
  return depth;
}

FolderTree::FolderTree(QTreeWidget& tree, CollectState& state) : tree_(tree), state_(state) {
  tree_.setHeaderHidden(true);
  tree_.setColumnCount(1);
  tree_.setIconSize(QSize(20, 19));
}

void FolderTree::Fill(const QList<Volume>& volumes) {
  addTopLevel(QStringLiteral("桌面"), ImageDesktop, KindDesktop, QString());
  addTopLevel(QStringLiteral("我的文档"), ImageDocuments, KindDocuments, QString());
  for (const Volume& volume : volumes)
    addTopLevel(VolumeItemText(volume), VolumeImage(volume.kind), KindFolderOrVolume, volume.root);
}

QTreeWidgetItem* FolderTree::addTopLevel(const QString& text, TreeImage image, int kind,
                                         const QString& root) {
  auto* item = new QTreeWidgetItem(QStringList{text});
  item->setIcon(0, TreeImageIcon(*tree_.style(), image));
  item->setData(0, kKindRole, kind);
  if (!root.isEmpty()) item->setData(0, kRootRole, root);
  tree_.addTopLevelItem(item);
  return item;
}

QString FolderTree::topLevelPrefix(const QTreeWidgetItem* top) const {
  switch (top->data(0, kKindRole).toInt()) {
    case KindDesktop:
      return state_.desktopPath;
    case KindDocuments:
      return state_.documentsPath;
    default:
      return withTrailingSeparator(top->data(0, kRootRole).toString());
  }
}

QString FolderTree::FolderPathOf(const QTreeWidgetItem* item) const {
  if (!item) return QString();
  QString below;
  const QTreeWidgetItem* top = item;
  for (; top->parent(); top = top->parent()) below = top->text(0) + u'/' + below;
  return topLevelPrefix(top) + below;
}

void FolderTree::OnTreeSelect(QTreeWidgetItem* item) {
  if (!item) return;
  state_.selectedTreeItem = TreeItemIndex(tree_, item);
  state_.selectedTreeLevel = TreeItemDepth(item);
  state_.folderPath = FolderPathOf(item);
  RemoveDescendants(state_.selectedTreeItem);
  const QIcon folderIcon = TreeImageIcon(*tree_.style(), ImageFolder);
  QList<QTreeWidgetItem*> children;
  const QStringList names = ListSubfolderNames(state_.folderPath);
  children.reserve(names.size());
  for (const QString& name : names) {
    auto* child = new QTreeWidgetItem(QStringList{name});
    child->setIcon(0, folderIcon);
    child->setData(0, kKindRole, KindFolderOrVolume);
    children.append(child);
  }
  item->addChildren(children);
  item->setExpanded(true);
}

void FolderTree::RemoveDescendants(int itemIndex) {
  QTreeWidgetItem* item = TreeItemAt(tree_, itemIndex);
  if (!item) return;
  const QList<QTreeWidgetItem*> descendants = item->takeChildren();
  for (QTreeWidgetItem* child : descendants) delete child;
}
