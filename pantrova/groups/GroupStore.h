#pragma once

#include "data/Database.h"
#include "data/Recordset.h"

#include <QString>

#include <optional>

namespace pantrova {

// What the group and section commands read and write in the open cookbook: adding, renaming and
// deleting recipe groups, renaming sections, and moving a recipe to another group.
//
// Group numbers are unique over the whole cookbook, group names within their section, section
// names over the whole cookbook; names compare without regard to case, as the engine compares text.
// Every name reaches SQL as a bound parameter, so apostrophes, brackets, semicolons and percent
// signs are just characters of the name. Every change is one transaction: a failure leaves the
// cookbook as it was. Used from the user-interface thread only.
class GroupStore
{
public:
    static constexpr int NameLength = 20;
    static constexpr qint16 HighestGroupNumber = 32767;

    // A typed group or section name as it is stored: trimmed and cut to its first 20 characters.
    static QString storedName(const QString& typed) { return typed.trimmed().left(NameLength); }

    enum class Outcome { Done, NameExists, NoFreeNumber };

    static bool groupNameExists(engine::Database& db, quint8 section, const QString& name);
    static bool sectionNameExists(engine::Database& db, const QString& name);

    // The number a new group gets: one above the highest in the cookbook, or, once that would pass
    // 32767, the lowest positive number no group and no recipe uses. None when every number is taken.
    static std::optional<qint16> newGroupNumber(engine::Database& db);

    // Adds group `name` (as stored) to `section`. `number` receives the new group's number.
    static Outcome addGroup(engine::Database& db, quint8 section, const QString& name,
                            qint16* number = nullptr);
    static Outcome renameGroup(engine::Database& db, quint8 section, qint16 group, const QString& name);
    static Outcome renameSection(engine::Database& db, quint8 section, const QString& name);

    static bool groupHasRecipes(engine::Database& db, qint16 group);
    static int groupCount(engine::Database& db, quint8 section);
    // Deletes the group; false when `section` holds no such group.
    static bool deleteGroup(engine::Database& db, quint8 section, qint16 group);

    static QString sectionName(engine::Database& db, quint8 section);
    static QString groupName(engine::Database& db, quint8 section, qint16 group);
    // The section number of a section name, the group number of a group name in a section; 0 when
    // there is none.
    static quint8 sectionNumber(engine::Database& db, const QString& name);
    static qint16 groupNumber(engine::Database& db, quint8 section, const QString& name);

    // Moves the current row of `recipes` (a recordset over the recipes table) into `targetGroup`.
    // Its number becomes the first from 1 upward that its name does not carry there. Returns that
    // number. On failure the row is left where it was, without a pending edit.
    static qint32 moveRecipe(engine::Database& db, engine::Recordset& recipes, qint16 targetGroup);
};

} // namespace pantrova
