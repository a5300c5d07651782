#include "collect/PictureNames.h"

#include <algorithm>
#include <array>

namespace {

constexpr QChar kSeparator = u'/';

QChar asciiLower(QChar c) {
  return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

}  // namespace

NameParts SplitFileName(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf(u'.');
  if (dot < 0) return NameParts{QString(), fileName};
  return NameParts{fileName.left(dot), fileName.mid(dot + 1)};
}

bool IsPictureExtension(const QString& extension, bool morePictureFormats) {
  static const std::array<QStringView, 4> kClassic = {u"jpg", u"jpeg", u"bmp", u"gif"};
  static const std::array<QStringView, 7> kMore = {u"png",  u"tif",  u"tiff", u"webp",
                                                   u"heic", u"heif", u"avif"};
  const auto matches = [&extension](QStringView accepted) {
    if (accepted.size() != extension.size()) return false;
    for (qsizetype i = 0; i < extension.size(); ++i)
      if (asciiLower(extension.at(i)) != accepted.at(i)) return false;
    return true;
  };
  return std::any_of(kClassic.begin(), kClassic.end(), matches) ||
         (morePictureFormats && std::any_of(kMore.begin(), kMore.end(), matches));
}

QString CollapseDoubledSeparators(const QString& path) {
  QString result;
  result.reserve(path.size());
  for (const QChar c : path)
    if (c != kSeparator || result.isEmpty() || result.back() != kSeparator) result.append(c);
  return result;
}

SearchRoot SplitSearchRoot(const QString& folderPath) {
  QString path = CollapseDoubledSeparators(folderPath + kSeparator);
  path.chop(1);
  const qsizetype cut = path.lastIndexOf(kSeparator);
  if (cut < 0) return SearchRoot{path, QString()};
  return SearchRoot{path.left(cut), path.mid(cut + 1)};
}

QString FolderPathOf(const QString& parent, const QString& name) {
  return CollapseDoubledSeparators(parent + kSeparator + name + kSeparator);
}
