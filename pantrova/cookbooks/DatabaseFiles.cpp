#include "DatabaseFiles.h"

#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace pantrova::DatabaseFiles {

namespace {

[[noreturn]] void fail(const QString& file, const QString& operation, const QString& reason)
{
    throw engine::EngineError(file, operation, reason);
}

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A rename or a new file is durable only once its folder's entry is on disk.
void flushFolder(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void flushFile(const QString& path, const QString& operation)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
    if (fd < 0 || ::fsync(fd) != 0) {
        const QString reason = systemReason();
        if (fd >= 0)
            ::close(fd);
        fail(path, operation, QStringLiteral("The file could not be written to disk: %1").arg(reason));
    }
    ::close(fd);
}

void removeCompanions(const QString& path, const QString& operation)
{
    for (const QString& companion : companionsOf(path))
        if (QFileInfo::exists(companion) && !QFile::remove(companion))
            fail(companion, operation, QStringLiteral("A leftover log file could not be removed."));
}

} // namespace

QStringList companionsOf(const QString& path)
{
    return {path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

void copy(const QString& from, const QString& to)
{
    const QString operation =
        QStringLiteral("Copying %1 to %2").arg(QFileInfo(from).fileName(), QFileInfo(to).fileName());
    if (!QFileInfo(from).isFile())
        fail(from, operation, QStringLiteral("The file is missing."));
    if (QFileInfo::exists(to))
        fail(to, operation, QStringLiteral("A file of that name exists already."));
    removeCompanions(to, operation);
    QFile source(from);
    if (!source.copy(to))
        fail(to, operation, source.errorString());
    // A template may ship read-only; the copy is a working file.
    QFile::setPermissions(to, QFile::permissions(to) | QFile::ReadOwner | QFile::WriteOwner);
    try {
        flushFile(to, operation);
    } catch (...) {
        QFile::remove(to);
        throw;
    }
    flushFolder(to);
}

bool remove(const QString& path)
{
    // The companions go first: a log left without its file is harmless, a file without its log
    // would lose the changes the log holds.
    for (const QString& companion : companionsOf(path))
        QFile::remove(companion);
    QFile::remove(path);
    flushFolder(path);
    return !QFileInfo::exists(path);
}

void replace(const QString& replacement, const QString& target)
{
    const QString operation = QStringLiteral("Replacing %1 with %2")
                                  .arg(QFileInfo(target).fileName(), QFileInfo(replacement).fileName());
    if (!QFileInfo(replacement).isFile())
        fail(replacement, operation, QStringLiteral("The file is missing."));
    for (const QString& companion : companionsOf(replacement))
        if (QFileInfo::exists(companion))
            fail(companion, operation, QStringLiteral("The file is still in use."));
    if (QFileInfo::exists(target))
        QFile::setPermissions(replacement, QFile::permissions(target));
    removeCompanions(target, operation);
    if (std::rename(QFile::encodeName(replacement).constData(), QFile::encodeName(target).constData()) != 0)
        fail(target, operation, systemReason());
    flushFolder(target);
}

void fold(const QString& path)
{
    const QStringList companions = companionsOf(path);
    if (!QFileInfo::exists(companions[0]) && !QFileInfo::exists(companions[1]))
        return; // the file alone holds the data: nothing to bring in, nothing written
    // Opening and closing through the engine brings a leftover log into the file and removes it.
    engine::Workspace workspace;
    engine::Database db = workspace.OpenDatabase(path);
    db.Close();
    workspace.Close();
}

void verify(const QString& path)
{
    engine::Workspace workspace;
    engine::Database db = workspace.OpenDatabase(path);
    // Reading through a memory map keeps the check close to the speed of reading the file.
    db.Execute(QStringLiteral("PRAGMA mmap_size = 1073741824"));
    QString verdict;
    {
        engine::Recordset check = db.OpenRecordset(QStringLiteral("PRAGMA quick_check"));
        verdict = check.isEOF() ? QString() : check.Fields(check.FieldNames().value(0)).toText();
        check.Close();
    }
    db.Close();
    workspace.Close();
    if (verdict != u"ok")
        fail(path, QStringLiteral("Checking %1").arg(QFileInfo(path).fileName()),
             QStringLiteral("The file is damaged: %1")
                 .arg(verdict.isEmpty() ? QStringLiteral("no answer") : verdict));
}

} // namespace pantrova::DatabaseFiles
