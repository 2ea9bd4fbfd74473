#pragma once

#include <QString>

namespace pantrova {

// Where one run of the program keeps its data files and finds the files that ship with it.
//
// Two layouts are recognised from the executable's own folder:
//
// - A program folder of its own: the shipped templates lie beside the executable (a build folder,
//   or the program unpacked in a folder). While that folder is writable it holds the data files
//   too. On a read-only medium the data files go to the user's data folder instead, and the
//   shipped files are still read beside the executable.
// - Installed: the executable in a "bin" folder, the shipped files (templates, help file, artwork)
//   in the program's own data folder and the calendar control library in its own library folder,
//   both found relative to the executable, so a moved installation still finds them. Each user's
//   data files are in that user's data folder ($XDG_DATA_HOME/Pantrova, normally
//   ~/.local/share/Pantrova), even when the "bin" folder happens to be writable, since data files
//   never belong among executables.
//
// The program never writes the shipped folder or the library folder.
struct ProgramLocation
{
    QString programFolder; // the data files; the current directory during the run
    QString shippedFolder; // the templates, the help file and the artwork
    QString libraryFolder; // the calendar control library

    // The location for an executable in `executableDir`; `userDataFolder` is where a user's data
    // files go when they cannot stay beside the executable. Looks at the file system only to tell
    // the layouts apart.
    static ProgramLocation choose(const QString& executableDir, bool executableDirWritable,
                                  const QString& userDataFolder);
    // The location of the running executable, for the current user.
    static ProgramLocation ofExecutable();

    // $XDG_DATA_HOME/Pantrova, normally ~/.local/share/Pantrova. Not created here.
    static QString userDataFolder();
    // Where an installed executable in `executableDir` finds its shipped files and its library.
    static QString installedShippedFolder(const QString& executableDir);
    static QString installedLibraryFolder(const QString& executableDir);
    // The current user may create files in the folder (false on a read-only medium).
    static bool isWritableFolder(const QString& path);
};

} // namespace pantrova
