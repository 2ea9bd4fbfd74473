#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

namespace pantrova {

// Compacts closed database files in place, one after the other, through a scratch file.
//
// For each file: bring any leftover log into the file, write a compacted copy to the scratch file
// "Temp.mdb", flush it, check that it opens and is whole, then rename it over the original. The
// original is never deleted: until the rename it is untouched, and the rename replaces it in one
// step, so whatever fails, every file is whole: the ones done are compacted, the rest as they were.
// A scratch file left by an earlier run is ours and is removed first.
//
// Steps report to an optional progress callback; tests may also hook each step to make it fail.
class Compaction
{
public:
    enum class Step { Compacting, Checking, Replacing };

    // `files` are names or paths; bare names are taken in `folder`, as is the scratch file.
    Compaction(QString folder, QStringList files);

    std::function<void(const QString& file, Step step)> onStep;

    // Compacts every file in order. Throws Compaction::Failed when one cannot be compacted.
    void run();

    QStringList compacted() const { return m_compacted; }
    QStringList files() const { return m_files; }
    QString scratchFile() const;
    qint64 totalBytes() const; // of the files to compact

    // Why compaction stopped, with the file it stopped at.
    class Failed : public std::runtime_error
    {
    public:
        Failed(QString file, const QString& reason)
            : std::runtime_error(reason.toStdString()), m_file(std::move(file))
        {}
        QString file() const { return m_file; }
        QString reason() const { return QString::fromUtf8(what()); }

    private:
        QString m_file;
    };

private:
    void compactOne(const QString& file);
    void removeScratch() const;
    QString pathOf(const QString& file) const;

    QString m_folder;
    QStringList m_files;
    QStringList m_compacted;
};

} // namespace pantrova
