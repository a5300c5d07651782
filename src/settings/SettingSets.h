#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "settings/SettingsFile.h"

// The named setting sets (方案): each one file in the start settings' format, kept in
// the folder "sets" beside the start settings file, read and written as that file is.
// A set's file is named after the set, with what a file name cannot hold escaped.
class SettingSets {
public:
  explicit SettingSets(const QString& startSettingsFile);

  // The names of the saved sets, sorted without regard to case.
  QStringList Names() const;
  // The saved set that goes by this name, letters compared without regard to case.
  std::optional<QString> Find(const QString& name) const;

  // Why a name cannot name a set, in words; empty when it can.
  static QString RefuseName(const QString& name);

  // As ReadSettingsFile reads the start settings; none when there is no such set.
  std::optional<SettingsReading> Read(
      const QString& name, const std::function<QStringList()>& installedPrinters = {}) const;
  // Writes the set through a temporary file, replacing one of the same name.
  bool Write(const QString& name, const StartSettings& settings, QString& error) const;
  bool Remove(const QString& name, QString& error) const;

  QString FileOf(const QString& name) const;

private:
  QString folder_;
};
