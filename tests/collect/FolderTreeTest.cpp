#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTreeWidget>

#include "SandboxDir.h"
#include "collect/CollectState.h"
#include "collect/FolderTree.h"
#include "platform/Paths.h"

namespace {

QStringList childTexts(const QTreeWidgetItem* item) {
  QStringList texts;
  for (int i = 0; i < item->childCount(); ++i) texts.append(item->child(i)->text(0));
  return texts;
}

QTreeWidgetItem* child(QTreeWidgetItem* item, const QString& text) {
  for (int i = 0; i < item->childCount(); ++i)
    if (item->child(i)->text(0) == text) return item->child(i);
  return nullptr;
}

// The tree as the main window fills it, with two volumes rooted in sandboxes.
struct Tree {
  SandboxDir one{{"b/", "A/inner/deep/", "c d/", "中文/", ".hidden/", "file.jpg"}};
  SandboxDir two{{"x/", "y/"}};
  CollectState state;
  QTreeWidget widget;
  FolderTree tree{widget, state};

  Tree() {
    QString rootOne = one.folder();
    rootOne.chop(1);
    tree.Fill({{rootOne, QStringLiteral("Data"), VolumeKind::Fixed},
               {two.folder(), QString(), VolumeKind::Removable}});
  }
  QTreeWidgetItem* top(int i) { return widget.topLevelItem(i); }
  QTreeWidgetItem* select(QTreeWidgetItem* item) {
    tree.OnTreeSelect(item);
    return item;
  }
};

}  // namespace

TEST(FolderTree, StartsWithTheFixedEntriesThenOneEntryPerVolume) {
  Tree t;
  ASSERT_EQ(t.widget.topLevelItemCount(), 4);
  EXPECT_EQ(t.top(0)->text(0), QStringLiteral("桌面"));
  EXPECT_EQ(t.top(1)->text(0), QStringLiteral("我的文档"));
  QString rootOne = t.one.folder();
  rootOne.chop(1);
  EXPECT_EQ(t.top(2)->text(0), "Data(" + rootOne + ")");
  EXPECT_EQ(t.top(3)->text(0), "(" + t.two.folder() + ")");
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(t.top(i)->icon(0).isNull());
  EXPECT_EQ(t.top(0)->childCount(), 0);
}

TEST(FolderTree, VolumeKindsPickTheirPictures) {
  EXPECT_EQ(VolumeImage(VolumeKind::Removable), ImageRemovable);
  EXPECT_EQ(VolumeImage(VolumeKind::Fixed), ImageFixed);
  EXPECT_EQ(VolumeImage(VolumeKind::Remote), ImageRemote);
  EXPECT_EQ(VolumeImage(VolumeKind::CdRom), ImageCdRom);
  EXPECT_EQ(VolumeImage(VolumeKind::RamDisk), ImageOther);
  EXPECT_EQ(VolumeImage(VolumeKind::Other), ImageOther);
}

TEST(FolderTree, SelectingAVolumeListsItsFoldersInNameOrder) {
  Tree t;
  QTreeWidgetItem* volume = t.select(t.top(2));
  EXPECT_EQ(t.state.folderPath, t.one.folder());
  EXPECT_EQ(childTexts(volume), (QStringList{"A", "b", "c d", "中文"}));
  EXPECT_TRUE(volume->isExpanded());
  EXPECT_EQ(t.state.selectedTreeItem, 2);
  EXPECT_EQ(t.state.selectedTreeLevel, 1);
}

TEST(FolderTree, ASubfolderPathIsBuiltFromTheItemsAboveIt) {
  Tree t;
  QTreeWidgetItem* inner = t.select(child(t.select(t.select(t.top(2))->child(0)), "inner"));
  EXPECT_EQ(t.state.folderPath, t.one.folder("A/inner"));
  EXPECT_EQ(childTexts(inner), QStringList{"deep"});
  EXPECT_EQ(t.state.selectedTreeLevel, 3);
  EXPECT_EQ(t.state.selectedTreeItem, 4);  // 桌面, 我的文档, Data, A, inner
  t.select(child(t.top(2), "c d"));
  EXPECT_EQ(t.state.folderPath, t.one.folder("c d"));
  t.select(child(t.top(2), "中文"));
  EXPECT_EQ(t.state.folderPath, t.one.folder("中文"));
}

TEST(FolderTree, EntersFoldersWhoseNamesAreNotValidText) {
  Tree t;
  const QByteArray raw = t.one.nativePath(QString()) + "/\xff\xfe";
  ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
  ASSERT_EQ(::mkdir((raw + "/inner").constData(), 0755), 0);
  t.select(t.top(2));
  QTreeWidgetItem* odd = child(t.top(2), PathFromNative("\xff\xfe"));
  ASSERT_NE(odd, nullptr);
  t.select(odd);
  EXPECT_EQ(NativePath(t.state.folderPath), raw + '/');
  EXPECT_EQ(childTexts(odd), QStringList{"inner"});
}

TEST(FolderTree, SelectingAgainLeavesOneSetOfChildren) {
  Tree t;
  t.select(t.top(3));
  t.select(t.top(3)->child(0));
  t.select(t.top(3));
  EXPECT_EQ(childTexts(t.top(3)), (QStringList{"x", "y"}));
  t.select(t.top(3));
  EXPECT_EQ(childTexts(t.top(3)), (QStringList{"x", "y"}));
}

TEST(FolderTree, RelistingOneEntryKeepsTheOtherEntriesOpen) {
  Tree t;
  t.select(t.select(t.select(t.top(2))->child(0))->child(0));  // Data > A > inner > deep
  t.select(t.top(3));
  t.select(t.top(2));
  EXPECT_EQ(childTexts(t.top(2)), (QStringList{"A", "b", "c d", "中文"}));
  EXPECT_EQ(t.top(2)->child(0)->childCount(), 0);
  EXPECT_EQ(childTexts(t.top(3)), (QStringList{"x", "y"}));
}

TEST(FolderTree, AFolderThatCannotBeListedGetsNoChildren) {
  CollectState state;
  QTreeWidget widget;
  FolderTree tree(widget, state);
  tree.Fill({{QStringLiteral("/no/such/volume"), QStringLiteral("光盘"), VolumeKind::CdRom}});
  tree.OnTreeSelect(widget.topLevelItem(2));
  EXPECT_EQ(state.folderPath, QStringLiteral("/no/such/volume/"));
  EXPECT_EQ(widget.topLevelItem(2)->childCount(), 0);
}

TEST(FolderTree, DesktopAndDocumentsUseTheirPathsOrTheCurrentDirectory) {
  Tree t;
  t.state.desktopPath = t.two.folder();
  t.select(t.top(0));
  EXPECT_EQ(t.state.folderPath, t.two.folder());
  t.select(t.top(0)->child(1));
  EXPECT_EQ(t.state.folderPath, t.two.folder("y"));

  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(t.one.folder("A")));
  t.select(t.top(1));
  QDir::setCurrent(previous);
  EXPECT_EQ(t.state.folderPath, QString());
  EXPECT_EQ(childTexts(t.top(1)), QStringList{"inner"});
}

TEST(FolderTree, ItemsAreCountedDepthFirstIncludingCollapsedBranches) {
  Tree t;
  t.select(t.select(t.top(2))->child(0));  // Data > A > inner
  t.widget.collapseAll();
  QTreeWidgetItem* inner = t.top(2)->child(0)->child(0);
  EXPECT_EQ(TreeItemIndex(t.widget, inner), 4);
  EXPECT_EQ(TreeItemAt(t.widget, 4), inner);
  EXPECT_EQ(TreeItemAt(t.widget, 5), t.top(2)->child(1));
  EXPECT_EQ(TreeItemAt(t.widget, 8), t.top(3));
  EXPECT_EQ(TreeItemAt(t.widget, 9), nullptr);
  EXPECT_EQ(TreeItemIndex(t.widget, nullptr), -1);
  EXPECT_EQ(TreeItemDepth(inner), 3);

  t.tree.RemoveDescendants(2);
  EXPECT_EQ(t.top(2)->childCount(), 0);
  EXPECT_EQ(TreeItemAt(t.widget, 3), t.top(3));
}
