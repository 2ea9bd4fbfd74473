#pragma once

#include <QString>

namespace engine::detail {

// The database files this program has open through the engine, by canonical path, so the file
// routines can refuse to pull a file away from under an open connection.
class OpenFiles
{
public:
    static QString key(const QString& path); // canonical path, or the clean absolute one
    static void opened(const QString& key);
    static void closed(const QString& key);
    static bool isOpen(const QString& path);
};

} // namespace engine::detail
