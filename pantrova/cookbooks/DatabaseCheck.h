#pragma once

#include <QString>

namespace pantrova::DatabaseCheck {

// What the cookbook library checks of a closed database file before it copies it or puts a
// rewritten copy in its place. File operations themselves are engine::DatabaseFiles'.

// Brings a log that a crash left beside the file into the file itself, so the file alone holds
// the data and can be copied or compacted as one file. Writes nothing when there is no such log.
void foldLeftoverLog(const QString& path);

// Opens the file and runs the store's integrity check; throws engine::EngineError naming the file
// when it does not open or is not whole.
void verify(const QString& path);

} // namespace pantrova::DatabaseCheck
