#pragma once

#include "../Value.h"

#include <QList>
#include <QString>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace engine::detail {

// A table, column or index name as a quoted SQL identifier ("a""b" for a"b). Names come from the
// schema or the program, never from a person, but quoting keeps odd names from breaking statements.
QString quotedName(const QString& name);

// Runs statements that return no rows, one or several separated by semicolons. Failures throw
// EngineError naming the file and the statements.
void run(sqlite3* db, const QString& fileForErrors, const QString& sql);
inline void run(sqlite3* db, const QString& fileForErrors, const char* sql)
{
    run(db, fileForErrors, QString::fromUtf8(sql));
}

// How a declared column type reads back.
enum class StoredKind { Plain, Boolean, Date, Whole, Real, Text };
StoredKind storedKindOf(const QString& declType);

// A prepared statement: prepared in the constructor, finalized in the destructor. Every value goes
// in through bind(); failures throw EngineError naming the file and the statement.
class Statement
{
public:
    Statement(sqlite3* db, const QString& sql, const QString& fileForErrors);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const Value& value); // 1-based, as SQLite counts
    void bindAll(const QList<Value>& values);
    int parameterCount() const;

    bool step(); // true while a row is available
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    QString columnDeclType(int i) const;
    Value column(int i) const;
    qint64 columnInt64(int i) const;

    QString sql() const { return m_sql; }

    // How often SQLite has prepared the statement again because the schema changed under it (a
    // field added, by this connection or another). Column names, count and types may differ after.
    int shapeGeneration() const;

private:
    [[noreturn]] void fail(const QString& reason, int resultCode) const;
    StoredKind kindOf(int i) const;
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
    QString m_file;
    // Declared types are parsed once per shape of the statement, not once per row read.
    mutable std::vector<StoredKind> m_kinds;
    mutable int m_kindsGeneration = -1;
};

} // namespace engine::detail
