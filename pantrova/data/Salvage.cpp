#include "Salvage.h"

#include "Database.h"
#include "EngineError.h"
#include "Workspace.h"
#include "detail/SqlFunctions.h"
#include "detail/Statement.h"

#include <QFile>

#include <sqlite3.h>

#include <functional>
#include <set>

namespace engine {

namespace {

struct ReadOnlyFile
{
    sqlite3* db = nullptr;
    QString path;
    explicit ReadOnlyFile(const QString& file) : path(Workspace::resolvePath(file))
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK) {
            const QString reason = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
            sqlite3_close_v2(db);
            throw EngineError(path, {}, reason, EngineError::Cause::Damaged);
        }
        sqlite3_extended_result_codes(db, 1);
        detail::registerDialect(db); // files of the first layout declare its collation
    }
    ~ReadOnlyFile() { sqlite3_close_v2(db); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
};

// Steps a statement as far as it goes; a damaged page ends it early without an error.
void stepWhilePossible(sqlite3* db, const QString& sql, const std::function<void(sqlite3_stmt*)>& row)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            row(st);
    sqlite3_finalize(st);
}

std::set<qint64> knownRows(sqlite3* db, const QString& table)
{
    std::set<qint64> rows;
    auto collect = [&](sqlite3_stmt* st) { rows.insert(sqlite3_column_int64(st, 0)); };
    const QString quoted = detail::quotedName(table);
    stepWhilePossible(db, QStringLiteral("SELECT rowid FROM %1 NOT INDEXED").arg(quoted), collect);
    QStringList indexes;
    stepWhilePossible(db,
                      QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = %1")
                          .arg(QString(quoted).replace(u'"', u'\'')),
                      [&](sqlite3_stmt* st) {
                          indexes.append(
                              QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
                      });
    for (const QString& index : indexes)
        stepWhilePossible(
            db, QStringLiteral("SELECT rowid FROM %1 INDEXED BY %2").arg(quoted, detail::quotedName(index)),
            collect);
    return rows;
}

Value valueOf(sqlite3_stmt* st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return Value(qint64(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(st, i));
    case SQLITE_NULL:
        return {};
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                 sqlite3_column_bytes(st, i));
    }
}

// Reads each known row whole; `use` gets the column names and values of each readable one.
Salvage::Rows readRows(const QString& file, const QString& table,
                       const std::function<void(const QStringList&, const QList<Value>&)>& use)
{
    ReadOnlyFile damaged(file);
    Salvage::Rows counts;
    const std::set<qint64> rows = knownRows(damaged.db, table);
    sqlite3_stmt* st = nullptr;
    const QByteArray sql =
        QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(detail::quotedName(table)).toUtf8();
    if (sqlite3_prepare_v2(damaged.db, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
        counts.unreadable = int(rows.size());
        return counts;
    }
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(st); ++i)
        names.append(QString::fromUtf8(sqlite3_column_name(st, i)));
    for (const qint64 rowid : rows) {
        sqlite3_reset(st);
        sqlite3_bind_int64(st, 1, rowid);
        // Every field is read while stepping, so a damaged field fails the step.
        if (sqlite3_step(st) != SQLITE_ROW) {
            ++counts.unreadable;
            continue;
        }
        ++counts.readable;
        if (use) {
            QList<Value> values;
            for (int i = 0; i < names.size(); ++i)
                values.append(valueOf(st, i));
            use(names, values);
        }
    }
    sqlite3_finalize(st);
    return counts;
}

} // namespace

Salvage::Rows Salvage::countRows(const QString& damagedFile, const QString& table)
{
    return readRows(damagedFile, table, {});
}

Salvage::Rows Salvage::copyRows(const QString& damagedFile, const QString& table, Database& target,
                                const QString& keyField)
{
    const QStringList targetFields = target.TableDefs(table).FieldNames();
    return readRows(damagedFile, table, [&](const QStringList& names, const QList<Value>& values) {
        QStringList fields;
        QStringList marks;
        QList<Value> bound;
        Value key;
        for (qsizetype i = 0; i < names.size(); ++i) {
            const auto match = std::find_if(targetFields.begin(), targetFields.end(), [&](const QString& f) {
                return f.compare(names[i], Qt::CaseInsensitive) == 0;
            });
            if (match == targetFields.end())
                continue;
            fields.append(detail::quotedName(*match));
            marks.append(QStringLiteral("?"));
            bound.append(values[i]);
            if (!keyField.isEmpty() && match->compare(keyField, Qt::CaseInsensitive) == 0)
                key = values[i];
        }
        if (fields.isEmpty())
            return;
        if (!keyField.isEmpty())
            target.Execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                               .arg(detail::quotedName(table), detail::quotedName(keyField)),
                           {key});
        target.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(detail::quotedName(table), fields.join(u", "), marks.join(u", ")),
                       bound);
    });
}

} // namespace engine
