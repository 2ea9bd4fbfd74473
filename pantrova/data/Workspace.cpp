#include "Workspace.h"

#include "EngineError.h"
#include "detail/DatabaseState.h"
#include "detail/SqlFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <unistd.h>

namespace engine {

using detail::DatabaseState;

namespace {

sqlite3* openConnection(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw EngineError(path, {}, QStringLiteral("Cannot open the database: %1").arg(reason));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    detail::registerDialect(db);
    return db;
}

// Reads the schema once, so a file that is not a database fails at open and not at first use.
void checkIsDatabase(sqlite3* db, const QString& path)
{
    char* error = nullptr;
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &error) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        throw EngineError(path, {}, QStringLiteral("Unrecognized database format: %1").arg(reason));
    }
}

// Older cookbooks, and ones made elsewhere, may lack the index that group lists and the duplicate
// name check rely on for speed.
void ensureStorageIndexes(sqlite3* db)
{
    sqlite3_exec(db,
                 "CREATE INDEX IF NOT EXISTS pv_recipes_by_group ON recipes(groupnum, Name, category_code)",
                 nullptr, nullptr,
                 nullptr); // fails harmlessly when there is no recipes table
}

// Write-ahead logging with normal syncing: a saved recipe survives a crash of the program, and a
// single-row change costs no disk flush of its own. The log is folded back into the file when the
// last connection closes, so a closed file is complete on its own and copies as one file.
void tuneConnection(sqlite3* db)
{
    sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA cache_size = -32768",
                 nullptr, nullptr, nullptr);
}

} // namespace

Workspace::Workspace() = default;

QString Workspace::resolvePath(const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString absolute = info.isAbsolute() ? fileName : QDir::current().absoluteFilePath(fileName);
    if (QFileInfo::exists(absolute))
        return QDir::cleanPath(absolute);
    const QFileInfo wanted(absolute);
    const QDir dir = wanted.absoluteDir();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (entry.compare(wanted.fileName(), Qt::CaseInsensitive) == 0)
            return dir.absoluteFilePath(entry);
    return QDir::cleanPath(absolute);
}

Database Workspace::OpenDatabase(const QString& fileName)
{
    const QString path = resolvePath(fileName);
    if (!QFileInfo(path).isFile())
        throw EngineError(path, {}, QStringLiteral("Could not find file '%1'.").arg(fileName));
    auto state = std::make_shared<DatabaseState>();
    state->path = path;
    state->db = openConnection(path, SQLITE_OPEN_READWRITE);
    try {
        checkIsDatabase(state->db, path);
    } catch (...) {
        state->close();
        throw;
    }
    tuneConnection(state->db);
    ensureStorageIndexes(state->db);
    m_databases.push_back(state);
    std::erase_if(m_databases, [](const std::weak_ptr<DatabaseState>& w) { return w.expired(); });
    return Database(state);
}

Database Workspace::CreateDatabase(const QString& fileName)
{
    const QString path =
        QFileInfo(fileName).isAbsolute() ? fileName : QDir::current().absoluteFilePath(fileName);
    if (QFileInfo::exists(resolvePath(fileName)))
        throw EngineError(path, {}, QStringLiteral("Database '%1' already exists.").arg(fileName));
    auto state = std::make_shared<DatabaseState>();
    state->path = QDir::cleanPath(path);
    state->db = openConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    m_databases.push_back(state);
    return Database(state);
}

void Workspace::Close()
{
    for (const auto& weak : m_databases)
        if (auto db = weak.lock())
            db->close();
    m_databases.clear();
}

void Workspace::CompactDatabase(const QString& source, const QString& destination)
{
    const QString from = resolvePath(source);
    const QString to =
        QFileInfo(destination).isAbsolute() ? destination : QDir::current().absoluteFilePath(destination);
    if (!QFileInfo(from).isFile())
        throw EngineError(from, {}, QStringLiteral("Could not find file '%1'.").arg(source));
    if (QFileInfo::exists(resolvePath(destination)))
        throw EngineError(to, {}, QStringLiteral("Database '%1' already exists.").arg(destination));
    sqlite3* db = openConnection(from, SQLITE_OPEN_READONLY);
    // Reading through a memory map and a large cache keeps the copy close to the speed of the disk.
    sqlite3_exec(db, "PRAGMA mmap_size = 1073741824; PRAGMA cache_size = -65536; PRAGMA synchronous = OFF",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &stmt, nullptr);
    const QByteArray target = QFile::encodeName(to);
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, target.constData(), int(target.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(stmt);
    }
    const QString reason = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    if (rc != SQLITE_DONE) {
        QFile::remove(to);
        throw EngineError(from, QStringLiteral("CompactDatabase to %1").arg(destination), reason);
    }
    // The copy was written unsynced for speed; one flush at the end makes it durable before the
    // caller replaces the original with it.
    QFile written(to);
    if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0) {
        QFile::remove(to);
        throw EngineError(to, QStringLiteral("CompactDatabase to %1").arg(destination),
                          QStringLiteral("The compacted copy could not be written to disk."));
    }
}

} // namespace engine
