#pragma once

#include <QString>

namespace pantrova {

// The folder that holds the program, its templates and every data file it keeps.
//
// File names are compared without regard to case, as the data files have always been named
// loosely ("admin.sys", "Admin.sys", "ADMIN.SYS" are one file). Tests construct one over a
// temporary folder; the program uses the executable's folder.
class ProgramFolder
{
public:
    explicit ProgramFolder(QString path);

    // The executable's folder.
    static ProgramFolder ofExecutable();

    QString path() const { return m_path; }
    QString filePath(const QString& name) const;

    // Makes the folder the current directory, so bare file names refer to it.
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

    // Copies a template byte for byte under a new name (with DatabaseFiles::copy, so stale
    // companions of the new name go). Throws engine::EngineError naming the files and the cause
    // when the template is missing or the copy fails.
    void copyTemplate(const QString& templateName, const QString& newName) const;

private:
    QString m_path;
};

} // namespace pantrova
