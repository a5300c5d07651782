#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

// One directory entry: its name as shown, and as the file system spells it (names
// whose bytes are not valid in the system encoding still reach the file system).
struct FolderEntry {
  QString name;
  QByteArray nativeName;
};

struct FolderListing {
  bool readable = false;     // false when the folder could not be opened
  std::uint64_t device = 0;  // identity of the folder, to notice one seen before
  std::uint64_t inode = 0;
  QList<FolderEntry> files;    // every entry that is not a folder
  QList<FolderEntry> folders;  // sub-folders, without "." and ".."
};

struct ListingOptions {
  bool linkedFoldersAsFolders = false;  // a link to a folder lists as a folder, else it is skipped
  bool hiddenFolders = true;            // folders whose name starts with "."
};

// Lists one folder by its native path, both lists sorted by name without regard to
// case (the order users see in every file manager). A folder that cannot be opened
// gives an unreadable, empty listing.
FolderListing ListFolder(const QByteArray& nativePath, ListingOptions options = {});

// Sorts entries by name without regard to case, ties broken by the exact bytes.
void SortEntries(QList<FolderEntry>& entries);
