#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QTimer>

#include "SandboxDir.h"
#include "collect/CollectState.h"
#include "collect/PictureSearch.h"
#include "collect/PictureTableModel.h"
#include "platform/FakeDesktop.h"
#include "platform/Paths.h"

namespace {

struct Row {
  QString serial, path, category, caption;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << qPrintable(row.serial) << " | " << qPrintable(row.path) << " | "
       << qPrintable(row.category) << " | " << qPrintable(row.caption);
}

// A search wired the way the main window wires it, with every status text kept.
struct Search {
  CollectState state;
  PictureTableModel table;
  FakeDesktop desktop;
  QStringList statuses;
  std::function<void(const QString&)> onStatus;
  PictureSearch search{state, table, desktop, [this](const QString& text) {
                         statuses.append(text);
                         if (onStatus) onStatus(text);
                       }};

  Search() { search.setProgressInterval(0); }

  QList<Row> run(const QString& folderPath, bool includeSubfolders = true,
                 bool morePictureFormats = false) {
    state.folderPath = folderPath;
    search.SearchPictures(includeSubfolders, morePictureFormats);
    return rows();
  }
  QList<Row> rows() const {
    QList<Row> result;
    for (int r = 0; r < table.RowCount(); ++r)
      result.append({table.Cell(r, 0), table.Cell(r, 1), table.Cell(r, 2), table.Cell(r, 3)});
    return result;
  }
  QStringList captions() const {
    QStringList result;
    for (int r = 0; r < table.RowCount(); ++r) result.append(table.Cell(r, 3));
    return result;
  }
};

const QString kFinished = QStringLiteral("搜索完成，可以进一步的工作。");
const QString kStopped = QStringLiteral("搜索强制停止。");

}  // namespace

TEST(PictureSearch, CollectsExactlyTheFourExtensionsAndNamesCaptions) {
  SandboxDir box({"Photo.JPG", "a.Jpeg", "b.BMP", "c.gif", "d.png", "e.tif", "f.jpg.txt", "a.b.jpg",
                  "gif", "jpg/"});
  Search s;
  s.run(box.folder());
  EXPECT_EQ(s.captions(), (QStringList{"a.b", "a", "b", "c", "", "Photo"}));
  EXPECT_EQ(s.table.Cell(4, 1), box.path("gif"));

  ASSERT_EQ(s.table.ColumnCount(), 4);
  const QStringList titles{"序号", "图片名全称", "图片类别", "图片说明"};
  const int widths[] = {60, 220, 90, 100};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(s.table.ColumnTitle(c), titles[c]);
    EXPECT_EQ(s.table.columnInfo(c).width, widths[c]);
    EXPECT_EQ(s.table.columnInfo(c).alignment, c == 0 ? 2 : 0);
  }
}

TEST(PictureSearch, MorePictureFormatsOnRequestOnly) {
  SandboxDir box({"a.jpg", "b.JPEG", "c.bmp", "d.gif", "e.png", "f.TIF", "g.tiff", "h.webp",
                  "i.HEIC", "j.heif", "k.avif", "l.txt", "m.jxl", "n.png.txt", "sub/o.webp"});
  Search s;
  s.run(box.folder(), false);
  EXPECT_EQ(s.captions(), (QStringList{"a", "b", "c", "d"}));
  s.run(box.folder(), true, true);
  EXPECT_EQ(s.captions(),
            (QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "o"}));
  EXPECT_EQ(s.table.Cell(11, 1), box.path("sub/o.webp"));
}

TEST(PictureSearch, CategoriesAreTheHoldingFolderNamesFilesBeforeSubfolders) {
  SandboxDir box({"Photos/x.jpg", "Photos/2009/y.jpg", "Photos/2009/Trip/z.jpg",
                  "Photos/other/2009/w.jpg", "Photos/a.gif", "Photos/照片 2009/海边 日落.JPG"});
  Search s;
  const QString root = box.folder("Photos");
  EXPECT_EQ(s.run(root), (QList<Row>{
                             {"1", root + "a.gif", "Photos", "a"},
                             {"2", root + "x.jpg", "Photos", "x"},
                             {"3", root + "2009/y.jpg", "2009", "y"},
                             {"4", root + "2009/Trip/z.jpg", "Trip", "z"},
                             {"5", root + "other/2009/w.jpg", "2009", "w"},
                             {"6", root + "照片 2009/海边 日落.JPG", "照片 2009", "海边 日落"},
                         }));
}

TEST(PictureSearch, AVolumeRootGivesAnEmptyCategory) {
  SandboxDir box({"top.jpg", "sub/in.jpg"});
  Search s;
  QString parent = box.folder();
  parent.chop(1);
  for (int c = 0; c < 4; ++c) s.table.InsertColumn();
  s.search.ScanFolder(parent, QString(), true);
  ASSERT_EQ(s.table.RowCount(), 2);
  EXPECT_EQ(s.table.Cell(0, 1), box.path("top.jpg"));
  EXPECT_EQ(s.table.Cell(0, 2), QString());
  EXPECT_EQ(s.table.Cell(1, 2), QStringLiteral("sub"));
}

TEST(PictureSearch, WithoutSubfoldersOnlyTheChosenFolder) {
  SandboxDir box({"P/a.jpg", "P/sub/b.jpg"});
  Search s;
  s.run(box.folder("P"), false);
  EXPECT_EQ(s.captions(), QStringList{"a"});
}

TEST(PictureSearch, EverySpellingOfTheRootGivesTheSameTable) {
  SandboxDir box({"P/a.jpg", "P/s/b.jpg"});
  Search s;
  const QList<Row> expected = s.run(box.folder("P"));
  ASSERT_EQ(expected.size(), 2);
  QString bare = box.path("P");
  QString doubled = bare;
  doubled.replace(u'/', QStringLiteral("//"));
  for (const QString& spelling : {bare, bare + "//", doubled, doubled + "///"})
    EXPECT_EQ(s.run(spelling), expected) << qPrintable(spelling);
}

TEST(PictureSearch, SerialNumbersRestartWithEverySearch) {
  SandboxDir box({"a.jpg", "b.jpg"});
  Search s;
  s.run(box.folder());
  s.table.SetCell(s.table.AppendRow(), 0, QStringLiteral("stale"));
  const QList<Row> again = s.run(box.folder());
  ASSERT_EQ(again.size(), 2);
  EXPECT_EQ(again[0].serial, QStringLiteral("1"));
  EXPECT_EQ(again[1].serial, QStringLiteral("2"));
}

TEST(PictureSearch, ReportsProgressAndEndsIdle) {
  SandboxDir box({"a.jpg", "b.png"});
  Search s;
  s.state.stopSearch = true;  // a stop click between searches is forgotten
  s.run(box.folder());
  EXPECT_EQ(s.statuses,
            (QStringList{"正在搜索，请稍候....", "搜索中：" + box.path("a.jpg"), kFinished}));
  EXPECT_TRUE(s.state.searchDone);
  EXPECT_EQ(s.desktop.waitCursorShown, 1);
  EXPECT_EQ(s.desktop.waitDepth, 0);
}

TEST(PictureSearch, ProgressTextsAreSpacedOutButTheFirstComesAtOnce) {
  SandboxDir box({"R/a/1.jpg", "R/b/2.jpg", "R/c/3.jpg"});
  Search s;
  s.search.setProgressInterval(60000);
  s.run(box.folder("R"));
  EXPECT_EQ(s.statuses,
            (QStringList{"正在搜索，请稍候....", "搜索中：" + box.path("R/a/1.jpg"), kFinished}));
  EXPECT_EQ(s.table.RowCount(), 3);
}

TEST(PictureSearch, RunsFlaggedAsBusyWithTheWaitCursorOn) {
  SandboxDir box({"a.jpg"});
  Search s;
  bool busy = false;
  s.onStatus = [&](const QString& text) {
    if (text.startsWith(QStringLiteral("搜索中：")))
      busy = !s.state.searchDone && s.desktop.waitDepth == 1;
  };
  s.run(box.folder());
  EXPECT_TRUE(busy);
}

TEST(PictureSearch, StopLetsTheCurrentFolderFinish) {
  SandboxDir box(
      {"R/a/1.jpg", "R/b/1.jpg", "R/b/2.jpg", "R/b/3.jpg", "R/b/deeper/x.jpg", "R/c/1.jpg"});
  Search s;
  s.onStatus = [&](const QString& text) {
    // The click arrives while folder b is scanned; it is handled at the next folder
    // entered, so b keeps all its pictures and nothing after it is searched.
    if (text.endsWith(QStringLiteral("/b/3.jpg")))
      QTimer::singleShot(0, &s.table, [&] { s.search.Stop(); });
  };
  s.run(box.folder("R"));
  EXPECT_EQ(s.table.RowCount(), 4);
  EXPECT_TRUE(s.table.Cell(3, 1).endsWith(QStringLiteral("/b/3.jpg")));
  ASSERT_GE(s.statuses.size(), 2);
  EXPECT_EQ(s.statuses.mid(s.statuses.size() - 2), (QStringList{kFinished, kStopped}));
  EXPECT_TRUE(s.state.searchDone);
  EXPECT_EQ(s.desktop.waitDepth, 0);
}

TEST(PictureSearch, LinkLoopsEndAndLinkedPicturesAreTaken) {
  SandboxDir box({"P/a.jpg", "P/sub/b.jpg"});
  ASSERT_EQ(symlink("..", box.nativePath("P/sub/up").constData()), 0);
  ASSERT_EQ(symlink(".", box.nativePath("P/self").constData()), 0);
  ASSERT_EQ(symlink(box.nativePath("P").constData(), box.nativePath("P/sub/back").constData()), 0);
  ASSERT_EQ(symlink("a.jpg", box.nativePath("P/c.jpg").constData()), 0);
  Search s;
  s.run(box.folder("P"));
  EXPECT_EQ(s.captions(), (QStringList{"a", "c", "b"}));
}

TEST(PictureSearch, FoldersThatVanishOrCannotBeReadAreSkipped) {
  SandboxDir box({"R/a/1.jpg", "R/b/2.jpg", "R/c/3.jpg", "R/d/4.jpg"});
  ::chmod(box.nativePath("R/c").constData(), 0);
  Search s;
  s.onStatus = [&](const QString& text) {
    if (text.endsWith(QStringLiteral("/a/1.jpg"))) QDir(box.path("R/b")).removeRecursively();
  };
  s.run(box.folder("R"));
  ::chmod(box.nativePath("R/c").constData(), 0755);
  QStringList found = s.captions();
  found.removeAll(QStringLiteral("3"));  // a privileged user reads c anyway
  EXPECT_EQ(found, (QStringList{"1", "4"}));
  EXPECT_TRUE(s.state.searchDone);
}

TEST(PictureSearch, NamesThatAreNotValidTextAreStillSearched) {
  SandboxDir box({"R/"});
  const QByteArray root = box.nativePath("R");
  ASSERT_EQ(::mkdir((root + "/sub\xfe").constData(), 0755), 0);
  for (const QByteArray& file : {root + "/bad\xff.jpg", root + "/sub\xfe/in.jpg"}) {
    const int fd = ::open(file.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  // The listed paths keep the exact bytes, so each picture can still be opened.
  Search s;
  const Row inSub{"2", PathFromNative(root + "/sub\xfe/in.jpg"), PathFromNative("sub\xfe"), "in"};
  EXPECT_EQ(
      s.run(box.folder("R")),
      (QList<Row>{{"1", PathFromNative(root + "/bad\xff.jpg"), "R", PathFromNative("bad\xff")},
                  inSub}));
  EXPECT_EQ(s.run(PathFromNative(root + "/sub\xfe/")),
            (QList<Row>{{"1", inSub.path, inSub.category, "in"}}));
}

TEST(PictureSearch, AChainTenThousandFoldersDeepEndsAndTheRestIsSearched) {
  // In memory where the system offers it: a disk takes minutes to unlink such a chain.
  const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                           ? QStringLiteral("/dev/shm")
                           : QDir::tempPath();
  SandboxDir box({"R/top.jpg", "R/z/after.jpg"}, base);
  int fd = ::open(box.nativePath("R").constData(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  for (int depth = 0; depth < 10000 && fd >= 0; ++depth) {
    ::mkdirat(fd, "d", 0755);
    if (depth == 5) ::close(::openat(fd, "deep.jpg", O_CREAT | O_WRONLY, 0644));
    const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
  }
  ASSERT_GE(fd, 0);
  ::close(fd);
  Search s;
  s.run(box.folder("R"));
  EXPECT_EQ(s.captions(), (QStringList{"top", "deep", "after"}));
  EXPECT_TRUE(s.state.searchDone);
}

TEST(PictureSearch, ASearchStartedDuringAnotherReplacesItWithoutMixing) {
  SandboxDir box({"R/a/1.jpg", "R/b/2.jpg", "R/c/3.jpg", "Q/q.jpg"});
  Search s;
  bool restarted = false;
  s.onStatus = [&](const QString& text) {
    if (!restarted && text.endsWith(QStringLiteral("/a/1.jpg"))) {
      restarted = true;
      QTimer::singleShot(0, &s.table, [&] { s.run(box.folder("Q")); });
    }
  };
  s.run(box.folder("R"));
  EXPECT_EQ(s.rows(), (QList<Row>{{"1", box.path("Q/q.jpg"), "Q", "q"}}));
  EXPECT_EQ(s.statuses.last(), kFinished);
  EXPECT_EQ(s.statuses.count(kFinished), 1);
  EXPECT_TRUE(s.state.searchDone);
  EXPECT_EQ(s.desktop.waitDepth, 0);
}

TEST(PictureSearch, AnImportDuringASearchIsNotFilledWithFoundPictures) {
  SandboxDir box({"R/a/1.jpg", "R/b/2.jpg"});
  Search s;
  s.onStatus = [&](const QString& text) {
    if (text.endsWith(QStringLiteral("/a/1.jpg")))
      QTimer::singleShot(0, &s.table, [&] {
        s.table.ReplaceTable({{QStringLiteral("imported"), 50, 0}}, {{QStringLiteral("x")}});
      });
  };
  s.run(box.folder("R"));
  EXPECT_EQ(s.table.RowCount(), 1);
  EXPECT_EQ(s.table.Cell(0, 0), QStringLiteral("x"));
  EXPECT_TRUE(s.state.searchDone);
  EXPECT_FALSE(s.statuses.contains(kFinished));
}
