#include "Workspace.h"

#include "DatabaseFiles.h"
#include "EngineError.h"
#include "detail/DatabaseState.h"
#include "detail/SchemaUpgrade.h"
#include "detail/SearchIndex.h"
#include "detail/SqlFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

using detail::DatabaseState;

namespace {

using Cause = EngineError::Cause;

// After every commit the log is folded into the file and cut to nothing, so the file alone holds
// every committed change (a copy of it is a whole backup), and a log left behind by a crash holds
// at most one unfinished transaction, which no file ever applies. Another connection still reading
// gets a short wait; after it what can be folded is, and the rest follows with the next commit.
int checkpointAfterCommit(void*, sqlite3* db, const char* schema, int)
{
    sqlite3_busy_timeout(db, 100);
    sqlite3_wal_checkpoint_v2(db, schema, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(db, 2000);
    return SQLITE_OK;
}

sqlite3* openConnection(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        const int code = db ? sqlite3_extended_errcode(db) : rc;
        sqlite3_close_v2(db);
        throw EngineError(path, {}, QStringLiteral("Cannot open the database: %1").arg(reason),
                          EngineError::causeOfSqlite(code));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    sqlite3_wal_hook(db, checkpointAfterCommit, nullptr);
    detail::registerDialect(db);
    detail::SearchIndex::registerFunctions(db);
    return db;
}

quint32 bigEndian32(const QByteArray& bytes, int at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

// Reads the file's header without the store, so a file that is not a whole database is refused
// before anything is written to it.
void checkHeader(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw EngineError(
            path, {},
            QStringLiteral("The file cannot be read: %1").arg(QString::fromLocal8Bit(std::strerror(error))),
            EngineError::causeOfErrno(error));
    }
    struct stat st
    {
    };
    ::fstat(fd, &st);
    QByteArray header(100, '\0');
    const ssize_t got = ::read(fd, header.data(), 100);
    ::close(fd);
    const auto damaged = [&](const QString& reason) { throw EngineError(path, {}, reason, Cause::Damaged); };
    if (st.st_size == 0)
        damaged(QStringLiteral("The file is empty."));
    if (got < 100 || !header.startsWith(QByteArray("SQLite format 3", 16)))
        damaged(QStringLiteral("The file is not a database: its header is not a database header."));
    const auto* h = reinterpret_cast<const unsigned char*>(header.constData());
    const quint32 pageSize = (quint32(h[16]) << 8 | h[17]) == 1 ? 65536u : (quint32(h[16]) << 8 | h[17]);
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        damaged(QStringLiteral("The database header is damaged (page size %1).").arg(pageSize));
    // The page count in the header is trusted only when the file's last writer kept it current.
    const quint32 pages = bigEndian32(header, 28);
    if (pages != 0 && bigEndian32(header, 24) == bigEndian32(header, 92) &&
        quint64(pages) * pageSize > quint64(st.st_size) && !DatabaseFiles::hasLeftoverLog(path))
        damaged(QStringLiteral("The file is cut short: it holds %1 of its %2 bytes.")
                    .arg(qint64(st.st_size))
                    .arg(quint64(pages) * pageSize));
}

// Reads the schema once, so a file that is not a database fails at open and not at first use.
void checkIsDatabase(sqlite3* db, const QString& path)
{
    char* error = nullptr;
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &error) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "unknown error");
        const int code = sqlite3_extended_errcode(db);
        sqlite3_free(error);
        const Cause cause = EngineError::causeOfSqlite(code);
        throw EngineError(path, {}, QStringLiteral("Unrecognized database format: %1").arg(reason),
                          cause == Cause::Unknown ? Cause::Damaged : cause);
    }
}

// Older cookbooks, and ones made elsewhere, may lack the index that group lists and the duplicate
// name check rely on for speed.
void ensureStorageIndexes(sqlite3* db)
{
    sqlite3_exec(db,
                 "CREATE INDEX IF NOT EXISTS pv_recipes_by_group ON recipes(groupnum, Name, category_code)",
                 nullptr, nullptr,
                 nullptr); // fails harmlessly when there is no recipes table or the file is read-only
}

// Write-ahead logging with normal syncing, and the log folded into the file after each commit
// (see checkpointAfterCommit). A log left by a crash is folded in at once, so from the opening on
// the file is complete by itself.
void tuneConnection(sqlite3* db, bool leftoverLog)
{
    sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA cache_size = -32768",
                 nullptr, nullptr, nullptr);
    if (leftoverLog)
        sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

QString absolutePath(const QString& fileName)
{
    return QDir::cleanPath(QFileInfo(fileName).isAbsolute() ? fileName
                                                            : QDir::current().absoluteFilePath(fileName));
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
        throw EngineError(path, {}, QStringLiteral("Could not find file '%1'.").arg(fileName),
                          Cause::Missing);
    checkHeader(path);
    const bool leftoverLog = DatabaseFiles::hasLeftoverLog(path);
    auto state = std::make_shared<DatabaseState>();
    state->path = path;
    state->db = openConnection(path, SQLITE_OPEN_READWRITE);
    state->markOpen();
    try {
        checkIsDatabase(state->db, path);
    } catch (...) {
        state->close();
        throw;
    }
    tuneConnection(state->db, leftoverLog);
    try {
        detail::upgradeStoredSchema(state->db, path);
    } catch (...) {
        state->close();
        throw;
    }
    ensureStorageIndexes(state->db);
    m_databases.push_back(state);
    std::erase_if(m_databases, [](const std::weak_ptr<DatabaseState>& w) { return w.expired(); });
    return Database(state);
}

Database Workspace::CreateDatabase(const QString& fileName)
{
    const QString path = absolutePath(fileName);
    if (QFileInfo::exists(resolvePath(fileName)))
        throw EngineError(path, {}, QStringLiteral("Database '%1' already exists.").arg(fileName));
    // A log left beside the name by a file that is gone must not be applied to the new one.
    DatabaseFiles::remove(path);
    auto state = std::make_shared<DatabaseState>();
    state->path = path;
    state->db = openConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    state->markOpen();
    m_databases.push_back(state);
    return Database(state);
}

DatabaseCheck Workspace::CheckDatabase(const QString& fileName)
{
    DatabaseCheck result;
    const QString path = resolvePath(fileName);
    try {
        if (!QFileInfo(path).isFile())
            throw EngineError(path, {}, QStringLiteral("Could not find file '%1'.").arg(fileName),
                              Cause::Missing);
        checkHeader(path);
        // Read-only, so the check writes nothing; a file whose journal must be rolled back first
        // can only be read by a connection that may write, which then restores that same file.
        sqlite3* db = nullptr;
        try {
            db = openConnection(path, SQLITE_OPEN_READONLY);
            checkIsDatabase(db, path);
        } catch (const EngineError& e) {
            sqlite3_close_v2(db);
            db = nullptr;
            if (e.cause() != Cause::NoPermission || !DatabaseFiles::hasLeftoverLog(path))
                throw;
            db = openConnection(path, SQLITE_OPEN_READWRITE);
            checkIsDatabase(db, path);
        }
        QStringList findings;
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(20)", -1, &st, nullptr);
        if (rc == SQLITE_OK)
            while ((rc = sqlite3_step(st)) == SQLITE_ROW)
                findings.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
        if (rc != SQLITE_DONE)
            findings.append(QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_finalize(st);
        sqlite3_close_v2(db);
        if (findings == QStringList{QStringLiteral("ok")}) {
            result.verdict = DatabaseCheck::Verdict::Whole;
            return result;
        }
        result.verdict = DatabaseCheck::Verdict::PartlyDamaged;
        result.cause = Cause::Damaged;
        result.problem = findings.join(u'\n');
    } catch (const EngineError& e) {
        result.verdict = DatabaseCheck::Verdict::Unusable;
        result.cause = e.cause();
        result.problem = e.reason();
    }
    return result;
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
    const QString to = absolutePath(destination);
    if (!QFileInfo(from).isFile())
        throw EngineError(from, {}, QStringLiteral("Could not find file '%1'.").arg(source), Cause::Missing);
    if (QFileInfo::exists(resolvePath(destination)))
        throw EngineError(to, {}, QStringLiteral("Database '%1' already exists.").arg(destination));
    checkHeader(from);
    DatabaseFiles::remove(to); // stale companions of a file that is gone
    sqlite3* db = openConnection(from, SQLITE_OPEN_READONLY);
    // Reading through a memory map keeps the copy close to the speed of the disk. The page cache
    // stays small: the copy takes the source's cache size, and a large one only makes every written
    // page a fresh allocation (twice the processor time for a 100 MB cookbook).
    sqlite3_exec(db, "PRAGMA mmap_size = 1073741824; PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &stmt, nullptr);
    const QByteArray target = QFile::encodeName(to);
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, target.constData(), int(target.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(stmt);
    }
    const QString reason = QString::fromUtf8(sqlite3_errmsg(db));
    const int code = sqlite3_extended_errcode(db);
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    if (rc != SQLITE_DONE) {
        DatabaseFiles::remove(to);
        throw EngineError(from, QStringLiteral("CompactDatabase to %1").arg(destination), reason,
                          EngineError::causeOfSqlite(code));
    }
    // The copy was written unsynced for speed; one flush at the end makes it durable before the
    // caller replaces the original with it.
    QFile written(to);
    if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0) {
        const int error = errno;
        written.close();
        DatabaseFiles::remove(to);
        throw EngineError(to, QStringLiteral("CompactDatabase to %1").arg(destination),
                          QStringLiteral("The compacted copy could not be written to disk."),
                          EngineError::causeOfErrno(error));
    }
}

} // namespace engine
