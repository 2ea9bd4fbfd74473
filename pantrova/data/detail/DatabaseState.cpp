#include "DatabaseState.h"

#include "../EngineError.h"
#include "OpenFiles.h"
#include "RecordsetState.h"
#include "SqlDialect.h"

#include <sqlite3.h>

namespace engine::detail {

DatabaseState::~DatabaseState()
{
    close();
}

void DatabaseState::markOpen()
{
    m_openKey = OpenFiles::key(path);
    OpenFiles::opened(m_openKey);
}

void DatabaseState::close()
{
    if (!m_openKey.isEmpty()) {
        OpenFiles::closed(m_openKey);
        m_openKey.clear();
    }
    m_attached.clear(); // closing the connection lets go of every attached file
    for (const auto& weak : recordsets)
        if (auto rs = weak.lock())
            rs->release();
    recordsets.clear();
    if (db) {
        sqlite3_close_v2(db);
        db = nullptr;
    }
    forgetSchema();
}

void DatabaseState::requireOpen(const QString& what) const
{
    if (!db)
        throw EngineError(path, what, QStringLiteral("The database is closed."));
}

void DatabaseState::fail(const QString& statement, const QString& reason) const
{
    throw EngineError(path, statement, reason);
}

void DatabaseState::exec(const QString& sql, const QList<Value>& params)
{
    requireOpen(sql);
    Statement st(db, sql, path);
    if (!params.isEmpty())
        st.bindAll(params);
    while (st.step()) {
    }
}

QString DatabaseState::translate(const QString& sql)
{
    if (!m_dateColumnsKnown) {
        Statement tables(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), path);
        QStringList names;
        while (tables.step())
            names.append(tables.column(0).toText());
        for (const QString& t : names)
            for (const ColumnInfo& c : columns(t)) {
                const StoredKind kind = storedKindOf(c.declType);
                if (kind == StoredKind::Date)
                    m_dateColumns.insert(c.name.toLower());
                else if (kind == StoredKind::Text)
                    m_textColumns.insert(c.name.toLower());
            }
        m_dateColumnsKnown = true;
    }
    return SqlDialect::translate(sql, m_dateColumns, m_textColumns);
}

QString DatabaseState::realTableName(const QString& table)
{
    requireOpen(table);
    Statement st(db,
                 QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table','view') AND name = ? "
                                "COLLATE NOCASE"),
                 path);
    st.bind(1, Value(table));
    return st.step() ? st.column(0).toText() : QString();
}

const QList<ColumnInfo>& DatabaseState::columns(const QString& realTable)
{
    const QString key = realTable.toLower();
    auto it = m_columns.find(key);
    if (it != m_columns.end())
        return *it;
    Statement st(db, QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(realTable)), path);
    QList<ColumnInfo> list;
    while (st.step())
        list.append({st.column(1).toText(), st.column(2).toText()});
    return *m_columns.insert(key, list);
}

QString DatabaseState::orderedColumn(const QString& realTable, const QString& column, const char* collation)
{
    for (const ColumnInfo& c : columns(realTable))
        if (c.name.compare(column, Qt::CaseInsensitive) == 0 && storedKindOf(c.declType) == StoredKind::Text)
            return quotedName(column) + QStringLiteral(" COLLATE ") + QLatin1StringView(collation);
    return quotedName(column);
}

QString DatabaseState::storageIndexName(const QString& table, const QString& indexName)
{
    return QStringLiteral("ix_%1_%2").arg(table, indexName);
}

QStringList DatabaseState::indexColumns(const QString& realTable, const QString& indexName)
{
    Statement find(
        db,
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ? COLLATE "
                       "NOCASE AND name = ? COLLATE NOCASE"),
        path);
    find.bind(1, Value(realTable));
    find.bind(2, Value(storageIndexName(realTable, indexName)));
    if (!find.step())
        fail(QStringLiteral("Index = %1").arg(indexName),
             QStringLiteral("'%1' isn't an index in this table (%2).").arg(indexName, realTable));
    Statement info(db, QStringLiteral("PRAGMA index_info(%1)").arg(quotedName(find.column(0).toText())),
                   path);
    QStringList cols;
    while (info.step())
        cols.append(info.column(2).toText());
    return cols;
}

QString DatabaseState::attach(const QString& path)
{
    const auto found = m_attached.constFind(path);
    if (found != m_attached.constEnd())
        return *found;
    const QString schema = QStringLiteral("pv_target%1").arg(++m_attachCounter);
    exec(QStringLiteral("ATTACH DATABASE ? AS %1").arg(schema), {Value(path)});
    m_attached.insert(path, schema);
    return schema;
}

void DatabaseState::detachAll()
{
    if (!db)
        return;
    for (auto it = m_attached.begin(); it != m_attached.end();) {
        const QByteArray sql = QStringLiteral("DETACH DATABASE %1").arg(*it).toUtf8();
        // Still in use by an unfinished transaction: kept, and let go at its end.
        if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
            it = m_attached.erase(it);
        else
            ++it;
    }
}

void DatabaseState::forgetSchema()
{
    m_columns.clear();
    m_dateColumns.clear();
    m_textColumns.clear();
    m_dateColumnsKnown = false;
    ++m_schemaGeneration;
}

} // namespace engine::detail
