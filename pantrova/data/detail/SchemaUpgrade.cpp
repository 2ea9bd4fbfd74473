#include "SchemaUpgrade.h"

#include "../EngineError.h"
#include "SearchIndex.h"
#include "Statement.h"

#include <QList>
#include <QPair>
#include <QRegularExpression>

#include <sqlite3.h>

namespace engine::detail {

namespace {

const QRegularExpression& firstLayoutCollation()
{
    static const QRegularExpression re(QStringLiteral(R"(COLLATE\s+["'\[`]?UNICASE["'\]`]?)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

int intPragma(sqlite3* db, const QString& path, const QString& pragma)
{
    Statement st(db, QStringLiteral("PRAGMA %1").arg(pragma), path);
    return st.step() ? int(st.columnInt64(0)) : 0;
}

// The first layout declared its own collation on text columns and indexes; this one declares NOCASE.
void declareStandardCollation(sqlite3* db, const QString& path)
{
    QList<QPair<QString, QString>> outdated; // name, its statement with NOCASE
    {
        Statement st(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE sql IS NOT NULL"), path);
        while (st.step()) {
            QString sql = st.column(1).toText();
            if (sql.contains(firstLayoutCollation())) {
                sql.replace(firstLayoutCollation(), QStringLiteral("COLLATE NOCASE"));
                outdated.append({st.column(0).toText(), sql});
            }
        }
    }
    if (outdated.isEmpty())
        return;
    const int version = intPragma(db, path, QStringLiteral("user_version"));

    run(db, path, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        {
            // Only the declared collation changes: rows are stored the same under either, so the
            // statements are rewritten in place and every index is then rebuilt in its new order.
            const int schemaVersion = intPragma(db, path, QStringLiteral("schema_version"));
            run(db, path, QStringLiteral("PRAGMA writable_schema = ON"));
            for (const auto& [name, sql] : outdated) {
                Statement update(db, QStringLiteral("UPDATE sqlite_master SET sql = ? WHERE name = ?"), path);
                update.bind(1, Value(sql));
                update.bind(2, Value(name));
                update.step();
            }
            run(db, path, QStringLiteral("PRAGMA schema_version = %1").arg(schemaVersion + 1));
            run(db, path, QStringLiteral("PRAGMA writable_schema = OFF"));
            run(db, path, QStringLiteral("REINDEX"));
        }
        if (version >= 1 && version < kSchemaVersion) // files made elsewhere keep their own numbers
            run(db, path, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
        run(db, path, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(db, "PRAGMA writable_schema = OFF", nullptr, nullptr, nullptr);
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace

void upgradeStoredSchema(sqlite3* db, const QString& path)
{
    if (sqlite3_db_readonly(db, "main") == 1)
        return;
    declareStandardCollation(db, path);
    SearchIndex::repairOnOpening(db, path);
}

} // namespace engine::detail
