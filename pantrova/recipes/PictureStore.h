#pragma once

#include <QImage>
#include <QString>

namespace pantrova {

// The recipe pictures kept in the "PICS" folder of the program folder.
//
// A recipe stores a picture as "pics\" followed by the file's name, relative to the program folder.
// Names are matched without regard to letter case, as the folder has always been named loosely
// ("PICS", "pics", "Pics"), so a stored path finds its file on any file system.
//
// Bringing a file in never replaces a different picture: several recipes may use one file, so a
// chosen file whose name is taken by a file of other content is kept under a free name (the file
// title with a number added: "Cake2.JPG"), and a file whose content is already there under that
// name, or under one of its numbered names, is reused instead of copied again.
class PictureStore
{
public:
    explicit PictureStore(QString programFolder);

    // "pics\" + file name.
    static QString storedPathFor(const QString& fileName);
    // The file a stored path refers to, found without regard to case; empty when there is none.
    // Absolute paths (rows made elsewhere) are taken as they are.
    QString resolve(const QString& storedPath) const;

    // The whole picture in the file, decoded; a null image when the file is no picture or is
    // damaged (cut short, or a decoder had to make up missing parts). Judged by content, not name.
    static QImage decodeWhole(const QString& file);
    static bool isReadablePicture(const QString& file) { return !decodeWhole(file).isNull(); }
    // The file name patterns of every picture format the program reads, in lower and upper case
    // ("*.jpg", "*.JPG", ...), and those of one format and its other names.
    static QStringList readablePatterns();
    static QStringList patternsOf(const QStringList& suffixes);
    // Reads a stored picture; a null image when it is missing or unreadable.
    QImage load(const QString& storedPath) const;

    // Whether the file already lies in the pictures folder (compared without regard to case).
    bool isInPicturesFolder(const QString& file) const;
    // The pictures folder as the copy question names it: the program folder's path and "pics".
    QString picturesFolderText() const;

    // Brings a file into the pictures folder and returns the stored path to record. Creates the
    // folder when it is missing. Throws std::runtime_error naming the files when the copy fails.
    QString bringIn(const QString& file) const;

private:
    QString picturesDir(bool create) const;
    static bool sameContent(const QString& a, const QString& b);

    QString m_folder;
};

} // namespace pantrova
