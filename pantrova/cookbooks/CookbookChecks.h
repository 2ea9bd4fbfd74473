#pragma once

#include "data/TableDef.h"

#include <QString>

namespace engine {
class Database;
}

namespace pantrova {

// The checks run on every cookbook the main window opens, in this order: an old-format cookbook
// is converted (CheckCookbookFormat), then the 28 numeric serving and nutrition fields are added
// to `recipes` and `report` wherever they are missing (EnsureNumericFields). A cookbook that
// needs neither is only read, never written.
namespace CookbookChecks {
void run(engine::Database& cookbook);
}

// Converts the cookbook when it has no `groups` table; `cookbook` is open again afterwards.
void CheckCookbookFormat(engine::Database& cookbook);

// Adds S1, S2, C1, C2, G1-G12 and P1-P12 as Double to `recipes` and `report` where missing, all
// in one transaction. A table the cookbook lacks is left to the windows that use it.
void EnsureNumericFields(engine::Database& cookbook);

// Adds the field to the table unless it is there; returns whether it was there already.
bool EnsureField(engine::Database& db, const QString& table, const QString& field, engine::FieldType type,
                 int size);

// True when the table has the field (names compare without regard to case).
bool FieldExists(const engine::TableDef& table, const QString& field);

} // namespace pantrova
