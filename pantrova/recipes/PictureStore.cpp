#include "PictureStore.h"

#include "data/ProgramFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>
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

namespace {

// Collects what the picture decoders say while one picture is read: a JPEG decoder that meets the
// end of a cut-short file says so and fills the rest in grey instead of failing.
class DecoderComplaints
{
public:
    DecoderComplaints() : m_previous(qInstallMessageHandler(&DecoderComplaints::handle)) { s_current = this; }
    ~DecoderComplaints()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    DecoderComplaints(const DecoderComplaints&) = delete;
    DecoderComplaints& operator=(const DecoderComplaints&) = delete;

    bool any() const { return m_count > 0; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        DecoderComplaints* self = s_current;
        if (self && type != QtDebugMsg && type != QtInfoMsg && context.category &&
            QByteArray(context.category).startsWith("qt.gui.imageio")) {
            ++self->m_count;
            return;
        }
        if (self && self->m_previous)
            self->m_previous(type, context, message);
    }

    static inline DecoderComplaints* s_current = nullptr;
    QtMessageHandler m_previous;
    int m_count = 0;
};

// Formats whose decoders pass over a missing end without a word: their files say how they end.
bool endsAsItsFormatSays(const QByteArray& format, const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = f.size();
    if (format == "gif") { // the last byte is the trailer ';'
        f.seek(size - 1);
        return f.read(1) == QByteArray(1, ';');
    }
    if (format == "bmp") {
        const QByteArray head = f.read(54);
        if (head.size() < 30)
            return false;
        const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(head.constData() + at); };
        const auto s32 = [&](int at) { return qFromLittleEndian<qint32>(head.constData() + at); };
        const quint32 declared = u32(2);
        if (declared > 0 && size < qint64(declared))
            return false;
        if (head.size() < 34 || u32(14) < 40)
            return true; // an old header: nothing more to check
        const qint64 width = std::abs(qint64(s32(18)));
        const qint64 height = std::abs(qint64(s32(22)));
        const qint64 bits = qFromLittleEndian<quint16>(head.constData() + 28);
        const quint32 compression = u32(30);
        if (compression != 0 && compression != 3)
            return true; // compressed rows have no fixed size
        const qint64 rowBytes = (bits * width + 31) / 32 * 4;
        return size >= qint64(u32(10)) + rowBytes * height;
    }
    return true;
}

} // namespace

QImage PictureStore::decodeWhole(const QString& file)
{
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format().toLower();
    QImage picture;
    {
        const DecoderComplaints complaints;
        picture = reader.read();
        if (complaints.any())
            return {};
    }
    if (picture.isNull() || !endsAsItsFormatSays(format, file))
        return {};
    return picture;
}

QStringList PictureStore::patternsOf(const QStringList& suffixes)
{
    QStringList patterns;
    for (const QString& suffix : suffixes)
        patterns << QStringLiteral("*.") + suffix.toLower();
    for (const QString& suffix : suffixes)
        patterns << QStringLiteral("*.") + suffix.toUpper();
    return patterns;
}

QStringList PictureStore::readablePatterns()
{
    QStringList suffixes;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        suffixes << QString::fromLatin1(format).toLower();
    suffixes.removeDuplicates();
    return patternsOf(suffixes);
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
