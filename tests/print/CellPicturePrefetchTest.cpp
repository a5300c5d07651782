#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <new>
#include <stdexcept>

#include "PrintTestPictures.h"
#include "TestPictures.h"
#include "print/CellPicture.h"
#include "print/CellPicturePrefetch.h"

namespace {

class CellPicturePrefetchTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    for (int i = 0; i < 3; ++i) {
      // camera-like files of different shapes, far above every level's size
      const QString name = dir_->filePath(QStringLiteral("photo%1.jpg").arg(i));
      ASSERT_TRUE(printtest::writePhoto(name, printtest::noisyPhoto(1600 + 400 * i, 1200, i + 1)));
      photos_.append(name);
    }
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
    photos_.clear();
  }

  QSize takenSize(CellPicturePrefetch& prefetch, qsizetype index) {
    return printtest::sizeAndUnload(pictures, prefetch.Load(pictures, index));
  }

  static QTemporaryDir* dir_;
  static QStringList photos_;
  PictureRegistry pictures;
};

QTemporaryDir* CellPicturePrefetchTest::dir_ = nullptr;
QStringList CellPicturePrefetchTest::photos_;

TEST_F(CellPicturePrefetchTest, EveryCellGetsThePictureLoadingItDirectlyGives) {
  // Six photos of one size and different pixels: at level 1 the cells below decode them
  // at exactly 1/2, 1/4 and 1/8 of their size, where a picture could once share its
  // worker's decode buffer. With every cell queued at once and taken last first, each
  // picture is compared after every later decode has run on whichever worker; at least
  // one worker decodes two of them, so a shared buffer always shows.
  QStringList files{photos_[0]};
  for (quint32 seed = 2; seed <= 6; ++seed) {
    files.append(dir_->filePath(QStringLiteral("same%1.jpg").arg(seed)));
    if (!QFileInfo::exists(files.last())) {
      ASSERT_TRUE(printtest::writePhoto(files.last(), printtest::noisyPhoto(1600, 1200, seed)));
    }
  }
  struct Case {
    int level;
    QSize cell;
  };
  for (const Case c : {Case{0, {200, 150}}, Case{1, {400, 300}}, Case{1, {200, 150}},
                       Case{1, {100, 75}}, Case{5, {200, 150}}}) {
    CellPicturePrefetch prefetch(files, c.level, c.cell.width(), c.cell.height(),
                                 CellPictureUse::Print, static_cast<int>(files.size()));
    for (qsizetype k = files.size() - 1; k >= 0; --k) {
      const PictureHandle handle = prefetch.Load(pictures, k);
      ASSERT_NE(handle, 0) << "level " << c.level << " cell " << k;
      const PictureHandle direct =
          LoadCellPicture(pictures, files[k], c.level, c.cell.width(), c.cell.height());
      ASSERT_NE(direct, 0);
      EXPECT_EQ(*pictures.picture(handle), *pictures.picture(direct))
          << "level " << c.level << " cell " << c.cell.width() << " photo " << k;
      pictures.UnloadPicture(direct);
      pictures.UnloadPicture(handle);
    }
  }
}

TEST_F(CellPicturePrefetchTest, CellsWithoutAPictureGiveNothing) {
  const QString broken = dir_->filePath("broken.jpg");
  QByteArray bytes = testpictures::readFile(photos_[0]);
  bytes.truncate(bytes.size() / 3);
  ASSERT_TRUE(testpictures::writeFile(broken, bytes));
  CellPicturePrefetch prefetch({QString(), dir_->filePath("none.jpg"), broken, photos_[1]}, 3, 100,
                               80);
  EXPECT_EQ(prefetch.Load(pictures, 0), 0);
  EXPECT_EQ(prefetch.Load(pictures, 1), 0);
  EXPECT_EQ(prefetch.Load(pictures, 2), 0);
  EXPECT_EQ(pictures.liveCount(), 0);
  EXPECT_EQ(prefetch.Load(pictures, -1), 0);
  EXPECT_EQ(prefetch.Load(pictures, 4), 0);
  EXPECT_EQ(takenSize(prefetch, 3), QSize(266, 160));
  EXPECT_EQ(prefetch.Load(pictures, 3), 0);  // a cell's picture is handed out once
}

// Running out of memory or a decoder's own failure on a worker costs that cell its
// photo, never the program; the cells after it load as usual.
TEST_F(CellPicturePrefetchTest, AFailureWhileDecodingRefusesThatPhotoAlone) {
  const auto decoder = [](const QString& file, int level, int width, int height, CellPictureUse use,
                          double shownScale) -> QImage {
    if (file == "out of memory") throw std::bad_alloc();
    if (file == "decoder failed") throw std::runtime_error("decoder failed");
    return DecodeCellPicture(file, level, width, height, use, shownScale);
  };
  CellPicturePrefetch prefetch({"out of memory", "decoder failed", photos_[1]}, 3, 100, 80,
                               CellPictureUse::Print, 2, 0.0, decoder);
  EXPECT_EQ(prefetch.Load(pictures, 0), 0);
  EXPECT_EQ(prefetch.Load(pictures, 1), 0);
  EXPECT_EQ(takenSize(prefetch, 2), QSize(266, 160));
}

TEST_F(CellPicturePrefetchTest, CellsMayBeSkippedOrTakenOutOfOrder) {
  CellPicturePrefetch prefetch(photos_ + photos_, 1, 100, 80, CellPictureUse::Print, 0);
  EXPECT_EQ(takenSize(prefetch, 4), QSize(266, 160));
  EXPECT_EQ(takenSize(prefetch, 0), QSize(213, 160));
  EXPECT_EQ(takenSize(prefetch, 5), QSize(320, 160));
}

TEST_F(CellPicturePrefetchTest, StoppingEarlyEndsTheWorkWithoutWaitingForEveryPhoto) {
  QStringList files;
  for (int round = 0; round < 30; ++round) files += photos_;
  {
    CellPicturePrefetch prefetch(files, 1, 100, 80, CellPictureUse::Print,
                                 static_cast<int>(files.size()));
    EXPECT_NE(takenSize(prefetch, 0), QSize());
  }  // the loop stopped after its first cell; destruction must neither hang nor crash
  EXPECT_EQ(pictures.liveCount(), 0);
}

}  // namespace
