#include "Compaction.h"

#include "DatabaseFiles.h"
#include "data/Workspace.h"

#include <QDir>
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
            throw;
        } catch (const std::exception& e) {
            DatabaseFiles::remove(scratchFile());
            throw Failed(file, QString::fromUtf8(e.what()));
        }
        m_compacted.append(file);
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
    if (!DatabaseFiles::remove(scratch))
        throw Failed(file, QStringLiteral("The scratch file \"%1\" left by an earlier run cannot be removed.")
                               .arg(QFileInfo(scratch).fileName()));
    DatabaseFiles::fold(path);
    engine::Workspace::CompactDatabase(path, scratch);

    step(Step::Checking);
    DatabaseFiles::verify(scratch);

    step(Step::Replacing);
    DatabaseFiles::replace(scratch, path);
}

} // namespace pantrova
