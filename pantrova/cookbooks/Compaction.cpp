#include "Compaction.h"

#include "DatabaseCheck.h"
#include "data/DatabaseFiles.h"
#include "data/EngineError.h"
#include "data/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pantrova {

Compaction::Compaction(QString folder, QStringList files)
    : m_folder(std::move(folder)), m_files(std::move(files))
{}

QString Compaction::pathOf(const QString& file) const
{
    const QString path = QFileInfo(file).isAbsolute() ? file : QDir(m_folder).filePath(file);
    // Data files are named loosely ("menus.mdb" is "Menus.mdb"): use the file that is there.
    const QString resolved = engine::Workspace::resolvePath(path);
    return QFileInfo::exists(resolved) ? resolved : path;
}

QString Compaction::scratchFile() const
{
    // "Temp.mdb", unless that is the name of a file being compacted.
    QString name = QStringLiteral("Temp.mdb");
    for (int n = 1;; ++n) {
        const QString path = QDir(m_folder).filePath(name);
        bool taken = false;
        for (const QString& file : m_files)
            taken = taken || QFileInfo(pathOf(file)).fileName().compare(name, Qt::CaseInsensitive) == 0;
        if (!taken)
            return path;
        name = QStringLiteral("Temp%1.mdb").arg(n);
    }
}

qint64 Compaction::totalBytes() const
{
    qint64 bytes = 0;
    for (const QString& file : m_files)
        bytes += QFileInfo(pathOf(file)).size();
    return bytes;
}

void Compaction::run()
{
    m_compacted.clear();
    for (const QString& file : m_files) {
        try {
            compactOne(file);
        } catch (const Failed&) {
            removeScratch();
            throw;
        } catch (const engine::EngineError& e) {
            removeScratch();
            throw Failed(file, e.reason());
        } catch (const std::exception& e) {
            removeScratch();
            throw Failed(file, QString::fromUtf8(e.what()));
        }
        m_compacted.append(file);
    }
}

void Compaction::removeScratch() const
{
    try {
        engine::DatabaseFiles::remove(scratchFile());
    } catch (const engine::EngineError&) {
        // Removed before the next run; the files themselves are whole.
    }
}

void Compaction::compactOne(const QString& file)
{
    const QString path = pathOf(file);
    const QString scratch = scratchFile();
    auto step = [&](Step s) {
        if (onStep)
            onStep(file, s);
    };

    step(Step::Compacting);
    engine::DatabaseFiles::remove(scratch); // left by an earlier run: it is ours
    DatabaseCheck::foldLeftoverLog(path);
    engine::Workspace::CompactDatabase(path, scratch);

    step(Step::Checking);
    DatabaseCheck::verify(scratch);

    step(Step::Replacing);
    QFile::setPermissions(scratch, QFile::permissions(path)); // the compacted file keeps who may use it
    engine::DatabaseFiles::replace(scratch, path);
}

} // namespace pantrova
