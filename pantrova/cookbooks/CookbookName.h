#pragma once

#include <QMap>
#include <QString>

namespace pantrova {

class ProgramFolder;

// A cookbook's display name is also its file name: the cookbook "Family" lives in "Family.mdb" in
// the program folder. These rules keep that file inside the folder and apart from every other
// file there, while a name that passes is used exactly as it was typed.
namespace CookbookName {

// The file a new cookbook of this name gets.
QString fileFor(const QString& name);

// True for the files the program keeps for itself (the default cookbook, the word lists, the
// menus, the catalogue, the templates, the compaction scratch file), in any letter case.
bool isProgramFile(const QString& fileName);

// Why `name` cannot name a new cookbook, in words for the cook; empty when it can.
// `listedFiles` maps each catalogue file name, lower-cased, to the cookbook that lists it.
QString whyRefused(const QString& name, const ProgramFolder& folder,
                   const QMap<QString, QString>& listedFiles);

} // namespace CookbookName
} // namespace pantrova
