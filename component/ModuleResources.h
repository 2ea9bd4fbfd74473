#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace component {

// Resources a library carries for hosts that read them from the file without loading it, each in
// an ELF section of its own: the version information (ModuleVersionInfo) and numbered resources
// such as the bitmap a designer's toolbox shows, which registry entries name as "<library>, <id>".
// A library embeds bitmap <id> as a BMP file in the section ".modres.bitmap.<id>".
class ModuleResources
{
public:
    // The bytes of the section `name` of the ELF file `libraryPath`; nothing when the file is
    // unreadable, not a 64-bit ELF file, damaged, or has no such section.
    static std::optional<QByteArray> section(const QString& libraryPath, const char* name);

    // Bitmap `id` of the library; a null image when it has none.
    static QImage bitmap(const QString& libraryPath, int id);
    // A registry reference "<library>, <id>": the library's path and the resource number.
    static std::optional<std::pair<QString, int>> parseReference(const QString& reference);
};

} // namespace component
