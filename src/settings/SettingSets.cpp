#include "settings/SettingSets.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".ini");
constexpr qsizetype kLongestName = 40;

// Letters and digits of any script stay as they are; everything else a file system
// might refuse or read differently is written as %XX of its UTF-8 bytes.
QString FileNameOf(const QString& name) {
  QString file;
  for (const QChar c : name) {
    if (c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_' || c.isSurrogate())
      file += c;
    else
      file += QString::fromLatin1(QUrl::toPercentEncoding(QString(c), QByteArray(), ".~"));
  }
  // A name cannot begin a file that hides itself or end in a space some systems drop.
  if (file.startsWith(u' ')) file.replace(0, 1, QStringLiteral("%20"));
  if (file.endsWith(u' ')) file.replace(file.size() - 1, 1, QStringLiteral("%20"));
  return file + kSuffix;
}

QString NameOfFile(const QString& fileName) {
  return QUrl::fromPercentEncoding(fileName.chopped(kSuffix.size()).toUtf8());
}

}  // namespace

SettingSets::SettingSets(const QString& startSettingsFile)
    : folder_(QFileInfo(startSettingsFile).absolutePath() + QStringLiteral("/sets")) {}

QStringList SettingSets::Names() const {
  QStringList names;
  for (const QString& file :
       QDir(folder_).entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden)) {
    const QString name = NameOfFile(file);
    // Only what this program wrote: the name must lead back to the same file.
    if (RefuseName(name).isEmpty() && FileNameOf(name) == file) names << name;
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  return names;
}

std::optional<QString> SettingSets::Find(const QString& name) const {
  for (const QString& saved : Names())
    if (saved.compare(name, Qt::CaseInsensitive) == 0) return saved;
  return std::nullopt;
}

QString SettingSets::RefuseName(const QString& name) {
  if (name.trimmed().isEmpty()) return QStringLiteral("方案名称不能是空的");
  if (name != name.trimmed()) return QStringLiteral("方案名称的开头和结尾不能有空格");
  if (name.size() > kLongestName) return QStringLiteral("方案名称不能超过%1个字").arg(kLongestName);
  if (std::any_of(name.cbegin(), name.cend(),
                  [](QChar c) { return c.category() == QChar::Other_Control; }))
    return QStringLiteral("方案名称里不能有控制字符");
  return {};
}

std::optional<SettingsReading> SettingSets::Read(
    const QString& name, const std::function<QStringList()>& installedPrinters) const {
  return ReadSettingsFile(FileOf(name), installedPrinters);
}

bool SettingSets::Write(const QString& name, const StartSettings& settings, QString& error) const {
  // A set named differently only in case is the same set, also where file names
  // differ in case.
  const std::optional<QString> existing = Find(name);
  if (!WriteSettingsFile(FileOf(name), settings, error)) return false;
  if (!existing || *existing == name) return true;
  // Where file names differ in case the old file is gone already.
  const QString old = QFileInfo(FileOf(*existing)).canonicalFilePath();
  if (old.isEmpty() || old == QFileInfo(FileOf(name)).canonicalFilePath()) return true;
  return RemoveSettingsFile(old, error);
}

bool SettingSets::Remove(const QString& name, QString& error) const {
  return RemoveSettingsFile(FileOf(name), error);
}

QString SettingSets::FileOf(const QString& name) const {
  return folder_ + u'/' + FileNameOf(name);
}
