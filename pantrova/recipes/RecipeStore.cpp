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
    // A bookmark is the row's storage identity, its rowid. Only the name and number are read: the
    // row's texts can be megabytes long.
    const engine::Value thisRow{static_cast<qint64>(row)};
    Saved saved;
    if (!adding) {
        engine::Recordset old = db.OpenRecordset(
            QStringLiteral("select Name, category_code from recipes where rowid = ?"), {thisRow});
        old.MoveFirst();
        saved.oldName = old.Text(QStringLiteral("Name"));
        saved.oldNumber = qint32(old.Fields(QStringLiteral("category_code")).toLong());
        saved.number = saved.oldNumber;
    }
    const QString name = storedName(text.name);

    inTransaction(db, recipes, [&] {
        // A change of letter case alone is no rename: the recipe keeps its number.
        if (saved.oldName.toUpper() != name.toUpper() || adding)
            DupNameCheck(db, name, saved.number, group);
        if (adding) {
            recipes.AddNew();
            recipes.SetField(QStringLiteral("Picture"), QString());
            writeFields(recipes, name, saved.number, text, group);
            recipes.Update();
            saved.row = recipes.bookmark();
            return;
        }
        // Written in place: editing through the recordset would first read the whole row, only to
        // replace its texts.
        QStringList assignments;
        QList<engine::Value> values;
        for (const auto& [field, value] : storedFields(name, saved.number, text, group)) {
            assignments << field + QStringLiteral(" = ?");
            values << value;
        }
        values << thisRow;
        db.Execute(QStringLiteral("update recipes set ") + assignments.join(QStringLiteral(", ")) +
                       QStringLiteral(" where rowid = ?"),
                   values);
        recipes.setBookmark(row);
        saved.row = row;
    });
    return saved;
}

QList<QPair<QString, engine::Value>> RecipeStore::storedFields(const QString& name, qint32 number,
                                                               const RecipeText& text, qint16 group)
{
    QList<QPair<QString, engine::Value>> fields{
        {QStringLiteral("Name"), name},
        {QStringLiteral("category_code"), engine::Value(qint64(number))},
        {QStringLiteral("Description"), text.description},
        {QStringLiteral("Ingrediants"), text.ingrediants},
        {QStringLiteral("Instructions"), text.instructions},
        {QStringLiteral("groupnum"), engine::Value(int(group))}};
    fields += text.figures;
    return fields;
}

void RecipeStore::writeFields(engine::Recordset& recipes, const QString& name, qint32 number,
                              const RecipeText& text, qint16 group)
{
    for (const auto& [field, value] : storedFields(name, number, text, group))
        recipes.SetField(field, value);
}

qint32 RecipeStore::addInTransaction(engine::Database& db, engine::Recordset& recipes, const RecipeText& text,
                                     qint16 group, const QString& picture)
{
    qint32 number = 1;
    DupNameCheck(db, storedName(text.name), number, group);
    addNumberedInTransaction(recipes, text, group, picture, number);
    return number;
}

void RecipeStore::addNumberedInTransaction(engine::Recordset& recipes, const RecipeText& text, qint16 group,
                                           const QString& picture, qint32 number)
{
    try {
        recipes.AddNew();
        writeFields(recipes, storedName(text.name), number, text, group);
        recipes.SetField(QStringLiteral("Picture"), picture);
        recipes.Update();
    } catch (...) {
        if (recipes.isOpen() && recipes.isEditing())
            recipes.CancelUpdate();
        throw;
    }
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
