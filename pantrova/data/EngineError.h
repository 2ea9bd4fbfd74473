#pragma once

#include <QString>

#include <stdexcept>

namespace engine {

// Every failure of the engine layer: which file, which statement, why in the engine's words, and
// the cause sorted into the few kinds a cook can act on.
class EngineError : public std::runtime_error
{
public:
    enum class Cause {
        Unknown,      // nothing more specific is known
        Missing,      // the file (or its folder) is not there
        NoPermission, // the file or its folder may not be read or written
        DiskFull,     // no room left on the disk
        Damaged,      // the file is not a usable database, or parts of it cannot be read
        InUse,        // another program (or window) holds the file
        BadValue,     // a value does not fit its field
    };

    EngineError(const QString& file, const QString& statement, const QString& reason,
                Cause cause = Cause::Unknown);

    QString file() const { return m_file; }
    QString statement() const { return m_statement; }
    QString reason() const { return m_reason; }
    Cause cause() const { return m_cause; }
    QString message() const { return QString::fromUtf8(what()); }

    // The cause of an SQLite result code (extended or primary), and of a C library errno.
    static Cause causeOfSqlite(int resultCode);
    static Cause causeOfErrno(int error);

private:
    QString m_file;
    QString m_statement;
    QString m_reason;
    Cause m_cause;
};

} // namespace engine
