#include <gtest/gtest.h>

#include "collect/PictureNames.h"

TEST(PictureNames, SplitsAtTheLastDot) {
  EXPECT_EQ(SplitFileName(QStringLiteral("a.b.jpg")).base, QStringLiteral("a.b"));
  EXPECT_EQ(SplitFileName(QStringLiteral("a.b.jpg")).extension, QStringLiteral("jpg"));
  EXPECT_EQ(SplitFileName(QStringLiteral("gif")).base, QString());
  EXPECT_EQ(SplitFileName(QStringLiteral("gif")).extension, QStringLiteral("gif"));
  EXPECT_EQ(SplitFileName(QStringLiteral(".jpg")).base, QString());
  EXPECT_EQ(SplitFileName(QStringLiteral("x.")).extension, QString());
  EXPECT_EQ(SplitFileName(QStringLiteral("海边 日落.JPG")).base, QStringLiteral("海边 日落"));
}

TEST(PictureNames, AcceptsExactlyFourExtensionsInAnyAsciiCase) {
  for (const char* yes : {"jpg", "JPG", "Jpeg", "jPEG", "bmp", "BMP", "gif", "GiF"})
    EXPECT_TRUE(IsPictureExtension(QString::fromLatin1(yes))) << yes;
  for (const char* no : {"png", "tif", "tiff", "txt", "jp", "jpgx", "", "jpe", "jfif"})
    EXPECT_FALSE(IsPictureExtension(QString::fromLatin1(no))) << no;
  // Only ASCII letters fold: full-width letters and the Kelvin sign are no match.
  EXPECT_FALSE(IsPictureExtension(QStringLiteral("ｊｐｇ")));
  EXPECT_FALSE(IsPictureExtension(QStringLiteral("jp\u212A")));
}

TEST(PictureNames, MoreFormatsAddSevenExtensionsToTheFour) {
  for (const char* yes : {"jpg", "Jpeg", "bmp", "GIF", "png", "PNG", "tif", "TIFF", "webp", "WebP",
                          "heic", "HEIC", "heif", "avif", "AVIF"})
    EXPECT_TRUE(IsPictureExtension(QString::fromLatin1(yes), true)) << yes;
  for (const char* no : {"txt", "", "jfif", "pn", "tiffx", "heics", "webm", "avi", "jxl"})
    EXPECT_FALSE(IsPictureExtension(QString::fromLatin1(no), true)) << no;
  EXPECT_FALSE(IsPictureExtension(QStringLiteral("ｐｎｇ"), true));
}

TEST(PictureNames, EverySpellingOfARootGivesTheSameFolder) {
  for (const char* spelling : {"/t/Photos", "/t/Photos/", "/t//Photos//", "/t///Photos///"}) {
    const SearchRoot root = SplitSearchRoot(QString::fromLatin1(spelling));
    EXPECT_EQ(root.parent, QStringLiteral("/t")) << spelling;
    EXPECT_EQ(root.name, QStringLiteral("Photos")) << spelling;
    EXPECT_EQ(FolderPathOf(root.parent, root.name), QStringLiteral("/t/Photos/")) << spelling;
  }
}

TEST(PictureNames, AVolumeRootHasNoName) {
  for (const char* spelling : {"/", "//", ""}) {
    const SearchRoot root = SplitSearchRoot(QString::fromLatin1(spelling));
    EXPECT_EQ(root.parent, QString()) << spelling;
    EXPECT_EQ(root.name, QString()) << spelling;
    EXPECT_EQ(FolderPathOf(root.parent, root.name), QStringLiteral("/")) << spelling;
  }
  EXPECT_EQ(SplitSearchRoot(QStringLiteral("/media/usb/")).name, QStringLiteral("usb"));
}
