#include "GroupStore.h"

#include "recipes/RecipeStore.h"

#include <QSet>

namespace pantrova {

using engine::Database;
using engine::Recordset;
using engine::Value;

namespace {

Recordset groupsNamed(Database& db, quint8 section, const QString& name)
{
    return db.OpenRecordset(QStringLiteral("select * from groups where groupname = ? and section = ?"),
                            {Value(name), Value(int(section))});
}

Recordset sectionsNamed(Database& db, const QString& name)
{
    return db.OpenRecordset(QStringLiteral("select * from sections where sectionname = ?"), {Value(name)});
}

QString firstText(Recordset rs, const QString& field)
{
    const QString text = rs.RecordCount() > 0 ? (rs.MoveFirst(), rs.Text(field)) : QString();
    rs.Close();
    return text;
}

qint64 firstNumber(Recordset rs, const QString& field)
{
    const qint64 number = rs.RecordCount() > 0 ? (rs.MoveFirst(), rs.Fields(field).toLong()) : 0;
    rs.Close();
    return number;
}

// Sets one field of the first row `rs` holds, if it holds one.
void setFirstRow(Recordset rs, const QString& field, const Value& value)
{
    if (rs.RecordCount() == 0)
        return;
    rs.MoveFirst();
    rs.Edit();
    rs.SetField(field, value);
    rs.Update();
    rs.Close();
}

} // namespace

bool GroupStore::groupNameExists(Database& db, quint8 section, const QString& name)
{
    return groupsNamed(db, section, name).RecordCount() > 0;
}

bool GroupStore::sectionNameExists(Database& db, const QString& name)
{
    return sectionsNamed(db, name).RecordCount() > 0;
}

std::optional<qint16> GroupStore::newGroupNumber(Database& db)
{
    Recordset groups = db.OpenRecordset(QStringLiteral("select * from groups order by groupnum"));
    if (groups.RecordCount() == 0)
        return qint16(1);
    groups.MoveLast();
    const qint64 highest = groups.Fields(QStringLiteral("groupnum")).toLong();
    if (highest < HighestGroupNumber)
        return qint16(std::max<qint64>(highest, 0) + 1);

    // The numbers have run out at the top: take the lowest one nothing refers to. A recipe still
    // carrying a number (an unfinished conversion, say) keeps it from being reused.
    QSet<qint64> used;
    for (groups.MoveFirst(); !groups.isEOF(); groups.MoveNext())
        used.insert(groups.Fields(QStringLiteral("groupnum")).toLong());
    groups.Close();
    Recordset recipes = db.OpenRecordset(QStringLiteral("select distinct groupnum from recipes"));
    for (; !recipes.isEOF(); recipes.MoveNext())
        used.insert(recipes.Fields(QStringLiteral("groupnum")).toLong());
    recipes.Close();
    for (qint64 n = 1; n <= HighestGroupNumber; ++n)
        if (!used.contains(n))
            return qint16(n);
    return std::nullopt;
}

GroupStore::Outcome GroupStore::addGroup(Database& db, quint8 section, const QString& name, qint16* number)
{
    engine::Transaction t(db);
    if (groupNameExists(db, section, name))
        return Outcome::NameExists;
    const std::optional<qint16> next = newGroupNumber(db);
    if (!next)
        return Outcome::NoFreeNumber;
    db.Execute(QStringLiteral("insert into groups (groupnum, groupname, section) values (?, ?, ?)"),
               {Value(int(*next)), Value(name), Value(int(section))});
    t.commit();
    if (number)
        *number = *next;
    return Outcome::Done;
}

GroupStore::Outcome GroupStore::renameGroup(Database& db, quint8 section, qint16 group, const QString& name)
{
    engine::Transaction t(db);
    // The group's present name counts as taken too: renaming to it changes nothing.
    if (groupNameExists(db, section, name))
        return Outcome::NameExists;
    setFirstRow(
        db.OpenRecordset(QStringLiteral("select * from groups where groupnum = ?"), {Value(int(group))}),
        QStringLiteral("groupname"), name);
    t.commit();
    return Outcome::Done;
}

GroupStore::Outcome GroupStore::renameSection(Database& db, quint8 section, const QString& name)
{
    engine::Transaction t(db);
    if (sectionNameExists(db, name))
        return Outcome::NameExists;
    setFirstRow(
        db.OpenRecordset(QStringLiteral("select * from sections where section = ?"), {Value(int(section))}),
        QStringLiteral("sectionname"), name);
    t.commit();
    return Outcome::Done;
}

bool GroupStore::groupHasRecipes(Database& db, qint16 group)
{
    return firstNumber(
               db.OpenRecordset(QStringLiteral("select count(*) as n from recipes where groupnum = ?"),
                                {Value(int(group))}),
               QStringLiteral("n")) > 0;
}

int GroupStore::groupCount(Database& db, quint8 section)
{
    return int(
        firstNumber(db.OpenRecordset(QStringLiteral("select count(*) as n from groups where section = ?"),
                                     {Value(int(section))}),
                    QStringLiteral("n")));
}

bool GroupStore::deleteGroup(Database& db, quint8 section, qint16 group)
{
    engine::Transaction t(db);
    const int deleted = db.Execute(QStringLiteral("delete from groups where section = ? and groupnum = ?"),
                                   {Value(int(section)), Value(int(group))});
    t.commit();
    return deleted > 0;
}

QString GroupStore::sectionName(Database& db, quint8 section)
{
    return firstText(
        db.OpenRecordset(QStringLiteral("select * from sections where section = ?"), {Value(int(section))}),
        QStringLiteral("sectionname"));
}

QString GroupStore::groupName(Database& db, quint8 section, qint16 group)
{
    return firstText(
        db.OpenRecordset(QStringLiteral("select * from groups where groupnum = ? and section = ?"),
                         {Value(int(group)), Value(int(section))}),
        QStringLiteral("groupname"));
}

quint8 GroupStore::sectionNumber(Database& db, const QString& name)
{
    return quint8(firstNumber(sectionsNamed(db, name), QStringLiteral("section")));
}

qint16 GroupStore::groupNumber(Database& db, quint8 section, const QString& name)
{
    return qint16(firstNumber(groupsNamed(db, section, name), QStringLiteral("groupnum")));
}

qint32 GroupStore::moveRecipe(Database& db, Recordset& recipes, qint16 targetGroup)
{
    try {
        engine::Transaction t(db);
        qint32 number = 1;
        RecipeStore::DupNameCheck(db, recipes.Text(QStringLiteral("Name")), number, targetGroup);
        recipes.Edit();
        recipes.SetField(QStringLiteral("groupnum"), Value(int(targetGroup)));
        if (recipes.Fields(QStringLiteral("category_code")).toLong() != number)
            recipes.SetField(QStringLiteral("category_code"), Value(qint64(number)));
        recipes.Update();
        t.commit();
        return number;
    } catch (...) {
        if (recipes.isOpen() && recipes.isEditing())
            recipes.CancelUpdate();
        throw;
    }
}

} // namespace pantrova
