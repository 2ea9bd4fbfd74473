#pragma once

#include <QString>

namespace pantrova {

// The per-user settings store: application "Pantrova", section "Startup". Every value is text.
// Reads give the documented default when a key is absent.
//
// The store is an ini file in the user's configuration folder; tests redirect it with
// QSettings::setPath or QStandardPaths test mode.
class Settings
{
public:
    static QString read(const QString& key); // the key's value or its default
    static void write(const QString& key, const QString& value);
    static QString defaultFor(const QString& key);
};

} // namespace pantrova
