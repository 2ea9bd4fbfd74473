#pragma once

#include <QMap>
#include <QString>

#include <optional>

namespace component {

// The version information a library carries: "key=value" lines in an ELF section of their own,
// readable from the file without loading it (a library cannot export it without adding an entry
// point). Keys used: FileVersion, ProductVersion, ProductName, FileDescription, and
// OLESelfRegister for a library that registers itself.
class ModuleVersionInfo
{
public:
    static constexpr const char* kSectionName = ".modversion";

    // The values of `libraryPath`; empty when it has no such section or is not a readable ELF file.
    static std::optional<QMap<QString, QString>> read(const QString& libraryPath);
    // The file holding the code at `address` (a library or the executable).
    static QString moduleContaining(const void* address);
    // Parses the section's text.
    static QMap<QString, QString> parse(const QByteArray& section);
};

} // namespace component
