#include "collect/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/Paths.h"

namespace {

enum class EntryKind { File, Folder, LinkedFolder };

EntryKind kindOf(int folderFd, const dirent& entry) {
  if (entry.d_type == DT_DIR) return EntryKind::Folder;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return EntryKind::File;
  struct stat info {};
  if (entry.d_type == DT_UNKNOWN) {
    if (fstatat(folderFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::File;
    if (S_ISDIR(info.st_mode)) return EntryKind::Folder;
    if (!S_ISLNK(info.st_mode)) return EntryKind::File;
  }
  // A link: what it points to decides; a dangling link is no folder.
  if (fstatat(folderFd, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode))
    return EntryKind::LinkedFolder;
  return EntryKind::File;
}

bool isDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

void SortEntries(QList<FolderEntry>& entries) {
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    const int byName = QString::compare(a.name, b.name, Qt::CaseInsensitive);
    return byName != 0 ? byName < 0 : a.nativeName < b.nativeName;
  });
}

FolderListing ListFolder(const QByteArray& nativePath, ListingOptions options) {
  FolderListing listing;
  DIR* folder = opendir(nativePath.isEmpty() ? "." : nativePath.constData());
  if (!folder) return listing;
  const int folderFd = dirfd(folder);
  struct stat self {};
  if (fstat(folderFd, &self) == 0) {
    listing.device = std::uint64_t(self.st_dev);
    listing.inode = std::uint64_t(self.st_ino);
  }
  listing.readable = true;
  while (const dirent* entry = readdir(folder)) {
    if (isDotOrDotDot(entry->d_name)) continue;
    const EntryKind kind = kindOf(folderFd, *entry);
    if (kind == EntryKind::LinkedFolder && !options.linkedFoldersAsFolders) continue;
    const bool isFolder = kind != EntryKind::File;
    if (isFolder && !options.hiddenFolders && entry->d_name[0] == '.') continue;
    QByteArray nativeName(entry->d_name);
    FolderEntry item{PathFromNative(nativeName), nativeName};
    (isFolder ? listing.folders : listing.files).append(std::move(item));
  }
  closedir(folder);
  SortEntries(listing.files);
  SortEntries(listing.folders);
  return listing;
}
