#pragma once

#include <QString>

// A file name cut at its last dot: "a.b.jpg" gives base "a.b" and extension "jpg";
// a name without a dot is all extension ("gif" gives extension "gif", base empty).
struct NameParts {
  QString base;
  QString extension;
};

NameParts SplitFileName(const QString& fileName);

// Whether the search collects a file with this extension: jpg, jpeg, bmp or gif, and
// with morePictureFormats also png, tif, tiff, webp, heic, heif and avif; ASCII
// letters compared without regard to case, nothing else.
bool IsPictureExtension(const QString& extension, bool morePictureFormats = false);

// The search root from the folder chosen in the tree: repeated separators collapsed,
// the trailing one dropped, then cut at the last separator. "/photos/2009/" gives
// parent "/photos" and name "2009"; a volume root gives an empty name.
struct SearchRoot {
  QString parent;
  QString name;
};

SearchRoot SplitSearchRoot(const QString& folderPath);

// Replaces every run of consecutive separators by one: "a///b//" gives "a/b/". Runs of
// three or more collapse fully, so a root typed with extra separators still names
// the same folder and category.
QString CollapseDoubledSeparators(const QString& path);

// parent + "/" + name + "/", collapsed: the folder path with one trailing separator.
QString FolderPathOf(const QString& parent, const QString& name);
