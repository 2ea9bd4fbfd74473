#include "RecipeStore.h"

#include <QSet>

namespace pantrova {

namespace {

// Runs `change` on `recipes` inside a transaction; on failure nothing is kept, not even a pending
// edit of the recordset.
template <class Change> void inTransaction(engine::Database& db, engine::Recordset& recipes, Change change)
{
    try {
        engine::Transaction t(db);
        change();
        t.commit();
    } catch (...) {
        if (recipes.isOpen() && recipes.isEditing())
            recipes.CancelUpdate();
        throw;
    }
}

} // namespace

qint32 RecipeStore::DupNameCheck(engine::Database& db, const QString& name, qint32& number, qint16& group)
{
    // One query for every number the name already carries in the group, instead of one per number:
    // a group can hold dozens of recipes of one name.
    engine::Recordset taken =
        db.OpenRecordset(QStringLiteral("select category_code from recipes where name = ? and groupnum = ?"),
                         {engine::Value(name), engine::Value(int(group))});
    QSet<qint64> used;
    for (; !taken.isEOF(); taken.MoveNext())
        used.insert(taken.Fields(QStringLiteral("category_code")).toLong());
    taken.Close();
    while (used.contains(number))
        ++number;
    return number;
}

RecipeStore::Saved RecipeStore::save(engine::Database& db, engine::Recordset& recipes, bool adding,
                                     engine::Bookmark row, const RecipeText& text, qint16 group)
{
    Saved saved;
    if (!adding) {
        recipes.setBookmark(row);
        saved.oldName = recipes.Text(QStringLiteral("Name"));
        saved.oldNumber = qint32(recipes.Fields(QStringLiteral("category_code")).toLong());
        saved.number = saved.oldNumber;
    }
    const QString name = storedName(text.name);

    inTransaction(db, recipes, [&] {
        // A change of letter case alone is no rename: the recipe keeps its number.
        if (saved.oldName.toUpper() != name.toUpper() || adding)
            DupNameCheck(db, name, saved.number, group);
        if (adding) {
            recipes.AddNew();
        } else {
            recipes.setBookmark(row);
            recipes.Edit();
        }
        writeFields(recipes, name, saved.number, text, group);
        if (adding)
            recipes.SetField(QStringLiteral("Picture"), QString());
        recipes.Update();
        saved.row = recipes.bookmark();
    });
    return saved;
}

void RecipeStore::writeFields(engine::Recordset& recipes, const QString& name, qint32 number,
                              const RecipeText& text, qint16 group)
{
    recipes.SetField(QStringLiteral("Name"), name);
    recipes.SetField(QStringLiteral("category_code"), engine::Value(qint64(number)));
    recipes.SetField(QStringLiteral("Description"), text.description);
    recipes.SetField(QStringLiteral("Ingrediants"), text.ingrediants);
    recipes.SetField(QStringLiteral("Instructions"), text.instructions);
    recipes.SetField(QStringLiteral("groupnum"), engine::Value(int(group)));
    for (const auto& [field, value] : text.figures)
        recipes.SetField(field, value);
}

qint32 RecipeStore::addInTransaction(engine::Database& db, engine::Recordset& recipes, const RecipeText& text,
                                     qint16 group, const QString& picture)
{
    const QString name = storedName(text.name);
    qint32 number = 1;
    DupNameCheck(db, name, number, group);
    try {
        recipes.AddNew();
        writeFields(recipes, name, number, text, group);
        recipes.SetField(QStringLiteral("Picture"), picture);
        recipes.Update();
    } catch (...) {
        if (recipes.isOpen() && recipes.isEditing())
            recipes.CancelUpdate();
        throw;
    }
    return number;
}

void RecipeStore::remove(engine::Database& db, engine::Recordset& recipes)
{
    inTransaction(db, recipes, [&] { recipes.Delete(); });
}

void RecipeStore::setPicture(engine::Database& db, engine::Recordset& recipes, const QString& storedPath)
{
    inTransaction(db, recipes, [&] {
        recipes.Edit();
        recipes.SetField(QStringLiteral("Picture"), storedPath);
        recipes.Update();
    });
}

} // namespace pantrova
