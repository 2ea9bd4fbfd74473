#pragma once

#include <QString>
#include <QStringList>

namespace engine {

// A database file and its companions, handled as the one file the cook sees.
//
// While a database is open, and after a crash, the store may keep companions beside it:
// "<file>-wal" (changes not yet folded into the file), "<file>-shm" (an index of that log) and
// "<file>-journal" (the undo log of the older journal mode). A companion belongs to exactly one
// file: a log left beside a name that later holds another file would be applied to that file on
// its next opening and damage it. So every routine here moves, copies or removes the companions
// together with the file, and clears stale companions from a destination before a file arrives.
// Whatever creates, copies, renames, replaces or deletes a database file goes through here.
//
// Paths are taken as QFile takes them (absolute, or relative to the current directory). The
// routines refuse to touch a destination that this program has open through the engine (close it
// first), never leave a half-written destination behind, and throw EngineError naming the file,
// with the cause (missing, no permission, disk full, in use) when the file system refuses.
// Used from the user-interface thread only.
class DatabaseFiles
{
public:
    // "<path>-wal", "<path>-shm", "<path>-journal".
    static QStringList companionsOf(const QString& path);

    // The main file exists (as a file, not a folder).
    static bool exists(const QString& path);
    // Bytes of the main file; -1 when it is missing.
    static qint64 size(const QString& path);
    // A non-empty log or journal lies beside the file (it was not closed cleanly).
    static bool hasLeftoverLog(const QString& path);
    // The engine of this program has the file open now.
    static bool isOpen(const QString& path);

    // Copies `from`, with the log left beside it if any, to `to`. `to` must not exist unless
    // `overwrite`. The copy is written beside `to`, flushed to disk and then renamed into place.
    // The copy is a working file: its owner may write it even when `from` is read-only.
    static void copy(const QString& from, const QString& to, bool overwrite = false);

    // Gives `from` and its companions the name `to`, which must not exist.
    static void rename(const QString& from, const QString& to);

    // Puts `from` in the place of `to`: the old `to` and its companions are gone, and at no moment
    // is there no file at `to`.
    static void replace(const QString& from, const QString& to);

    // Removes the file and its companions. A missing file is not an error.
    static void remove(const QString& path);
};

} // namespace engine
