#include "Database.h"

#include "EngineError.h"
#include "Workspace.h"
#include "detail/DatabaseState.h"
#include "detail/RecordsetState.h"
#include "detail/SqlDialect.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace engine {

using detail::DatabaseState;
using detail::quotedName;
using detail::RecordsetState;
using detail::Statement;

bool Database::isOpen() const
{
    return d && d->isOpen();
}

QString Database::fileName() const
{
    return d ? d->path : QString();
}

DatabaseState& Database::state() const
{
    if (!d)
        throw EngineError({}, {}, QStringLiteral("Object variable not set: the database was never opened."));
    d->requireOpen({});
    return *d;
}

Recordset Database::OpenRecordset(const QString& source, const QList<Value>& params)
{
    DatabaseState& db = state();
    auto rs = std::make_shared<RecordsetState>();
    rs->db = d;
    rs->sql = source;
    rs->params = params;

    const QString trimmed = source.trimmed();
    const bool isSql = trimmed.contains(u' ') || trimmed.contains(u'\n');
    if (!isSql) {
        const QString real =
            db.realTableName(trimmed.startsWith(u'[') ? trimmed.mid(1, trimmed.size() - 2) : trimmed);
        if (real.isEmpty())
            db.fail(source, QStringLiteral("The table '%1' does not exist.").arg(trimmed));
        rs->tableType = true;
        rs->table = real;
        rs->selectList = QStringLiteral("*");
    } else {
        const QString translated = db.translate(source);
        const detail::SingleTableSelect shape = detail::parseSingleTableSelect(translated);
        QString real;
        if (shape.ok)
            real = db.realTableName(shape.table);
        if (shape.ok && !real.isEmpty()) {
            rs->table = real;
            rs->selectList = shape.selectList;
            rs->rest = shape.rest;
        } else {
            // Anything else reads once into memory and cannot be changed.
            rs->snapshot = true;
            Statement st(db.db, translated, db.path);
            st.bindAll(params);
            for (int i = 0; i < st.columnCount(); ++i) {
                rs->names.append(st.columnName(i));
                rs->nameIndex.insert(st.columnName(i).toLower(), i);
            }
            while (st.step()) {
                QList<Value> row;
                for (int i = 0; i < st.columnCount(); ++i)
                    row.append(st.column(i));
                rs->rows.push_back(row);
            }
        }
    }
    rs->loadKeys();
    db.recordsets.push_back(rs);
    // Drop entries of recordsets that are gone, so a long-lived database does not collect them.
    std::erase_if(db.recordsets, [](const std::weak_ptr<RecordsetState>& w) { return w.expired(); });
    Recordset result(rs);
    if (rs->liveCount > 0)
        result.MoveFirst();
    else
        rs->pos = 0; // empty: BOF and EOF at once
    return result;
}

int Database::Execute(const QString& sql, const QList<Value>& params)
{
    DatabaseState& db = state();
    const detail::InsertSelect insert = detail::parseInsertSelect(sql);
    if (!insert.ok) {
        Statement st(db.db, db.translate(sql), db.path);
        st.bindAll(params);
        while (st.step()) {
        }
        db.forgetSchema();
        return sqlite3_changes(db.db);
    }

    // INSERT INTO [file].table SELECT ...: fields are matched by name, so tables whose columns
    // stand in another order (or that have more of them) still line up.
    QString schema = QStringLiteral("main");
    if (!insert.file.isEmpty()) {
        QString file = insert.file;
        if (QFileInfo(file).suffix().isEmpty())
            file += QStringLiteral(".mdb");
        const QString resolved = Workspace::resolvePath(file);
        if (!QFileInfo::exists(resolved))
            db.fail(sql, QStringLiteral("Could not find file '%1'.").arg(file));
        const QString canonical = QFileInfo(resolved).canonicalFilePath();
        if (canonical != QFileInfo(db.path).canonicalFilePath())
            schema = db.attach(canonical);
    }
    // Outside a transaction the other file is let go at once; inside one, when it ends.
    auto detach = [&] {
        if (sqlite3_get_autocommit(db.db))
            db.detachAll();
    };
    try {
        QStringList targetColumns;
        {
            Statement info(db.db,
                           QStringLiteral("PRAGMA %1.table_info(%2)").arg(schema, quotedName(insert.table)),
                           db.path);
            while (info.step())
                targetColumns.append(info.column(1).toText());
        }
        if (targetColumns.isEmpty())
            db.fail(sql, QStringLiteral("The table '%1' does not exist.").arg(insert.table));
        const QString select = db.translate(insert.select);
        QStringList common;
        {
            Statement probe(db.db, select, db.path);
            for (int i = 0; i < probe.columnCount(); ++i) {
                const QString name = probe.columnName(i);
                for (const QString& t : targetColumns)
                    if (t.compare(name, Qt::CaseInsensitive) == 0 && !common.contains(t, Qt::CaseInsensitive))
                        common.append(t);
            }
        }
        if (common.isEmpty())
            db.fail(
                sql,
                QStringLiteral("The query and the table '%1' have no field in common.").arg(insert.table));
        QStringList quoted;
        for (const QString& c : common)
            quoted.append(quotedName(c));
        const QString cols = quoted.join(u", ");
        const QString statement = QStringLiteral("INSERT INTO %1.%2 (%3) SELECT %3 FROM (%4)")
                                      .arg(schema, quotedName(insert.table), cols, select);
        Statement st(db.db, statement, db.path);
        st.bindAll(params);
        while (st.step()) {
        }
        const int changed = sqlite3_changes(db.db);
        detach();
        return changed;
    } catch (...) {
        detach();
        throw;
    }
}

void Database::ExecuteScript(const QString& script)
{
    DatabaseState& db = state();
    char* error = nullptr;
    if (sqlite3_exec(db.db, script.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        db.fail(script.left(200), reason);
    }
    db.forgetSchema();
}

QStringList Database::TableNames() const
{
    DatabaseState& db = state();
    Statement st(
        db.db,
        // The engine's own storage (the full-text index of the recipes) is no table of the program's.
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
                       "AND name NOT LIKE 'pv\\_%' ESCAPE '\\' ORDER BY name"),
        db.path);
    QStringList names;
    while (st.step())
        names.append(st.column(0).toText());
    return names;
}

TableDef Database::TableDefs(const QString& tableName)
{
    DatabaseState& db = state();
    const QString real = db.realTableName(tableName);
    if (real.isEmpty())
        db.fail(QStringLiteral("TableDefs(%1)").arg(tableName),
                QStringLiteral("Item not found in this collection: no table '%1'.").arg(tableName));
    return TableDef(d, real);
}

int Database::SchemaVersion() const
{
    DatabaseState& db = state();
    Statement st(db.db, QStringLiteral("PRAGMA user_version"), db.path);
    return st.step() ? int(st.columnInt64(0)) : 0;
}

void Database::BeginTrans()
{
    state().exec(QStringLiteral("BEGIN IMMEDIATE"));
}

void Database::CommitTrans()
{
    DatabaseState& db = state();
    db.exec(QStringLiteral("COMMIT"));
    db.detachAll();
}

void Database::Rollback()
{
    DatabaseState& db = state();
    if (!sqlite3_get_autocommit(db.db))
        db.exec(QStringLiteral("ROLLBACK"));
    db.detachAll();
    db.forgetSchema();
    // Rows the rolled-back work touched may have changed: make every cursor read again.
    for (const auto& weak : db.recordsets)
        if (auto rs = weak.lock())
            rs->cacheValid = false;
}

void Database::Close()
{
    if (d)
        d->close();
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.Rollback();
        } catch (...) {
            // The database is closed or gone: nothing left to undo.
        }
    }
}

void Transaction::commit()
{
    m_db.CommitTrans();
    m_done = true;
}

} // namespace engine
