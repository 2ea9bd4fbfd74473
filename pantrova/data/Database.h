#pragma once

#include "Recordset.h"
#include "TableDef.h"
#include "Value.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace engine {

namespace detail {
struct DatabaseState;
}

// One open database file. A cheap handle: copies refer to the same open file, and Close (here or on
// the workspace) closes it for every copy. A default-constructed handle is "Nothing".
//
// SQL texts are the program's small legacy dialect: string "+" inside order by, trim, str,
// isnull, isnumeric, Format(date, 'yyyymmdd'), and INSERT INTO [file].table SELECT ... matched by
// field names. Text compares and sorts without regard to case. Values that a person typed go in as
// bound parameters ("?" in the text, values in `params`) or through sqlText().
class Database
{
public:
    Database() = default;

    bool isOpen() const;
    QString fileName() const; // the full path of the open file

    // A table name gives a table-type recordset (Index, Seek); a SQL text an updatable keyset.
    // Opening a table that does not exist fails.
    Recordset OpenRecordset(const QString& source, const QList<Value>& params = {});

    // Runs an action query; returns the number of rows it changed.
    int Execute(const QString& sql, const QList<Value>& params = {});

    // Runs a script of the store's own SQL (several statements, no dialect translation): for
    // building templates and test files, never for text a person typed.
    void ExecuteScript(const QString& script);

    // The table definitions; TableDefs(name) throws when the table does not exist.
    QStringList TableNames() const;
    TableDef TableDefs(const QString& tableName);

    // The version of the file's layout, recorded when the file was made (0 for files made elsewhere).
    int SchemaVersion() const;

    // Transactions: a failed save leaves the file as it was. Prefer the Transaction guard below.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    void Close();

private:
    friend class Workspace;
    friend class RecipeSearch;
    explicit Database(std::shared_ptr<detail::DatabaseState> state) : d(std::move(state)) {}
    detail::DatabaseState& state() const;
    std::shared_ptr<detail::DatabaseState> d;
};

// Rolls back unless committed: a throw between begin and commit leaves the database untouched.
class Transaction
{
public:
    explicit Transaction(Database& db) : m_db(db) { m_db.BeginTrans(); }
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};

} // namespace engine
