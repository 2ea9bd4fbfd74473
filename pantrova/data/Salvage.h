#pragma once

#include <QString>

namespace engine {

class Database;

// Reading what can still be read from a partly damaged database, for a fresh file made in its
// place. The damaged file is opened read-only and never written.
//
// A row counts as known when the table itself or any of its indexes lists it, and as readable when
// every one of its fields can be read. Rows below a damaged page that no index lists cannot be
// known, and are counted by nobody.
class Salvage
{
public:
    struct Rows
    {
        int readable = 0;
        int unreadable = 0;
    };

    // Counts the readable and unreadable rows of `table` in the damaged file.
    static Rows countRows(const QString& damagedFile, const QString& table);

    // Copies every readable row of `table` from the damaged file into the same table of `target`,
    // fields matched by name. With a `keyField`, a copied row takes the place of the target's rows
    // with the same key (a group keeps its number, its name and section come from the damaged file).
    // The caller runs it inside a transaction on `target`.
    static Rows copyRows(const QString& damagedFile, const QString& table, Database& target,
                         const QString& keyField = {});
};

} // namespace engine
