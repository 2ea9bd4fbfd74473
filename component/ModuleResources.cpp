#include "component/ModuleResources.h"

#include <QFile>

#include <cstring>
#include <elf.h>

namespace component {

std::optional<QByteArray> ModuleResources::section(const QString& libraryPath, const char* name)
{
    QFile file(libraryPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Libraries are small; mapping keeps the bounds checks simple.
    const qint64 size = file.size();
    const uchar* data = file.map(0, size);
    if (!data || size < static_cast<qint64>(sizeof(Elf64_Ehdr)))
        return std::nullopt;
    Elf64_Ehdr eh;
    std::memcpy(&eh, data, sizeof eh);
    if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64 ||
        eh.e_shentsize != sizeof(Elf64_Shdr) || eh.e_shstrndx >= eh.e_shnum)
        return std::nullopt;
    auto inFile = [&](uint64_t offset, uint64_t length) {
        return offset <= static_cast<uint64_t>(size) && length <= static_cast<uint64_t>(size) - offset;
    };
    if (!inFile(eh.e_shoff, uint64_t(eh.e_shnum) * sizeof(Elf64_Shdr)))
        return std::nullopt;
    auto header = [&](unsigned i) {
        Elf64_Shdr sh;
        std::memcpy(&sh, data + eh.e_shoff + uint64_t(i) * sizeof(Elf64_Shdr), sizeof sh);
        return sh;
    };
    const Elf64_Shdr names = header(eh.e_shstrndx);
    if (!inFile(names.sh_offset, names.sh_size))
        return std::nullopt;
    const auto wanted = std::strlen(name);
    for (unsigned i = 0; i < eh.e_shnum; ++i) {
        const Elf64_Shdr sh = header(i);
        if (sh.sh_name + wanted + 1 > names.sh_size)
            continue;
        const char* candidate = reinterpret_cast<const char*>(data + names.sh_offset + sh.sh_name);
        if (std::memcmp(candidate, name, wanted + 1) != 0)
            continue;
        if (sh.sh_type == SHT_NOBITS || !inFile(sh.sh_offset, sh.sh_size))
            return std::nullopt;
        return QByteArray(reinterpret_cast<const char*>(data + sh.sh_offset),
                          static_cast<qsizetype>(sh.sh_size));
    }
    return std::nullopt;
}

QImage ModuleResources::bitmap(const QString& libraryPath, int id)
{
    const QByteArray name = ".modres.bitmap." + QByteArray::number(id);
    const std::optional<QByteArray> bytes = section(libraryPath, name.constData());
    return bytes ? QImage::fromData(*bytes, "BMP") : QImage();
}

std::optional<std::pair<QString, int>> ModuleResources::parseReference(const QString& reference)
{
    const qsizetype comma = reference.lastIndexOf(u',');
    if (comma <= 0)
        return std::nullopt;
    bool ok = false;
    const int id = reference.mid(comma + 1).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return std::make_pair(reference.left(comma).trimmed(), id);
}

} // namespace component
