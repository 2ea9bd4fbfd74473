#pragma once

#include "Database.h"

#include <QString>

#include <memory>
#include <vector>

namespace engine {

// The engine's workspace: opens databases and closes everything opened through it.
//
// Bare file names resolve against the current directory (the program sets it to the program
// folder); when no file of exactly that name exists, a file whose name differs only in letter case
// is used, so "admin.sys" finds "Admin.sys" as it would on a case-blind file system.
// Used from the user-interface thread only.
class Workspace
{
public:
    Workspace();

    // Opens a database for shared read-write use. Throws EngineError when the file is missing or
    // is not a database.
    Database OpenDatabase(const QString& fileName);

    // Creates a new, empty database file and opens it. Fails when the file exists.
    Database CreateDatabase(const QString& fileName);

    // Closes the workspace and every database and recordset opened through it.
    void Close();

    // Writes a compacted copy of a closed database to a new file. Fails when the destination
    // exists or the source is missing.
    static void CompactDatabase(const QString& source, const QString& destination);

    // The path a bare or relative name resolves to, with the case-blind fallback described above.
    static QString resolvePath(const QString& fileName);

private:
    std::vector<std::weak_ptr<detail::DatabaseState>> m_databases;
};

} // namespace engine
