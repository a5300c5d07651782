#include <gtest/gtest.h>
#include <unistd.h>

#include "SandboxDir.h"
#include "collect/FolderListing.h"

namespace {

QStringList names(const QList<FolderEntry>& entries) {
  QStringList result;
  for (const FolderEntry& entry : entries) result.append(entry.name);
  return result;
}

}  // namespace

TEST(FolderListing, SortsByNameWithoutRegardToCaseFilesAndFoldersApart) {
  SandboxDir box(
      {"b.jpg", "A.JPG", "c.jpg", "a.txt", "Zed/", "apple/", "Mango/", ".hidden/", "中文/"});
  const FolderListing listing = ListFolder(box.nativePath(QString()));
  ASSERT_TRUE(listing.readable);
  EXPECT_EQ(names(listing.files), (QStringList{"A.JPG", "a.txt", "b.jpg", "c.jpg"}));
  EXPECT_EQ(names(listing.folders), (QStringList{".hidden", "apple", "Mango", "Zed", "中文"}));

  ListingOptions shown;
  shown.hiddenFolders = false;
  EXPECT_EQ(names(ListFolder(box.nativePath(QString()), shown).folders),
            (QStringList{"apple", "Mango", "Zed", "中文"}));
}

TEST(FolderListing, LinksToFoldersAreLeftOutUnlessAsked) {
  SandboxDir box({"real/", "pic.jpg"});
  ASSERT_EQ(symlink(box.nativePath("real").constData(), box.nativePath("link").constData()), 0);
  ASSERT_EQ(symlink(box.nativePath("pic.jpg").constData(), box.nativePath("pic2.jpg").constData()),
            0);
  ASSERT_EQ(symlink("nowhere", box.nativePath("dangling.jpg").constData()), 0);
  const FolderListing plain = ListFolder(box.nativePath(QString()));
  EXPECT_EQ(names(plain.folders), QStringList{"real"});
  EXPECT_EQ(names(plain.files), (QStringList{"dangling.jpg", "pic.jpg", "pic2.jpg"}));
  ListingOptions follow;
  follow.linkedFoldersAsFolders = true;
  EXPECT_EQ(names(ListFolder(box.nativePath(QString()), follow).folders),
            (QStringList{"link", "real"}));
}

TEST(FolderListing, AMissingFolderIsUnreadableAndEmpty) {
  SandboxDir box;
  const FolderListing listing = ListFolder(box.nativePath("missing"));
  EXPECT_FALSE(listing.readable);
  EXPECT_TRUE(listing.files.isEmpty());
  EXPECT_TRUE(listing.folders.isEmpty());
  EXPECT_FALSE(ListFolder(box.nativePath("missing/..")).readable);
}
