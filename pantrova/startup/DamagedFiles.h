#pragma once

#include "data/Database.h"

#include <QString>

namespace pantrova {

class ProgramFolder;

// What the program does with a data file it cannot use: it says so in plain words naming the file,
// and offers to set the file aside (renamed beside the others, never changed or deleted) and to
// go on with a fresh copy of its template. A cookbook that is only partly damaged is counted: the
// cook learns how many recipes cannot be read, and the fresh copy keeps the ones that can. When the
// cook says no, the file stays as it was and the program says it will close (ui::Reported is
// thrown, so no second error box follows).
class DamagedFiles
{
public:
    // Opens a cookbook for the main window, checked first (see above). `path` is the cookbook
    // file's path; the cookbook's display name is the program's current cookbook name.
    static engine::Database openCookbook(const QString& path);

    // At start-up: checks one of the program's own data files (the catalogue, word lists, menus)
    // and, when it is damaged, offers to start again from its template. `what` names the file's
    // role for the cook ("list of cookbooks").
    static void checkDataFile(const ProgramFolder& folder, const QString& fileName,
                              const QString& templateName, const QString& what);

    // A free name to set a damaged file aside under: "Recipe20 (damaged).mdb", then
    // "Recipe20 (damaged 2).mdb" and so on.
    static QString setAsideName(const QString& path);
};

} // namespace pantrova
