#include "TableDef.h"

#include "EngineError.h"
#include "detail/DatabaseState.h"

namespace engine {

namespace {
QString declaredType(const Field& f)
{
    switch (f.Type) {
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldType::Integer:
        return QStringLiteral("SMALLINT");
    case FieldType::Long:
        return QStringLiteral("INTEGER");
    case FieldType::Double:
        return QStringLiteral("DOUBLE");
    case FieldType::Date:
        return QStringLiteral("DATETIME");
    case FieldType::Text:
        return QStringLiteral("TEXT(%1) COLLATE UNICASE").arg(f.Size > 0 ? f.Size : 255);
    case FieldType::Memo:
        return QStringLiteral("LONGTEXT COLLATE UNICASE");
    }
    return QStringLiteral("TEXT");
}
} // namespace

QStringList TableDef::FieldNames() const
{
    m_db->requireOpen(m_name);
    QStringList names;
    for (const detail::ColumnInfo& c : m_db->columns(m_name))
        names.append(c.name);
    return names;
}

bool TableDef::HasField(const QString& name) const
{
    return FieldNames().contains(name, Qt::CaseInsensitive);
}

Field TableDef::CreateField(const QString& name, FieldType type, int size) const
{
    Field f;
    f.Name = name;
    f.Type = type;
    f.Size = size;
    return f;
}

void TableDef::Append(const Field& field)
{
    m_db->requireOpen(m_name);
    if (HasField(field.Name))
        m_db->fail(QStringLiteral("Append %1").arg(field.Name),
                   QStringLiteral("The field '%1' already exists in table '%2'.").arg(field.Name, m_name));
    QString table = m_name;
    table.replace(u'"', QStringLiteral("\"\""));
    QString column = field.Name;
    column.replace(u'"', QStringLiteral("\"\""));
    m_db->exec(
        QStringLiteral("ALTER TABLE \"%1\" ADD COLUMN \"%2\" %3").arg(table, column, declaredType(field)));
    m_db->forgetSchema();
}

} // namespace engine
