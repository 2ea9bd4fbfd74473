#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace engine {

namespace detail {
struct DatabaseState;
}

enum class FieldType { Boolean, Integer, Long, Double, Date, Text, Memo };

// A field about to be appended to a table.
struct Field
{
    QString Name;
    FieldType Type = FieldType::Text;
    int Size = 0; // Text only: the most characters; 0 means 255
    bool AllowZeroLength = false;
};

// A table's definition: its fields, and a way to add one (CreateField, then Fields.Append).
class TableDef
{
public:
    QString Name() const { return m_name; }
    QStringList FieldNames() const;
    bool HasField(const QString& name) const;
    // The stored definition of a field (type, and the size of a text field). Throws when missing.
    Field FieldInfo(const QString& name) const;

    Field CreateField(const QString& name, FieldType type, int size = 0) const;

    // Appends a new field to the table. Throws when the field exists already.
    void Append(const Field& field);

private:
    friend class Database;
    TableDef(std::shared_ptr<detail::DatabaseState> db, QString name)
        : m_db(std::move(db)), m_name(std::move(name))
    {}
    std::shared_ptr<detail::DatabaseState> m_db;
    QString m_name;
};

} // namespace engine
