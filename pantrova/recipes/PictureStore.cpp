#include "PictureStore.h"

#include "data/ProgramFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <stdexcept>

namespace pantrova {

namespace {

// The entry of `dir` named `name` in any letter case (the exact name first); empty when none.
QString entryIgnoringCase(const QString& dir, const QString& name)
{
    if (QFileInfo::exists(QDir(dir).filePath(name)))
        return name;
    const QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

QString canonicalOrAbsolute(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QByteArray digestOf(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result();
}

} // namespace

PictureStore::PictureStore(QString programFolder) : m_folder(std::move(programFolder)) {}

QString PictureStore::storedPathFor(const QString& fileName)
{
    return QStringLiteral("pics\\") + fileName;
}

QString PictureStore::resolve(const QString& storedPath) const
{
    QString path = storedPath.trimmed();
    path.replace(u'\\', u'/');
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).isAbsolute())
        return QFileInfo::exists(path) ? path : QString();
    QString at = m_folder;
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString entry = entryIgnoringCase(at, part);
        if (entry.isEmpty())
            return {};
        at = QDir(at).filePath(entry);
    }
    return QFileInfo(at).isFile() ? at : QString();
}

bool PictureStore::isReadablePicture(const QString& file)
{
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    return reader.canRead() && !reader.size().isEmpty();
}

QImage PictureStore::load(const QString& storedPath) const
{
    const QString file = resolve(storedPath);
    if (file.isEmpty())
        return {};
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QString PictureStore::picturesDir(bool create) const
{
    const ProgramFolder folder(m_folder);
    if (create)
        return QDir(m_folder).filePath(folder.ensurePicsDirectory());
    const QString entry = entryIgnoringCase(m_folder, QStringLiteral("PICS"));
    return entry.isEmpty() ? QDir(m_folder).filePath(QStringLiteral("PICS")) : QDir(m_folder).filePath(entry);
}

bool PictureStore::isInPicturesFolder(const QString& file) const
{
    const QString folderOfFile = canonicalOrAbsolute(QFileInfo(file).absolutePath());
    const QString pics = canonicalOrAbsolute(picturesDir(false));
    return folderOfFile.compare(pics, Qt::CaseInsensitive) == 0;
}

QString PictureStore::picturesFolderText() const
{
    return QDir::toNativeSeparators(QDir(m_folder).absolutePath() + QStringLiteral("/pics"));
}

bool PictureStore::sameContent(const QString& a, const QString& b)
{
    if (QFileInfo(a).size() != QFileInfo(b).size())
        return false;
    const QByteArray da = digestOf(a);
    return !da.isEmpty() && da == digestOf(b);
}

QString PictureStore::bringIn(const QString& file) const
{
    const QFileInfo chosen(file);
    if (isInPicturesFolder(file))
        return storedPathFor(chosen.fileName());

    const QString dir = picturesDir(true);
    const QString base = chosen.completeBaseName();
    const QString suffix = chosen.suffix().isEmpty() ? QString() : u'.' + chosen.suffix();
    // The file's own name first, then the numbered names; the first that is free or already holds
    // this very picture wins.
    for (int n = 1;; ++n) {
        const QString candidate = n == 1 ? chosen.fileName() : base + QString::number(n) + suffix;
        const QString existing = entryIgnoringCase(dir, candidate);
        if (existing.isEmpty()) {
            const QString target = QDir(dir).filePath(candidate);
            if (!QFile::copy(file, target))
                throw std::runtime_error(
                    QStringLiteral("Cannot copy the picture \"%1\" to \"%2\".")
                        .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(target))
                        .toStdString());
            QFile(target).setPermissions(QFile(target).permissions() | QFile::WriteOwner);
            return storedPathFor(candidate);
        }
        if (sameContent(file, QDir(dir).filePath(existing)))
            return storedPathFor(existing);
        if (n > 100000)
            throw std::runtime_error(QStringLiteral("No free name for the picture \"%1\" in \"%2\".")
                                         .arg(chosen.fileName(), QDir::toNativeSeparators(dir))
                                         .toStdString());
    }
}

} // namespace pantrova
