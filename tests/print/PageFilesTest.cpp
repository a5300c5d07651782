#include <gtest/gtest.h>

#include <QSet>

#include "print/PageFiles.h"

namespace {

const QDateTime kMorning(QDate(2010, 3, 15), QTime(9, 30, 5));

TEST(PageFileName, DateTimeAndPageWithoutLeadingZeros) {
  EXPECT_EQ(PageFileName("/albums", kMorning, 3, PageFileFormat::Jpg, "/opt/q"),
            "/albums/20100315_93005_3.jpg");
  EXPECT_EQ(PageFileName("/albums", QDateTime(QDate(2026, 1, 2), QTime(0, 0, 7)), 12,
                         PageFileFormat::Png, "/opt/q"),
            "/albums/20260102_7_12.png");
}

TEST(PageFileName, ExtensionAndPictureFormatFollowThePageFileFormat) {
  const QStringList extensions{".bmp", ".jpg", ".gif", ".tiff", ".png", ".jpg"};
  const QList<PictureFormat> formats{PictureFormat::Bmp,  PictureFormat::Jpeg, PictureFormat::Gif,
                                     PictureFormat::Tiff, PictureFormat::Png,  PictureFormat::Jpeg};
  QStringList gotExtensions;
  QList<PictureFormat> gotFormats;
  for (int code = 1; code <= 6; ++code) {
    gotExtensions << PageFileExtension(PageFileFormat(code));
    gotFormats << PageFilePictureFormat(PageFileFormat(code));
  }
  EXPECT_EQ(gotExtensions, extensions);
  EXPECT_EQ(gotFormats, formats);
}

TEST(PageFileName, FolderEndingInSeparatorGivesACleanName) {
  EXPECT_EQ(PageFileName("/", kMorning, 1, PageFileFormat::Jpg, "/p"), "/20100315_93005_1.jpg");
  EXPECT_EQ(PageFileName("/albums//", kMorning, 1, PageFileFormat::Jpg, "/p"),
            "/albums/20100315_93005_1.jpg");
  EXPECT_EQ(PageFileName("//server/share/", kMorning, 1, PageFileFormat::Jpg, "/p"),
            "//server/share/20100315_93005_1.jpg");
}

TEST(PageFileName, EmptyFolderMeansTheProgramFolder) {
  EXPECT_EQ(PageFileName("", kMorning, 1, PageFileFormat::Bmp, "/opt/quillmere"),
            "/opt/quillmere/20100315_93005_1.bmp");
}

TEST(PageFileName, PagesSavedInTheSameSecondDifferOnlyInThePageNumber) {
  EXPECT_EQ(PageFileName("/a", kMorning, 1, PageFileFormat::Jpg, "/p"), "/a/20100315_93005_1.jpg");
  EXPECT_EQ(PageFileName("/a", kMorning, 2, PageFileFormat::Jpg, "/p"), "/a/20100315_93005_2.jpg");
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
  EXPECT_EQ(PictureFormatOfFile("a.PNG"), PictureFormat::Png);
  EXPECT_EQ(PictureFormatOfFile("a.gif"), PictureFormat::Gif);
  EXPECT_EQ(PictureFormatOfFile("x.y.Jpg"), PictureFormat::Jpeg);
  EXPECT_EQ(PictureFormatOfFile("c:\\d\\e.bmp"), PictureFormat::Bmp);
}

TEST(PictureFormatOfFile, EverythingElseIsUnknown) {
  for (const char* name : {"a.jpeg", "a.tif", "a.tiff", "noextension", "a.", "a.jpg.txt"})
    EXPECT_EQ(PictureFormatOfFile(name), PictureFormat::Unknown) << name;
}

}  // namespace
