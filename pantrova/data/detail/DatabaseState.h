#pragma once

#include "Statement.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct sqlite3;

namespace engine::detail {

struct RecordsetState;

struct ColumnInfo
{
    QString name;
    QString declType;
};

// The shared state behind a Database handle: the connection, the recordsets opened on it (so
// closing the database closes them), and cached schema facts.
struct DatabaseState
{
    sqlite3* db = nullptr;
    QString path;
    std::vector<std::weak_ptr<RecordsetState>> recordsets;
    // The full-text index was found whole and in step, or built, on this connection (RecipeSearch).
    bool searchIndexReady = false;

    ~DatabaseState();
    bool isOpen() const { return db != nullptr; }
    // Records the file as open in the program (see OpenFiles), once the connection is made.
    void markOpen();
    void close();
    void requireOpen(const QString& what) const;
    [[noreturn]] void fail(const QString& statement, const QString& reason) const;

    void exec(const QString& sql, const QList<Value>& params = {});
    QString translate(const QString& sql);

    // Schema facts; names compare without regard to case.
    QString realTableName(const QString& table); // empty when there is no such table
    const QList<ColumnInfo>& columns(const QString& realTable);
    QStringList indexColumns(const QString& realTable, const QString& indexName);
    // A column quoted for a statement, with `collation` added when it holds text.
    QString orderedColumn(const QString& realTable, const QString& column, const char* collation);
    void forgetSchema();
    // Goes up whenever the schema facts are forgotten, so recordsets know to read their shape again.
    quint64 schemaGeneration() const { return m_schemaGeneration; }

    // The names the windows use for indexes map to storage names, since the store keeps tables
    // and indexes in one namespace (a list's index shares its table's name).
    static QString storageIndexName(const QString& table, const QString& indexName);

    // Other files that INSERT INTO [file].table writes to are attached under a schema name of
    // their own. A file written inside a transaction cannot be detached before the transaction
    // ends, so it stays attached (and is reused by later copies) until detachAll() runs after the
    // commit or rollback, or after a copy made outside any transaction.
    QString attach(const QString& path);
    void detachAll();

private:
    QHash<QString, QList<ColumnInfo>> m_columns;
    QSet<QString> m_dateColumns;
    QSet<QString> m_textColumns;
    bool m_dateColumnsKnown = false;
    quint64 m_schemaGeneration = 0;
    QHash<QString, QString> m_attached; // canonical path -> schema name
    QString m_openKey;                  // the file's key in OpenFiles while open
    int m_attachCounter = 0;
};

} // namespace engine::detail
