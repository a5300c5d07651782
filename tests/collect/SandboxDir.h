#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A temporary folder filled from a list of relative paths: a path ending in "/" is a
// folder, anything else an empty file (parents made as needed). Removed with rm, which
// also copes with names that are not valid text and with very deep chains.
class SandboxDir {
public:
  explicit SandboxDir(const QStringList& paths = {}, const QString& base = QDir::tempPath())
      : dir_(base + QStringLiteral("/quillmere-collect-XXXXXX")) {
    dir_.setAutoRemove(false);
    add(paths);
  }
  ~SandboxDir() { QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), dir_.path()}); }
  SandboxDir(const SandboxDir&) = delete;
  SandboxDir& operator=(const SandboxDir&) = delete;

  void add(const QStringList& paths) {
    for (const QString& relative : paths) {
      const QString full = dir_.filePath(relative);
      if (relative.endsWith(u'/')) {
        QDir().mkpath(full);
      } else {
        QDir().mkpath(QFileInfo(full).path());
        QFile file(full);
        file.open(QIODevice::WriteOnly);
      }
    }
  }
  // The sandbox path with one trailing separator, as the tree sets folderPath.
  QString folder(const QString& relative = QString()) const {
    return relative.isEmpty() ? dir_.path() + u'/' : dir_.filePath(relative) + u'/';
  }
  QString path(const QString& relative) const { return dir_.filePath(relative); }
  QByteArray nativePath(const QString& relative) const { return QFile::encodeName(path(relative)); }

private:
  QTemporaryDir dir_;
};
