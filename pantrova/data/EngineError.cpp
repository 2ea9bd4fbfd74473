#include "EngineError.h"

#include <sqlite3.h>

#include <cerrno>

namespace engine {

namespace {
QString describe(const QString& file, const QString& statement, const QString& reason)
{
    QString text = reason;
    if (!statement.isEmpty())
        text = QStringLiteral("%1\nStatement: %2").arg(text, statement);
    if (!file.isEmpty())
        text = QStringLiteral("%1\nFile: %2").arg(text, file);
    return text;
}
} // namespace

EngineError::EngineError(const QString& file, const QString& statement, const QString& reason, Cause cause)
    : std::runtime_error(describe(file, statement, reason).toStdString()), m_file(file),
      m_statement(statement), m_reason(reason), m_cause(cause)
{}

EngineError::Cause EngineError::causeOfSqlite(int resultCode)
{
    switch (resultCode) {
    case SQLITE_IOERR_NOMEM:
        return Cause::Unknown;
    case SQLITE_READONLY_DIRECTORY:
    case SQLITE_CANTOPEN_ISDIR:
        return Cause::NoPermission;
    default:
        break;
    }
    switch (resultCode & 0xff) {
    case SQLITE_FULL:
        return Cause::DiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return Cause::Damaged;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Cause::NoPermission;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Cause::InUse;
    case SQLITE_CANTOPEN:
        return Cause::Missing;
    case SQLITE_MISMATCH:
    case SQLITE_CONSTRAINT:
    case SQLITE_TOOBIG:
        return Cause::BadValue;
    default:
        return Cause::Unknown;
    }
}

EngineError::Cause EngineError::causeOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Cause::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
        return Cause::NoPermission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Cause::DiskFull;
    case EBUSY:
    case ETXTBSY:
        return Cause::InUse;
    default:
        return Cause::Unknown;
    }
}

} // namespace engine
