#include <gtest/gtest.h>

#include <QSet>

#include "print/PageFiles.h"

namespace {

const QDateTime kMorning(QDate(2010, 3, 15), QTime(9, 30, 5));

TEST(PageFileName, DateTimeAndPageWithoutLeadingZeros) {
  EXPECT_EQ(PageFileName("/albums", kMorning, 3, 2, "/opt/q"), "/albums/20100315_93005_3.jpg");
  EXPECT_EQ(PageFileName("/albums", QDateTime(QDate(2026, 1, 2), QTime(0, 0, 7)), 12, 5, "/opt/q"),
            "/albums/20260102_7_12.png");
}

TEST(PageFileName, ExtensionFollowsThePictureFormat) {
  const QStringList expected{".jpg", ".bmp", ".jpg", ".gif", ".tiff", ".png", ".jpg"};
  for (int format = 0; format <= 6; ++format)
    EXPECT_TRUE(PageFileName("/a", kMorning, 1, format, "/p").endsWith(expected[format])) << format;
  EXPECT_EQ(PageFileFormatCode(1), 1);
  EXPECT_EQ(PageFileFormatCode(2), 3);
  EXPECT_EQ(PageFileFormatCode(3), 2);
  EXPECT_EQ(PageFileFormatCode(4), 6);
  EXPECT_EQ(PageFileFormatCode(5), 4);
  EXPECT_EQ(PageFileFormatCode(42), 3);
}

TEST(PageFileName, FolderEndingInSeparatorGivesACleanName) {
  EXPECT_EQ(PageFileName("/", kMorning, 1, 2, "/p"), "/20100315_93005_1.jpg");
  EXPECT_EQ(PageFileName("/albums//", kMorning, 1, 2, "/p"), "/albums/20100315_93005_1.jpg");
  EXPECT_EQ(PageFileName("//server/share/", kMorning, 1, 2, "/p"),
            "//server/share/20100315_93005_1.jpg");
}

TEST(PageFileName, EmptyFolderMeansTheProgramFolder) {
  EXPECT_EQ(PageFileName("", kMorning, 1, 1, "/opt/quillmere"),
            "/opt/quillmere/20100315_93005_1.bmp");
}

TEST(PageFileName, PagesSavedInTheSameSecondDifferOnlyInThePageNumber) {
  EXPECT_EQ(PageFileName("/a", kMorning, 1, 2, "/p"), "/a/20100315_93005_1.jpg");
  EXPECT_EQ(PageFileName("/a", kMorning, 2, 2, "/p"), "/a/20100315_93005_2.jpg");
}

TEST(PdfFileName, DateAndTimeLikePageFilesWithoutAPageNumber) {
  EXPECT_EQ(PdfFileName("/albums/", kMorning, "/p"), "/albums/20100315_93005.pdf");
  EXPECT_EQ(PdfFileName("", QDateTime(QDate(2026, 1, 2), QTime(0, 0, 7)), "/opt/q"),
            "/opt/q/20260102_7.pdf");
}

TEST(UniqueFileName, NeverReusesAnExistingName) {
  QSet<QString> taken;
  auto exists = [&](const QString& name) { return taken.contains(name); };
  EXPECT_EQ(UniqueFileName("/a/20100315_93005_1.jpg", exists), "/a/20100315_93005_1.jpg");
  taken = {"/a/20100315_93005_1.jpg"};
  EXPECT_EQ(UniqueFileName("/a/20100315_93005_1.jpg", exists), "/a/20100315_93005_1 (2).jpg");
  taken << "/a/20100315_93005_1 (2).jpg";
  EXPECT_EQ(UniqueFileName("/a/20100315_93005_1.jpg", exists), "/a/20100315_93005_1 (3).jpg");
  // a dot in a folder name is not taken for the extension
  taken = {"/a.b/page"};
  EXPECT_EQ(UniqueFileName("/a.b/page", exists), "/a.b/page (2)");
}

TEST(PictureFormatOfFile, KnownExtensionsInAnyCase) {
  EXPECT_EQ(PictureFormatOfFile("a.PNG"), 4);
  EXPECT_EQ(PictureFormatOfFile("a.gif"), 2);
  EXPECT_EQ(PictureFormatOfFile("x.y.Jpg"), 3);
  EXPECT_EQ(PictureFormatOfFile("c:\\d\\e.bmp"), 1);
}

TEST(PictureFormatOfFile, EverythingElseIsUnknown) {
  for (const char* name : {"a.jpeg", "a.tif", "a.tiff", "noextension", "a.", "a.jpg.txt"})
    EXPECT_EQ(PictureFormatOfFile(name), 100) << name;
}

}  // namespace
