#pragma once

#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Recordset.h"

#include <QMap>
#include <QString>

namespace pantrova {

// The cookbook catalogue ("admin.sys", table `recipebooks`) and what the cookbook manager does
// with it: create a cookbook from the template, make a listed one current, delete one.
//
// The catalogue stays open for as long as the object lives, with a table-type recordset on
// `recipebooks` under the index "master" (by display name). Creating and opening change the
// program's current cookbook file and name and the saved `CurDB` at once; deleting never does.
// Every file operation goes through engine::DatabaseFiles, and only files inside the program folder are
// ever created or removed. Used from the user-interface thread only.
class CookbookLibrary
{
public:
    static QString defaultCookbookName() { return QStringLiteral("My CookBook"); }
    static QString templateFile() { return QStringLiteral("Recipe70e.mdb"); }

    explicit CookbookLibrary(const ProgramFolder& folder);
    ~CookbookLibrary();
    CookbookLibrary(const CookbookLibrary&) = delete;
    CookbookLibrary& operator=(const CookbookLibrary&) = delete;

    engine::Recordset& recipebooks() { return m_books; }

    struct Outcome
    {
        enum Kind {
            Unchanged, // nothing to do: no name, or the name is listed already
            Created,   // a new file made from the template and listed
            Listed,    // a file of that name was in the folder already; listed as it is
            Opened,    // a listed cookbook made current
            Refused,   // the name cannot be used, or the cookbook opened; `message` says why
        };
        Kind kind = Unchanged;
        QString message;
    };
    // Creates a cookbook of that name and makes it current.
    Outcome create(const QString& name);

    // Makes the listed cookbook current (Opened); Unchanged when no such cookbook is listed;
    // Refused when its file is not in the program folder.
    Outcome open(const QString& name);

    // Why the cookbook may not be deleted (the default cookbook, the open one); empty when it may.
    static QString whyNotDeletable(const QString& name);

    // Removes the cookbook's catalogue row and, where that is safe, its file. False when no such
    // cookbook is listed. A file that cannot be removed (missing, locked) does not keep the row.
    bool remove(const QString& name);

    // The file a deletion would remove for this catalogue row, or empty when it keeps the file:
    // anything but a plain ".mdb" name in the program folder, the program's own files, the open
    // cookbook's file, and a file that another row lists too.
    QString removableFile(const QString& dbname);

    void close();

private:
    QMap<QString, QString> listedFiles(); // lower-cased dbname -> cookbook

    ProgramFolder m_folder;
    engine::Database m_catalogue;
    engine::Recordset m_books;
};

} // namespace pantrova
