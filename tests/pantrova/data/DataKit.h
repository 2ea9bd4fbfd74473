// What the data tests share: cookbooks copied from the template and opened in a workspace of their
// own, files read and written whole, a plain SQLite connection that knows nothing of the engine,
// and the list of test classes main() runs.
#pragma once

#include "TestWorld.h"
#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Workspace.h"

#include <QFile>
#include <QTest>

#include <functional>
#include <sqlite3.h>
#include <vector>

// A writable copy of the cookbook template under `name` in the world's folder; returns its path.
inline QString copyCookbook(const TestWorld& world, const QString& name)
{
    const QString path = world.filePath(name);
    QFile::copy(world.filePath(QStringLiteral("Recipe70e.mdb")), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// A cookbook opened in a workspace of its own, closed with it; a temporary one stands for its
// database in a single call.
struct OpenBook
{
    engine::Workspace ws;
    engine::Database db;
    explicit OpenBook(const QString& file) : db(ws.OpenDatabase(file)) {}
    operator engine::Database&() { return db; }
};

inline int rows(engine::Database& db, const QString& sql, const QList<engine::Value>& params = {})
{
    return db.OpenRecordset(sql, params).RecordCount();
}

inline QString integrity(const QString& file)
{
    return OpenBook(file)
        .db.OpenRecordset(QStringLiteral("PRAGMA integrity_check"))
        .Text(QStringLiteral("integrity_check"));
}

// The cause of the engine error `attempt` throws; a value outside the list when it throws none.
inline engine::EngineError::Cause causeOf(const std::function<void()>& attempt)
{
    try {
        attempt();
    } catch (const engine::EngineError& e) {
        return e.cause();
    }
    return static_cast<engine::EngineError::Cause>(-1);
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A plain SQLite connection: no engine, none of its collations or functions.
struct PlainConnection
{
    sqlite3* db = nullptr;
    explicit PlainConnection(const QString& path, bool writable = false)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, nullptr);
    }
    ~PlainConnection() { sqlite3_close(db); }
    // The error text, or empty when the script ran.
    QString exec(const char* sql) const
    {
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
        const QString message = rc == SQLITE_OK ? QString() : QString::fromUtf8(error ? error : "failed");
        sqlite3_free(error);
        return message;
    }
    QStringList column(const char* sql) const
    {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            return {QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db))};
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            out.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
        if (rc != SQLITE_DONE)
            out.append(QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_finalize(st);
        return out;
    }
};

using DataTestRun = int (*)(int argc, char** argv);
std::vector<DataTestRun>& dataTests();

// Each test file adds its class to the list: `static const bool added = addDataTest<T>();`.
template <class T> bool addDataTest()
{
    dataTests().push_back([](int argc, char** argv) {
        T test;
        return QTest::qExec(&test, argc, argv);
    });
    return true;
}
