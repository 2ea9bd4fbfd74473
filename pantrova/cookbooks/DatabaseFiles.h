#pragma once

#include <QString>
#include <QStringList>

namespace pantrova::DatabaseFiles {

// Every file operation the cookbook library makes on a database file: copying a template or a
// backup, removing a cookbook, putting a compacted copy in place, checking that a copy is whole.
//
// A database file is one file to the cook. While the store has it open it may also have a "-wal"
// and a "-shm" companion beside it; whatever copies, replaces or removes a database file here
// takes its companions into account, so a leftover log never meets another file. Every routine
// expects the file to be closed. Failures throw engine::EngineError naming the file and the cause.

// The companions a database file may have ("<path>-wal", "<path>-shm").
QStringList companionsOf(const QString& path);

// Copies a closed database to a new file and flushes the copy to disk. Never overwrites: fails
// when `to` exists. Stale companions of `to` (left by a file of that name that is gone) are removed
// first, so the copy starts clean.
void copy(const QString& from, const QString& to);

// Removes a database file and its companions. False when the file is still there afterwards
// (locked, read-only folder); a missing file counts as removed.
bool remove(const QString& path);

// Puts `replacement` in the place of `target` in one rename, so at every moment one whole file
// carries the target's name; the target's stale companions go first, and the target's permissions
// carry over. `replacement` must be closed and have no companions of its own.
void replace(const QString& replacement, const QString& target);

// Brings a closed database's log (if a crash left one) into the file itself, so the file alone
// holds the data and can be copied or compacted as one file.
void fold(const QString& path);

// Opens the file and runs the store's integrity check; throws when it does not open or is not whole.
void verify(const QString& path);

} // namespace pantrova::DatabaseFiles
