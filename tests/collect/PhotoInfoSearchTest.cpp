#include <gtest/gtest.h>

#include "CameraPhotos.h"
#include "SandboxDir.h"
#include "TestPictures.h"
#include "collect/CollectState.h"
#include "collect/PictureSearch.h"
#include "collect/PictureTableModel.h"
#include "platform/FakeDesktop.h"

namespace {

// Every title and cell of the table, a row a line, cells separated by " | ".
QStringList TableText(const PictureTableModel& table) {
  QStringList lines;
  QStringList titles;
  for (int c = 0; c < table.ColumnCount(); ++c) titles << table.ColumnTitle(c);
  lines << titles.join(QStringLiteral(" | "));
  for (int r = 0; r < table.RowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < table.ColumnCount(); ++c) cells << table.Cell(r, c);
    lines << cells.join(QStringLiteral(" | "));
  }
  return lines;
}

class PhotoInfoSearch : public ::testing::Test {
protected:
  void SetUp() override {
    const auto put = [this](const char* name, const QByteArray& bytes) {
      ASSERT_TRUE(testpictures::writeFile(box.path(QString::fromUtf8(name)), bytes)) << name;
    };
    put("trip/a.jpg",
        cameraPhoto({64, 48}, ".jpg", "Canon", "Canon EOS R5", "2024:05:01 14:03:22", 6));
    put("trip/b.heic", cameraPhoto({40, 30}, ".heic", "Apple", "iPhone 13", "2023:12:24 18:30:00"));
    put("trip/c.jpg", cameraPhoto({32, 32}, ".jpg", "NIKON CORPORATION", "NIKON D850", ""));
    put("trip/d.gif", testpictures::encode(testpictures::twoHalves(10, 6), ".gif"));
    put("trip/broken.jpg", QByteArray("\xFF\xD8\xFF\xE1 not a photo"));
  }

  QStringList Search(bool photoInfo) {
    state.folderPath = box.folder("trip");
    search.SearchPictures(true, true, photoInfo);
    return TableText(table);
  }

  SandboxDir box{{"trip/", "trip/empty.jpg"}};
  CollectState state;
  PictureTableModel table;
  FakeDesktop desktop;
  PictureSearch search{state, table, desktop, [](const QString&) {}};
};

TEST_F(PhotoInfoSearch, AddsThePhotoColumnsAfterTheCaption) {
  const QString p = box.folder("trip");
  EXPECT_EQ(Search(true),
            (QStringList{
                "序号 | 图片名全称 | 图片类别 | 图片说明 | 拍摄时间 | 相机 | 像素",
                "1 | " + p + "a.jpg | trip | a | 2024-05-01 14:03 | Canon EOS R5 | 48×64",
                "2 | " + p + "b.heic | trip | b | 2023-12-24 18:30 | Apple iPhone 13 | 40×30",
                "3 | " + p + "broken.jpg | trip | broken |  |  | ",
                "4 | " + p + "c.jpg | trip | c |  | NIKON D850 | 32×32",
                "5 | " + p + "d.gif | trip | d |  |  | 10×6",
                "6 | " + p + "empty.jpg | trip | empty |  |  | ",
            }));
}

TEST_F(PhotoInfoSearch, WithoutTheBoxTheTableIsTheSearchOfOld) {
  Search(true);
  const QString p = box.folder("trip");
  EXPECT_EQ(Search(false), (QStringList{
                               "序号 | 图片名全称 | 图片类别 | 图片说明",
                               "1 | " + p + "a.jpg | trip | a",
                               "2 | " + p + "b.heic | trip | b",
                               "3 | " + p + "broken.jpg | trip | broken",
                               "4 | " + p + "c.jpg | trip | c",
                               "5 | " + p + "d.gif | trip | d",
                               "6 | " + p + "empty.jpg | trip | empty",
                           }));
}

}  // namespace
