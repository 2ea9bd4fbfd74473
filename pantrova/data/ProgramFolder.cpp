#include "ProgramFolder.h"

#include "DatabaseFiles.h"
#include "EngineError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace pantrova {

ProgramFolder::ProgramFolder(QString path) : m_path(QDir::cleanPath(std::move(path))) {}

ProgramFolder ProgramFolder::ofExecutable()
{
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

QString ProgramFolder::filePath(const QString& name) const
{
    return QDir(m_path).filePath(name);
}

bool ProgramFolder::makeCurrent() const
{
    return QDir::setCurrent(m_path);
}

QString ProgramFolder::findFile(const QString& wildcard, const QString& name) const
{
    const QString wanted = name.toUpper();
    // The wildcard matches without regard to case, as "*.mdb" finds "X.MDB" too.
    const QStringList all = QDir(m_path).entryList(QDir::Files | QDir::Hidden | QDir::System);
    const QString suffix = wildcard.startsWith(u"*.") ? wildcard.mid(1).toUpper() : QString();
    for (const QString& entry : all) {
        if (!suffix.isEmpty() && !entry.toUpper().endsWith(suffix))
            continue;
        if (entry.toUpper() == wanted)
            return entry;
    }
    return {};
}

namespace {
// The real name of the pictures folder ("PICS" in any case), or empty; files of that name do not count.
QString picsDirectoryIn(const QString& path)
{
    const QStringList dirs = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& entry : dirs)
        if (entry.toUpper() == u"PICS")
            return entry;
    return {};
}
} // namespace

bool ProgramFolder::hasPicsDirectory() const
{
    return !picsDirectoryIn(m_path).isEmpty();
}

QString ProgramFolder::ensurePicsDirectory() const
{
    if (const QString existing = picsDirectoryIn(m_path); !existing.isEmpty())
        return existing;
    if (!QDir(m_path).mkdir(QStringLiteral("PICS")))
        throw std::runtime_error(
            QStringLiteral("Cannot create the folder \"PICS\" in %1").arg(m_path).toStdString());
    return QStringLiteral("PICS");
}

void ProgramFolder::copyTemplate(const QString& templateName, const QString& newName) const
{
    QString source = findFile(QStringLiteral("*"), templateName);
    if (source.isEmpty())
        throw engine::EngineError(filePath(templateName),
                                  QStringLiteral("Copying %1 to %2").arg(templateName, newName),
                                  QStringLiteral("File not found: the template \"%1\" is missing from %2")
                                      .arg(templateName, m_path),
                                  engine::EngineError::Cause::Missing);
    // With its companions: a log left beside the new name by a deleted file must not meet the copy.
    engine::DatabaseFiles::copy(filePath(source), filePath(newName), true);
}

} // namespace pantrova
