#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace engine {
class Database;
class Recordset;
} // namespace engine

namespace pantrova {

// Conversion of a cookbook made by a version before 7 (one recipe table per fixed category and a
// `pnames` table with the three personal category names) into the current format (sections,
// groups, one `recipes` table).
//
// The new cookbook is built beside the old one in a scratch file made from the template cookbook,
// then renamed over the old file in one step; before that, the old file is copied to a backup
// "<name>.70" (or "<name>-2.70", ... when an earlier backup has that name: a backup is never
// overwritten). Until the rename the old file is untouched, so a conversion that fails half-way
// leaves it as it was, removes the scratch file and the backup it made, and says why.

// Converts the open cookbook, telling the cook before and after; `cookbook` is open on the
// converted file afterwards. Throws when the file is in neither format or the conversion fails.
void ConvertOldCookbook(engine::Database& cookbook);

// The old category tables in the order of the groups they go to (1 to 20).
QStringList oldCategoryTables();

// True when the database holds any table of the old format (a category table or `pnames`).
bool isOldFormat(const engine::Database& db);

// The backup name for a cookbook file in `folder`: "<base>.70", or the first free "<base>-N.70".
QString backupNameFor(const QString& folder, const QString& cookbookFile);

// Builds the converted cookbook: copies `cookbookPath` to `backupPath`, converts into a scratch
// file in the same folder, and puts it in the cookbook's place. Everything closed; no messages.
// `progress` hears of each category table as it is imported (done counts from 0 to 20).
void convertCookbookFile(const QString& cookbookPath, const QString& backupPath,
                         const std::function<void(int done, const QString& table)>& progress = {});

// The steps, under the names the conversion has always used.
void AddPersonalGroup(const QString& name, engine::Recordset& groups, int groupNumber);
void ImportCategory(engine::Database& oldDb, const QString& baseName, const QString& table);
void AssignImportedRecipes(engine::Database& newDb, int groupNumber);

} // namespace pantrova
