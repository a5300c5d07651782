#include "platform/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>
#include <algorithm>

#include "platform/Paths.h"
#include "platform/VolumeKinds.h"

namespace {

// A folder that does not exist on this machine is of no use to browse; the home
// folder is what the desktop session itself falls back to.
QString existingFolder(QStandardPaths::StandardLocation location) {
  QString path = QStandardPaths::writableLocation(location);
  if (path.isEmpty() || !QFileInfo(path).isDir())
    path = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
  if (path.isEmpty() || !QFileInfo(path).isDir()) return QString();
  return withTrailingSeparator(QDir::toNativeSeparators(path));
}

}  // namespace

QtDesktop::~QtDesktop() {
  for (; waitDepth_ > 0; --waitDepth_) QApplication::restoreOverrideCursor();
}

QString QtDesktop::clipboardText() {
  return QApplication::clipboard()->text();
}

void QtDesktop::setClipboardText(const QString& text) {
  QApplication::clipboard()->setText(text);
}

QString QtDesktop::desktopPath() {
  return existingFolder(QStandardPaths::DesktopLocation);
}

QString QtDesktop::documentsPath() {
  return existingFolder(QStandardPaths::DocumentsLocation);
}

QList<Volume> QtDesktop::volumes() {
  QList<Volume> result;
  QSet<QString> seen;
  const QList<QStorageInfo> mounted = QStorageInfo::mountedVolumes();
  for (const QStorageInfo& info : mounted) {
    if (!info.isValid() || !info.isReady()) continue;
    const QString root = info.rootPath();
    if (seen.contains(root) || !QFileInfo(root).isDir()) continue;
    if (!isBrowsableMount(info.fileSystemType(), root)) continue;
    seen.insert(root);
    Volume volume;
    volume.root = QDir::toNativeSeparators(root);
    volume.label = info.name().trimmed();
    volume.kind = volumeKindFor(info.fileSystemType(), info.device(), root);
    result << volume;
  }
  std::sort(result.begin(), result.end(),
            [](const Volume& a, const Volume& b) { return a.root < b.root; });
  return result;
}

void QtDesktop::setWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitDepth_;
  } else if (waitDepth_ > 0) {
    QApplication::restoreOverrideCursor();
    --waitDepth_;
  }
}
