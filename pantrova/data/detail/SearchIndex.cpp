#include "SearchIndex.h"

#include "../EngineError.h"
#include "Statement.h"

#include <QHash>
#include <QStringList>

#include <sqlite3.h>

#include <limits>

namespace engine::detail::SearchIndex {

namespace {

// Both tables fold words the same way; unicode61 with diacritics removed is built into every
// SQLite that has the module, so the file stays readable and writable by stock tools.
const char* const kCreateText =
    "CREATE VIRTUAL TABLE pv_recipe_text USING fts5(Name, Description, Ingrediants, Instructions, "
    "content='recipes', tokenize='unicode61 remove_diacritics 2')";
const char* const kCreateNames = "CREATE VIRTUAL TABLE pv_recipe_names USING fts5(Name, content='recipes', "
                                 "tokenize='unicode61 remove_diacritics 2')";

// An index over external content is told the old text of a row to forget it, so the delete and
// update triggers hand over the row as it was.
const char* const kInsertTrigger =
    "CREATE TRIGGER pv_recipe_text_insert AFTER INSERT ON recipes BEGIN "
    "INSERT INTO pv_recipe_text(rowid, Name, Description, Ingrediants, Instructions) "
    "VALUES (new.rowid, new.Name, new.Description, new.Ingrediants, new.Instructions); "
    "INSERT INTO pv_recipe_names(rowid, Name) VALUES (new.rowid, new.Name); "
    "END";
const char* const kDeleteTrigger =
    "CREATE TRIGGER pv_recipe_text_delete AFTER DELETE ON recipes BEGIN "
    "INSERT INTO pv_recipe_text(pv_recipe_text, rowid, Name, Description, Ingrediants, Instructions) "
    "VALUES ('delete', old.rowid, old.Name, old.Description, old.Ingrediants, old.Instructions); "
    "INSERT INTO pv_recipe_names(pv_recipe_names, rowid, Name) VALUES ('delete', old.rowid, old.Name); "
    "END";
// A change that leaves every indexed text as it was (serving figures, a picture, a move to another
// group) costs the index nothing.
const char* const kUpdateTrigger =
    "CREATE TRIGGER pv_recipe_text_update AFTER UPDATE ON recipes "
    "WHEN old.rowid IS NOT new.rowid OR old.Name IS NOT new.Name COLLATE BINARY "
    "OR old.Description IS NOT new.Description COLLATE BINARY "
    "OR old.Ingrediants IS NOT new.Ingrediants COLLATE BINARY "
    "OR old.Instructions IS NOT new.Instructions COLLATE BINARY BEGIN "
    "INSERT INTO pv_recipe_text(pv_recipe_text, rowid, Name, Description, Ingrediants, Instructions) "
    "VALUES ('delete', old.rowid, old.Name, old.Description, old.Ingrediants, old.Instructions); "
    "INSERT INTO pv_recipe_names(pv_recipe_names, rowid, Name) VALUES ('delete', old.rowid, old.Name); "
    "INSERT INTO pv_recipe_text(rowid, Name, Description, Ingrediants, Instructions) "
    "VALUES (new.rowid, new.Name, new.Description, new.Ingrediants, new.Instructions); "
    "INSERT INTO pv_recipe_names(rowid, Name) VALUES (new.rowid, new.Name); "
    "END";

const char* const kTriggerNames[] = {"pv_recipe_text_insert", "pv_recipe_text_delete",
                                     "pv_recipe_text_update"};
const char* const kStorageSuffixes[] = {"_data", "_idx", "_docsize", "_config"};

// Recipes indexed per step of a build; progress is reported between steps.
constexpr int kBatch = 2000;

// Statements as written compare equal to what sqlite_master keeps of them.
QString normalized(const QString& sql)
{
    return sql.simplified();
}

QHash<QString, QString> expectedObjects()
{
    QHash<QString, QString> expected; // name -> statement, empty for the module's storage tables
    expected.insert(QString::fromUtf8(kTextTable), normalized(QString::fromUtf8(kCreateText)));
    expected.insert(QString::fromUtf8(kNamesTable), normalized(QString::fromUtf8(kCreateNames)));
    for (const char* table : {kTextTable, kNamesTable})
        for (const char* suffix : kStorageSuffixes)
            expected.insert(QString::fromUtf8(table) + QString::fromUtf8(suffix), QString());
    expected.insert(QString::fromUtf8(kTriggerNames[0]), normalized(QString::fromUtf8(kInsertTrigger)));
    expected.insert(QString::fromUtf8(kTriggerNames[1]), normalized(QString::fromUtf8(kDeleteTrigger)));
    expected.insert(QString::fromUtf8(kTriggerNames[2]), normalized(QString::fromUtf8(kUpdateTrigger)));
    return expected;
}

bool isIndexObject(const QString& name)
{
    return name.startsWith(QLatin1StringView(kTextTable), Qt::CaseInsensitive) ||
           name.startsWith(QLatin1StringView(kNamesTable), Qt::CaseInsensitive);
}

struct SchemaRow
{
    QString type;
    QString name;
    QString sql;
};

QList<SchemaRow> indexObjects(sqlite3* db, const QString& path)
{
    QList<SchemaRow> rows;
    Statement st(db, QStringLiteral("SELECT type, name, sql FROM sqlite_master"), path);
    while (st.step()) {
        const QString name = st.column(1).toText();
        if (isIndexObject(name))
            rows.append({st.column(0).toText(), name, st.column(2).toText()});
    }
    return rows;
}

qint64 single(sqlite3* db, const QString& path, const QString& sql, const QList<Value>& params = {})
{
    Statement st(db, sql, path);
    st.bindAll(params);
    return st.step() ? st.columnInt64(0) : 0;
}

// The module's own commands see the word lists of a recipe as its weighted fields: a word in the
// name counts most, then the ingredients, the description and the instructions.
void rankFunction(const Fts5ExtensionApi* api, Fts5Context* fts, sqlite3_context* result, int argc,
                  sqlite3_value** argv)
{
    double score = 0;
    const int phrases = api->xPhraseCount(fts);
    for (int p = 0; p < phrases; ++p) {
        Fts5PhraseIter it;
        int column = -1;
        if (api->xPhraseFirstColumn(fts, p, &it, &column) != SQLITE_OK)
            break;
        for (; column >= 0; api->xPhraseNextColumn(fts, &it, &column))
            score += column < argc ? sqlite3_value_double(argv[column]) : 1.0;
    }
    sqlite3_result_double(result, score);
}

fts5_api* moduleApi(sqlite3* db)
{
    fts5_api* api = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &st, nullptr) == SQLITE_OK) {
        sqlite3_bind_pointer(st, 1, static_cast<void*>(&api), "fts5_api_ptr", nullptr);
        sqlite3_step(st);
    }
    sqlite3_finalize(st);
    return api;
}

} // namespace

bool hasRecipes(sqlite3* db, const QString& path)
{
    Statement st(db,
                 QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'recipes' "
                                "COLLATE NOCASE"),
                 path);
    return st.step();
}

Shape shapeOf(sqlite3* db, const QString& path)
{
    const QList<SchemaRow> present = indexObjects(db, path);
    if (present.isEmpty())
        return Shape::Absent;
    QHash<QString, QString> expected = expectedObjects();
    for (const SchemaRow& row : present) {
        const auto it = expected.find(row.name);
        if (it == expected.end())
            return Shape::Unsound;
        // The module writes its storage tables itself; only their presence is ours to check.
        if (!it->isEmpty() && normalized(row.sql) != *it)
            return Shape::Unsound;
        expected.erase(it);
    }
    return expected.isEmpty() ? Shape::Current : Shape::Unsound;
}

bool isInStep(sqlite3* db, const QString& path)
{
    Statement st(db,
                 QStringLiteral("SELECT (SELECT count(*) FROM recipes), (SELECT max(rowid) FROM recipes), "
                                "(SELECT count(*) FROM pv_recipe_text_docsize), "
                                "(SELECT max(id) FROM pv_recipe_text_docsize), "
                                "(SELECT count(*) FROM pv_recipe_names_docsize), "
                                "(SELECT max(id) FROM pv_recipe_names_docsize)"),
                 path);
    if (!st.step())
        return false;
    const Value count = st.column(0), last = st.column(1);
    return st.column(2) == count && st.column(3) == last && st.column(4) == count && st.column(5) == last;
}

void drop(sqlite3* db, const QString& path)
{
    for (const char* trigger : kTriggerNames)
        run(db, path, QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(QString::fromUtf8(trigger)));
    for (const char* table : {kTextTable, kNamesTable}) {
        const QString name = QString::fromUtf8(table);
        // The module takes its storage tables down with it, when it can still read its settings.
        if (sqlite3_exec(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(name).toUtf8().constData(),
                         nullptr, nullptr, nullptr) == SQLITE_OK)
            continue;
        for (const char* suffix : kStorageSuffixes)
            run(db, path, QStringLiteral("DROP TABLE IF EXISTS %1%2").arg(name, QString::fromUtf8(suffix)));
        // A virtual table owns no pages of its own, so forgetting its schema row leaves nothing behind.
        const qint64 schemaVersion = single(db, path, QStringLiteral("PRAGMA schema_version"));
        run(db, path, "PRAGMA writable_schema = ON");
        try {
            Statement forget(db, QStringLiteral("DELETE FROM sqlite_master WHERE name = ? AND rootpage = 0"),
                             path);
            forget.bind(1, Value(name));
            forget.step();
            run(db, path, QStringLiteral("PRAGMA schema_version = %1").arg(schemaVersion + 1));
        } catch (...) {
            sqlite3_exec(db, "PRAGMA writable_schema = OFF", nullptr, nullptr, nullptr);
            throw;
        }
        run(db, path, "PRAGMA writable_schema = OFF");
    }
    // Anything else under the index's names (left by another version) goes too.
    for (const SchemaRow& row : indexObjects(db, path)) {
        if (row.type == u"table")
            run(db, path, QStringLiteral("DROP TABLE IF EXISTS %1").arg(quotedName(row.name)));
        else if (row.type == u"trigger")
            run(db, path, QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(quotedName(row.name)));
        else if (row.type == u"index")
            run(db, path, QStringLiteral("DROP INDEX IF EXISTS %1").arg(quotedName(row.name)));
        else if (row.type == u"view")
            run(db, path, QStringLiteral("DROP VIEW IF EXISTS %1").arg(quotedName(row.name)));
    }
}

namespace {

// Indexes every recipe, batch by batch in row order. Every statement is finished when it returns,
// so no read stays open over the commit (it would keep the log from being folded into the file).
void fill(sqlite3* db, const QString& path, const Progress& progress)
{
    const int total = int(single(db, path, QStringLiteral("SELECT count(*) FROM recipes")));
    if (progress)
        progress(0, total);
    Statement text(db,
                   QStringLiteral("INSERT INTO pv_recipe_text(rowid, Name, Description, Ingrediants, "
                                  "Instructions) SELECT rowid, Name, Description, Ingrediants, "
                                  "Instructions FROM recipes WHERE rowid > ?1 AND rowid <= ?2"),
                   path);
    Statement names(db,
                    QStringLiteral("INSERT INTO pv_recipe_names(rowid, Name) SELECT rowid, Name FROM "
                                   "recipes WHERE rowid > ?1 AND rowid <= ?2"),
                    path);
    Statement batchEnd(db,
                       QStringLiteral("SELECT max(rowid), count(*) FROM (SELECT rowid FROM recipes "
                                      "WHERE rowid > ?1 ORDER BY rowid LIMIT ?2)"),
                       path);
    qint64 last = std::numeric_limits<qint64>::min();
    int done = 0;
    for (;;) {
        batchEnd.bind(1, Value(last));
        batchEnd.bind(2, Value(kBatch));
        const bool more = batchEnd.step() && batchEnd.columnInt64(1) > 0;
        const qint64 end = batchEnd.columnInt64(0);
        const int count = int(batchEnd.columnInt64(1));
        batchEnd.reset();
        if (!more)
            break;
        for (Statement* insert : {&text, &names}) {
            insert->bind(1, Value(last));
            insert->bind(2, Value(end));
            while (insert->step()) {
            }
            insert->reset();
        }
        last = end;
        done += count;
        if (progress)
            progress(done, total);
    }
}

} // namespace

void build(sqlite3* db, const QString& path, const Progress& progress)
{
    run(db, path, "BEGIN IMMEDIATE");
    try {
        drop(db, path);
        run(db, path, kCreateText);
        run(db, path, kCreateNames);
        fill(db, path, progress);
        run(db, path, kInsertTrigger);
        run(db, path, kDeleteTrigger);
        run(db, path, kUpdateTrigger);
        run(db, path, "COMMIT");
    } catch (...) {
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void repairOnOpening(sqlite3* db, const QString& path)
{
    if (sqlite3_db_readonly(db, "main") == 1 || shapeOf(db, path) != Shape::Unsound)
        return;
    run(db, path, "BEGIN IMMEDIATE");
    try {
        drop(db, path);
        run(db, path, "COMMIT");
    } catch (...) {
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void registerFunctions(sqlite3* db)
{
    if (fts5_api* api = moduleApi(db))
        api->xCreateFunction(api, "pv_rank", nullptr, rankFunction, nullptr);
}

} // namespace engine::detail::SearchIndex
