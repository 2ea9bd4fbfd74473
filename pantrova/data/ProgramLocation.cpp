#include "ProgramLocation.h"

#include "installdirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pantrova {

namespace {
// The cookbook template tells a folder of shipped files: every layout ships it.
const QString kShippedMarker = QStringLiteral("Recipe70e.mdb");

bool holdsShippedFiles(const QString& folder)
{
    return QFileInfo::exists(QDir(folder).filePath(kShippedMarker));
}
} // namespace

ProgramLocation ProgramLocation::choose(const QString& executableDir, bool executableDirWritable,
                                        const QString& userDataFolder)
{
    const QString exe = QDir::cleanPath(executableDir);
    const QString installed = installedShippedFolder(exe);
    if (!holdsShippedFiles(exe) && holdsShippedFiles(installed))
        return {QDir::cleanPath(userDataFolder), installed, installedLibraryFolder(exe)};
    if (executableDirWritable)
        return {exe, exe, exe};
    return {QDir::cleanPath(userDataFolder), exe, exe};
}

ProgramLocation ProgramLocation::ofExecutable()
{
    if (!QCoreApplication::instance())
        return {};
    const QString exe = QCoreApplication::applicationDirPath();
    return choose(exe, isWritableFolder(exe), userDataFolder());
}

QString ProgramLocation::userDataFolder()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return dataHome.isEmpty() ? QString() : QDir(dataHome).filePath(QStringLiteral("Pantrova"));
}

QString ProgramLocation::installedShippedFolder(const QString& executableDir)
{
    return QDir::cleanPath(QDir(executableDir).filePath(QStringLiteral(PANTROVA_SHIPPED_FROM_BIN)));
}

QString ProgramLocation::installedLibraryFolder(const QString& executableDir)
{
    return QDir::cleanPath(QDir(executableDir).filePath(QStringLiteral(PANTROVA_LIBRARY_FROM_BIN)));
}

bool ProgramLocation::isWritableFolder(const QString& path)
{
    // Asks the system for this user's access, so a read-only mount counts as not writable.
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

} // namespace pantrova
