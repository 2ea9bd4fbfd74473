#pragma once

#include <QString>

namespace pantrova {

// The program folder: the folder that holds every data file the program keeps.
//
// File names are compared without regard to case, as the data files have always been named
// loosely ("admin.sys", "Admin.sys", "ADMIN.SYS" are one file). Tests construct one over a
// temporary folder; the program uses the folder ProgramLocation chooses for its executable.
//
// The shipped templates are read from the shipped folder: the program folder itself when the
// program runs from a folder of its own, the installed data folder otherwise.
class ProgramFolder
{
public:
    explicit ProgramFolder(QString path);
    ProgramFolder(QString path, QString shippedPath);

    // The executable's program folder (ProgramLocation::ofExecutable).
    static ProgramFolder ofExecutable();

    QString path() const { return m_path; }
    QString filePath(const QString& name) const;
    QString shippedPath() const { return m_shippedPath; }

    // Makes the folder the current directory, so bare file names refer to it; creates the folder
    // first when it does not exist yet (a user's data folder at the first start).
    bool makeCurrent() const;

    // Lists the entries matching `wildcard` ("*.mdb", "*.sys"), upper-cases each name and compares
    // it with the upper-cased `name`; the first match wins. Returns the entry's real name, or empty.
    QString findFile(const QString& wildcard, const QString& name) const;
    bool hasFile(const QString& wildcard, const QString& name) const
    {
        return !findFile(wildcard, name).isEmpty();
    }

    // True when an entry named "PICS" in any case is a directory.
    bool hasPicsDirectory() const;
    // The pictures folder's real name ("PICS", "pics", ...), creating "PICS" when there is none.
    QString ensurePicsDirectory() const;

    // Copies a template from the shipped folder byte for byte under a new name in this folder
    // (with DatabaseFiles::copy, so stale companions of the new name go, and the copy is writable
    // even when the installed template is not). A folder made without a shipped folder of its own
    // that holds no such template reads it where the running program's shipped files are. Throws
    // engine::EngineError naming the files and the cause when the template is missing or the copy
    // fails.
    void copyTemplate(const QString& templateName, const QString& newName) const;

private:
    QString m_path;
    QString m_shippedPath;
};

} // namespace pantrova
