#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "settings/StartSettingsFormat.h"

// The file that keeps the start settings: an INI file (QSettings' format, UTF-8) in
// the user's configuration folder, or any file of the same format named by the user.

// settings.ini in Qt's standard configuration folder of this program.
QString SavedSettingsPath();

// The settings in the file at "path"; none when there is no such file. A file that
// cannot be opened, is not an INI file or is unreasonably large reads as unreadable
// (every field at its default); bad values are named as ParseStartSettings names them.
// installedPrinters, when given, is asked only when the file names a printer; a
// printer it does not list counts as a bad value.
std::optional<SettingsReading> ReadSettingsFile(
    const QString& path, const std::function<QStringList()>& installedPrinters = {});

// Writes the settings to a temporary file first and puts it in the place of the old
// one only once it is whole, so a crash or a full disk leaves the old file as it was.
// On failure returns false and says why in "error".
bool WriteSettingsFile(const QString& path, const StartSettings& settings, QString& error);

// Removes the file; a file that is not there is removed already.
bool RemoveSettingsFile(const QString& path, QString& error);
