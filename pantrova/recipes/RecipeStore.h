#pragma once

#include "data/Database.h"
#include "data/Recordset.h"

#include <QList>
#include <QPair>
#include <QString>

namespace pantrova {

// What the recipe page holds for one recipe when it is saved.
struct RecipeText
{
    QString name; // already trimmed, cut to 50 characters and cleaned of quotation marks
    QString description;
    QString ingrediants;
    QString instructions;
    QList<QPair<QString, engine::Value>> figures; // the serving figures, Double or Null
};

// Writes recipes of the open cookbook: numbering of recipes that share a name, saving a new or
// changed recipe, deleting one, and setting its picture.
//
// Recipes of one group with the same name (compared without regard to case) carry the numbers 1, 2,
// 3 ...; a new recipe or a renamed one gets the first free number from its starting number upward,
// so a rename keeps its number when that number is free under the new name. Every change is one
// transaction: when anything fails, the database is left as it was and the recordset is left
// without a pending edit. Used from the user-interface thread only.
class RecipeStore
{
public:
    static constexpr int NameLength = 50;

    // The name as it is stored: trimmed and cut to 50 characters (quotation marks are removed by
    // SanitizeName before this).
    static QString storedName(const QString& typed) { return typed.trimmed().left(NameLength); }

    // The first number from `number` upward that no recipe of `group` named `name` carries. The
    // number argument holds the result too.
    static qint32 DupNameCheck(engine::Database& db, const QString& name, qint32& number, qint16& group);

    struct Saved
    {
        qint32 number = 1;
        engine::Bookmark row = 0; // the saved row's identity
        QString oldName;          // empty for a new recipe
        qint32 oldNumber = 0;
    };
    // Adds a recipe (adding) or changes the row `row` of `recipes`, which must be a recordset over
    // `recipes`. On success the saved row is current in `recipes`. A changed row is written in
    // place without being read, so `recipes` may still hold the row's old values if it had read
    // them: read the recipe afresh (as the recipe detail is) rather than through `recipes`.
    static Saved save(engine::Database& db, engine::Recordset& recipes, bool adding, engine::Bookmark row,
                      const RecipeText& text, qint16 group);

    // Adds a new recipe as save() does (name stored, first free number), inside a transaction the
    // caller holds, so that many recipes go in as one change. `picture` is the stored picture path
    // ("" for none). Returns the number the recipe was given; on failure the recordset is left
    // without a pending edit.
    static qint32 addInTransaction(engine::Database& db, engine::Recordset& recipes, const RecipeText& text,
                                   qint16 group, const QString& picture = {});
    // The same with a number the caller has already found free for the stored name (a bulk import
    // keeps the group's numbers in memory instead of asking the database for each recipe).
    static void addNumberedInTransaction(engine::Recordset& recipes, const RecipeText& text, qint16 group,
                                         const QString& picture, qint32 number);

    // Deletes the current row of `recipes`.
    static void remove(engine::Database& db, engine::Recordset& recipes);

    // Sets the Picture field of the current row of `recipes` ("" for none).
    static void setPicture(engine::Database& db, engine::Recordset& recipes, const QString& storedPath);

private:
    // Every field a save writes, in one list for both ways of writing a row.
    static QList<QPair<QString, engine::Value>> storedFields(const QString& name, qint32 number,
                                                             const RecipeText& text, qint16 group);
    static void writeFields(engine::Recordset& recipes, const QString& name, qint32 number,
                            const RecipeText& text, qint16 group);
};

} // namespace pantrova
