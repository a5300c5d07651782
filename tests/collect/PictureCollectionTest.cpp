#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "SandboxDir.h"
#include "collect/CollectState.h"
#include "collect/PictureCollection.h"
#include "platform/FakeDesktop.h"

namespace {

struct Window {
  SandboxDir box{{"Photos/a.jpg", "Photos/sub/b.jpg", "Photos/c.heic"}};
  QWidget owner;
  QTableView* list = new QTableView(&owner);
  QTreeWidget* tree = new QTreeWidget(&owner);
  QPushButton* search = new QPushButton(&owner);
  QPushButton* stop = new QPushButton(&owner);
  QCheckBox* includeSubfolders = new QCheckBox(&owner);
  QCheckBox* morePictureFormats = new QCheckBox(&owner);
  CollectState state;
  FakeDesktop desktop;
  QString status;
  PictureCollection* collection = nullptr;

  Window() {
    includeSubfolders->setChecked(true);
    QString root = box.folder();
    root.chop(1);
    desktop.mountedVolumes = {{root, QStringLiteral("Box"), VolumeKind::Fixed}};
    collection = new PictureCollection(
        {*list, *tree, *search, *stop, *includeSubfolders, *morePictureFormats, owner}, state,
        desktop, [this](const QString& text) { status = text; });
    list->resize(400, 300);
    owner.show();
  }
};

}  // namespace

TEST(PictureCollection, FillsTheTreeAndFollowsItsSelection) {
  Window w;
  ASSERT_EQ(w.tree->topLevelItemCount(), 3);
  w.tree->setCurrentItem(w.tree->topLevelItem(2));
  EXPECT_EQ(w.state.folderPath, w.box.folder());
  ASSERT_EQ(w.tree->topLevelItem(2)->childCount(), 1);
  w.tree->setCurrentItem(w.tree->topLevelItem(2)->child(0));
  EXPECT_EQ(w.state.folderPath, w.box.folder("Photos"));
}

TEST(PictureCollection, SearchButtonReadsItsTwoCheckBoxes) {
  Window w;
  w.state.folderPath = w.box.folder("Photos");
  w.search->click();
  EXPECT_EQ(w.collection->table().RowCount(), 2);
  EXPECT_EQ(w.status, QStringLiteral("搜索完成，可以进一步的工作。"));
  EXPECT_EQ(w.list->model()->rowCount(), 2);
  w.includeSubfolders->setChecked(false);
  w.search->click();
  EXPECT_EQ(w.collection->table().RowCount(), 1);
  w.morePictureFormats->setChecked(true);
  w.search->click();
  EXPECT_EQ(w.collection->table().RowCount(), 2);
  w.stop->click();
  EXPECT_TRUE(w.state.stopSearch);
}

TEST(PictureCollection, DoubleClickShowsThePictureOfTheRow) {
  Window w;
  QImage(8, 6, QImage::Format_RGB32).save(w.box.path("Photos/a.jpg"), "JPG");
  w.state.folderPath = w.box.folder("Photos");
  w.search->click();
  const QRect cell = w.list->visualRect(w.list->model()->index(0, 1));
  QTest::mouseClick(w.list->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(w.list->viewport(), Qt::LeftButton, {}, cell.center());
  ASSERT_NE(w.collection->viewer().window(), nullptr);
  EXPECT_EQ(w.collection->viewer().window()->picture().size(), QSize(8, 6));
}
