#include "TableDef.h"

#include "EngineError.h"
#include "detail/DatabaseState.h"
#include "detail/Statement.h"

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
        return QStringLiteral("TEXT(%1) COLLATE NOCASE").arg(f.Size > 0 ? f.Size : 255);
    case FieldType::Memo:
        return QStringLiteral("LONGTEXT COLLATE NOCASE");
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

Field TableDef::FieldInfo(const QString& name) const
{
    m_db->requireOpen(m_name);
    for (const detail::ColumnInfo& c : m_db->columns(m_name)) {
        if (c.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        Field f;
        f.Name = c.name;
        const QString t = c.declType.toUpper();
        if (t.startsWith(u"BOOL"))
            f.Type = FieldType::Boolean;
        else if (t.startsWith(u"SMALLINT"))
            f.Type = FieldType::Integer;
        else if (t.startsWith(u"INT"))
            f.Type = FieldType::Long;
        else if (t.startsWith(u"DOUBLE"))
            f.Type = FieldType::Double;
        else if (t.startsWith(u"DATE"))
            f.Type = FieldType::Date;
        else if (t.startsWith(u"LONGTEXT"))
            f.Type = FieldType::Memo;
        else {
            f.Type = FieldType::Text;
            const qsizetype open = t.indexOf(u'(');
            f.Size = open < 0 ? 255 : t.mid(open + 1, t.indexOf(u')') - open - 1).toInt();
        }
        return f;
    }
    m_db->fail(QStringLiteral("Fields(%1)").arg(name),
               QStringLiteral("Item not found in this collection: %1").arg(name));
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
    m_db->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                   .arg(detail::quotedName(m_name), detail::quotedName(field.Name), declaredType(field)));
    m_db->forgetSchema();
}

} // namespace engine
