#pragma once

#include <QString>

struct sqlite3;

namespace engine::detail {

// The version of the stored layout this program writes (PRAGMA user_version): 2 since text
// columns declare the standard NOCASE collation instead of the program's own, so that any SQLite
// tool can read, count and order the rows.
inline constexpr int kSchemaVersion = 2;

// Brings a file of an older layout up to date on opening: every table and index that still declares
// the first layout's collation declares NOCASE instead, every index is rebuilt in that order, and the
// version is recorded (for files of ours; others keep their numbers), all in one transaction that leaves the
// file as it was if any step fails. A full-text index of the recipes that is not exactly as this
// program writes it is taken down, to be built again by the first search (see SearchIndex.h).
// Files that are read-only, or already current, are left alone (the engine's statements apply its
// own ordering either way). Throws EngineError when the upgrade fails.
void upgradeStoredSchema(sqlite3* db, const QString& path);

} // namespace engine::detail
