#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// A settings file is a few kilobytes; anything far larger is not one.
constexpr qint64 kLargestSettingsFile = 1024 * 1024;

}  // namespace

QString SavedSettingsPath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
         QStringLiteral("/settings.ini");
}

std::optional<SettingsReading> ReadSettingsFile(
    const QString& path, const std::function<QStringList()>& installedPrinters) {
  const QFileInfo info(path);
  if (!info.exists()) return std::nullopt;
  const auto unreadable = [](const QString& why) {
    SettingsReading reading;
    reading.unreadable = true;
    reading.whyUnreadable = why;
    return reading;
  };
  if (!info.isFile()) return unreadable(QStringLiteral("它不是文件"));
  if (info.size() > kLargestSettingsFile) return unreadable(QStringLiteral("它太大，不是设置文件"));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return unreadable(file.errorString());
  file.close();

  QSettings settings(path, QSettings::IniFormat);
  if (settings.status() != QSettings::NoError)
    return unreadable(QStringLiteral("它不是设置文件的格式"));
  QVariantMap stored;
  for (const QString& key : settings.allKeys()) stored.insert(key, settings.value(key));
  SettingsReading reading = ParseStartSettings(stored);
  if (installedPrinters && !reading.settings.print.printerName.isEmpty())
    DropUnknownPrinter(reading, installedPrinters());
  return reading;
}

bool WriteSettingsFile(const QString& path, const StartSettings& settings, QString& error) {
  const QFileInfo target(path);
  if (!QDir().mkpath(target.absolutePath())) {
    error =
        QStringLiteral("无法创建文件夹 %1").arg(QDir::toNativeSeparators(target.absolutePath()));
    return false;
  }

  // QSettings writes the INI text into a scratch file, which then goes to its place in
  // one piece.
  QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/quillmere-settings-XXXXXX.ini"));
  if (!scratch.open()) {
    error = scratch.errorString();
    return false;
  }
  scratch.close();
  {
    QSettings ini(scratch.fileName(), QSettings::IniFormat);
    const QVariantMap values = StartSettingsValues(settings);
    for (auto it = values.cbegin(); it != values.cend(); ++it) ini.setValue(it.key(), it.value());
    ini.sync();
    if (ini.status() != QSettings::NoError) {
      error =
          QStringLiteral("无法写入临时文件 %1").arg(QDir::toNativeSeparators(scratch.fileName()));
      return false;
    }
  }
  QFile written(scratch.fileName());
  if (!written.open(QIODevice::ReadOnly)) {
    error = written.errorString();
    return false;
  }
  const QByteArray text = written.readAll();

  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
    error = out.errorString();
    return false;
  }
  return true;
}

bool RemoveSettingsFile(const QString& path, QString& error) {
  QFile file(path);
  if (!file.exists() || file.remove()) return true;
  error = file.errorString();
  return false;
}
