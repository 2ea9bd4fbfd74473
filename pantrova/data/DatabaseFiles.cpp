#include "DatabaseFiles.h"

#include "EngineError.h"
#include "detail/OpenFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

using Cause = EngineError::Cause;

namespace {

const QStringList kLogSuffixes = {QStringLiteral("-wal"), QStringLiteral("-journal")};
const QString kIndexSuffix = QStringLiteral("-shm");

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

[[noreturn]] void failWithErrno(const QString& file, const QString& what, int error)
{
    throw EngineError(file, what, QString::fromLocal8Bit(std::strerror(error)),
                      EngineError::causeOfErrno(error));
}

bool isRegularFile(const QString& path)
{
    struct stat st
    {
    };
    return ::stat(native(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

qint64 fileSize(const QString& path)
{
    struct stat st
    {
    };
    if (::stat(native(path).constData(), &st) != 0)
        return -1;
    return qint64(st.st_size);
}

void removeOne(const QString& path, const QString& what)
{
    if (::unlink(native(path).constData()) != 0 && errno != ENOENT)
        failWithErrno(path, what, errno);
}

// Failures name `named`: the file the cook asked about.
void renameOne(const QString& from, const QString& to, const QString& what, const QString& named)
{
    if (::rename(native(from).constData(), native(to).constData()) != 0)
        failWithErrno(named, what, errno);
}

void flushFolderOf(const QString& path)
{
    const int fd = ::open(native(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes a flushed byte-for-byte copy of `from` at `to`, which must not exist; removes the
// partial copy on failure. Failures to write name `destination`, the file the cook asked for.
void copyBytes(const QString& from, const QString& to, const QString& destination, const QString& what)
{
    const int in = ::open(native(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        failWithErrno(from, what, errno);
    struct stat st
    {
    };
    ::fstat(in, &st);
    const mode_t mode = (st.st_mode & 0777) | S_IRUSR | S_IWUSR;
    const int out = ::open(native(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        failWithErrno(destination, what, error);
    }
    int error = 0;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), size_t(buffer.size()));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        if (got == 0)
            break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, buffer.constData() + done, size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                error = errno;
                break;
            }
            done += put;
        }
        if (error)
            break;
    }
    if (!error && ::fsync(out) != 0)
        error = errno;
    if (::close(out) != 0 && !error)
        error = errno;
    ::close(in);
    if (error) {
        ::unlink(native(to).constData());
        failWithErrno(destination, what, error);
    }
}

void refuseIfOpen(const QString& path, const QString& what)
{
    if (detail::OpenFiles::isOpen(path))
        throw EngineError(path, what,
                          QStringLiteral("The file is open in Pantrova and must be closed first."),
                          Cause::InUse);
}

void requireExisting(const QString& path, const QString& what)
{
    if (!isRegularFile(path))
        throw EngineError(path, what, QStringLiteral("Could not find file '%1'.").arg(path), Cause::Missing);
}

void removeCompanions(const QString& path, const QString& what)
{
    for (const QString& companion : DatabaseFiles::companionsOf(path))
        removeOne(companion, what);
}

// Moves the logs of `from` beside `to` and drops `from`'s log index, which is rebuilt on opening.
void moveCompanions(const QString& from, const QString& to, const QString& what)
{
    for (const QString& suffix : kLogSuffixes)
        if (isRegularFile(from + suffix))
            renameOne(from + suffix, to + suffix, what, from);
    removeOne(from + kIndexSuffix, what);
}

QString partialName(const QString& to, const QString& suffix)
{
    const QFileInfo info(to);
    return info.absoluteDir().filePath(u'.' + info.fileName() + suffix + QStringLiteral(".copying"));
}

// Puts a file and its companions in the place of `to`, whose own leftover companions go first so
// they are never applied to the file moved in.
void moveWithCompanions(const QString& from, const QString& to, const QString& what, const QString& named)
{
    removeCompanions(to, what);
    renameOne(from, to, what, named);
    moveCompanions(from, to, what);
    flushFolderOf(to);
}

} // namespace

QStringList DatabaseFiles::companionsOf(const QString& path)
{
    return {path + kLogSuffixes[0], path + kIndexSuffix, path + kLogSuffixes[1]};
}

bool DatabaseFiles::exists(const QString& path)
{
    return isRegularFile(path);
}

qint64 DatabaseFiles::size(const QString& path)
{
    return isRegularFile(path) ? fileSize(path) : -1;
}

bool DatabaseFiles::hasLeftoverLog(const QString& path)
{
    for (const QString& suffix : kLogSuffixes)
        if (fileSize(path + suffix) > 0)
            return true;
    return false;
}

bool DatabaseFiles::isOpen(const QString& path)
{
    return detail::OpenFiles::isOpen(path);
}

void DatabaseFiles::copy(const QString& from, const QString& to, bool overwrite)
{
    const QString what = QStringLiteral("Copying %1 to %2").arg(from, to);
    requireExisting(from, what);
    refuseIfOpen(to, what);
    if (!overwrite && isRegularFile(to))
        throw EngineError(to, what, QStringLiteral("The file '%1' already exists.").arg(to));
    if (detail::OpenFiles::key(from) == detail::OpenFiles::key(to))
        throw EngineError(to, what, QStringLiteral("A file cannot be copied onto itself."));

    // The main file and its log are copied as a pair: the log may hold changes the file lacks.
    QStringList parts = {QString()};
    for (const QString& suffix : kLogSuffixes)
        if (fileSize(from + suffix) > 0)
            parts.append(suffix);
    QStringList written;
    try {
        for (const QString& part : parts) {
            const QString partial = partialName(to, part);
            removeOne(partial, what);
            copyBytes(from + part, partial, to + part, what);
            written.append(partial);
        }
        removeCompanions(to, what);
        for (qsizetype i = 0; i < parts.size(); ++i)
            renameOne(written[i], to + parts[i], what, to);
    } catch (...) {
        for (const QString& partial : written)
            ::unlink(native(partial).constData());
        throw;
    }
    flushFolderOf(to);
}

void DatabaseFiles::rename(const QString& from, const QString& to)
{
    const QString what = QStringLiteral("Renaming %1 to %2").arg(from, to);
    requireExisting(from, what);
    refuseIfOpen(from, what);
    refuseIfOpen(to, what);
    if (QFileInfo::exists(to))
        throw EngineError(to, what, QStringLiteral("The file '%1' already exists.").arg(to));
    moveWithCompanions(from, to, what, from);
}

void DatabaseFiles::replace(const QString& from, const QString& to)
{
    const QString what = QStringLiteral("Replacing %1 with %2").arg(to, from);
    requireExisting(from, what);
    refuseIfOpen(from, what);
    refuseIfOpen(to, what);
    if (detail::OpenFiles::key(from) == detail::OpenFiles::key(to))
        return;
    moveWithCompanions(from, to, what, to);
}

void DatabaseFiles::remove(const QString& path)
{
    const QString what = QStringLiteral("Deleting %1").arg(path);
    refuseIfOpen(path, what);
    removeOne(path, what);
    removeCompanions(path, what);
}

} // namespace engine
