#pragma once

#include "Database.h"
#include "EngineError.h"

#include <QString>

#include <memory>
#include <vector>

namespace engine {

// What a check of a database file found, before anything was written to it.
struct DatabaseCheck
{
    enum class Verdict {
        Whole,         // the header and every page are as they should be
        PartlyDamaged, // the file is a database, but some of its pages cannot be read
        Unusable,      // missing, unreadable, empty, or not a database at all
    };
    Verdict verdict = Verdict::Unusable;
    EngineError::Cause cause = EngineError::Cause::Unknown; // why, when not whole
    QString problem;                                        // the engine's words, when not whole
};

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

    // Checks a database file without writing to it: its header, then the store's quick integrity
    // check of every page. Slow on a very large file (it reads the whole file), so it is run where
    // a file is taken into use, not on every opening. Never throws.
    static DatabaseCheck CheckDatabase(const QString& fileName);

    // The path a bare or relative name resolves to, with the case-blind fallback described above.
    static QString resolvePath(const QString& fileName);

private:
    std::vector<std::weak_ptr<detail::DatabaseState>> m_databases;
};

} // namespace engine
