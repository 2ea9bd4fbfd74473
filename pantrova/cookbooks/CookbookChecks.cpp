#include "CookbookChecks.h"

#include "CookbookConversion.h"
#include "data/Database.h"
#include "ui/BusyCursor.h"

#include <QStringList>

namespace pantrova {

namespace {

bool hasTable(const engine::Database& db, const QString& table)
{
    return db.TableNames().contains(table, Qt::CaseInsensitive);
}

// The fields in the order they are checked: S1, C1, S2, C2, then G1, P1 ... G12, P12.
QStringList numericFields()
{
    QStringList fields;
    for (int i = 1; i <= 2; ++i)
        fields << QStringLiteral("S%1").arg(i) << QStringLiteral("C%1").arg(i);
    for (int i = 1; i <= 12; ++i)
        fields << QStringLiteral("G%1").arg(i) << QStringLiteral("P%1").arg(i);
    return fields;
}

} // namespace

void CookbookChecks::run(engine::Database& cookbook)
{
    CheckCookbookFormat(cookbook);
    EnsureNumericFields(cookbook);
}

void CheckCookbookFormat(engine::Database& cookbook)
{
    if (hasTable(cookbook, QStringLiteral("groups")))
        return;
    ConvertOldCookbook(cookbook);
}

bool FieldExists(const engine::TableDef& table, const QString& field)
{
    return table.HasField(field);
}

bool EnsureField(engine::Database& db, const QString& table, const QString& field, engine::FieldType type,
                 int size)
{
    engine::TableDef def = db.TableDefs(table);
    if (FieldExists(def, field))
        return true;
    engine::Field f = def.CreateField(field, type, size);
    if (type == engine::FieldType::Text || type == engine::FieldType::Memo)
        f.AllowZeroLength = true;
    def.Append(f);
    return false;
}

void EnsureNumericFields(engine::Database& cookbook)
{
    QStringList tables;
    for (const QString& table : {QStringLiteral("recipes"), QStringLiteral("report")})
        if (hasTable(cookbook, table))
            tables.append(table);

    // Reading the definitions first keeps a complete cookbook free of any write.
    bool complete = true;
    for (const QString& table : tables) {
        const engine::TableDef def = cookbook.TableDefs(table);
        for (const QString& field : numericFields())
            complete = complete && FieldExists(def, field);
    }
    if (complete)
        return;

    ui::BusyCursor busy;
    engine::Transaction transaction(cookbook);
    for (const QString& field : numericFields())
        for (const QString& table : tables)
            EnsureField(cookbook, table, field, engine::FieldType::Double, 4);
    transaction.commit();
}

} // namespace pantrova
