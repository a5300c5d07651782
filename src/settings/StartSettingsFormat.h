#pragma once

#include <QStringList>
#include <QVariantMap>

#include "model/StartSettings.h"

// The start settings as key/value pairs, the way the settings file holds them: a
// "version" key and one key per field ("cells/rows", "bodyFont/face",
// "mainWindow/headerTemplate", …), lengths in 0.1 mm as in PrintSettings.

// The file format this program writes and reads; files of a newer one are not read.
inline constexpr int kStartSettingsVersion = 1;

struct SettingsReading {
  StartSettings settings;
  QStringList badKeys;      // keys whose stored values could not be used, in key-table order
  bool unreadable = false;  // nothing in the file could be read
  QString whyUnreadable;    // in words, when unreadable

  // Some saved setting could not be used and its built-in default stands in for it.
  bool incomplete() const { return unreadable || !badKeys.isEmpty(); }
};

// Every field from its key: a value that is missing keeps its built-in default; one
// that is not a number where a number belongs, or lies outside its range, keeps the
// default and is named in badKeys. A missing or unreadable version is a bad key too;
// a newer version, or no key of the format at all, leaves every field at its default
// and marks the reading unreadable.
SettingsReading ParseStartSettings(const QVariantMap& stored);

// The key/value pairs that ParseStartSettings reads back into the same settings.
QVariantMap StartSettingsValues(const StartSettings& settings);

// A saved printer that no installed printer's name begins with (the rule the settings
// window selects by) falls back to none, which selects the default printer.
void DropUnknownPrinter(SettingsReading& reading, const QStringList& installedPrinters);
