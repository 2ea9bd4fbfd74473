#include "component/ModuleVersionInfo.h"

#include <QFile>

#include <cstring>
#include <dlfcn.h>
#include <elf.h>

namespace component {

QMap<QString, QString> ModuleVersionInfo::parse(const QByteArray& section)
{
    QMap<QString, QString> values;
    for (const QByteArray& line : section.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        const qsizetype eq = trimmed.indexOf('=');
        if (eq <= 0)
            continue;
        values.insert(QString::fromUtf8(trimmed.left(eq)), QString::fromUtf8(trimmed.mid(eq + 1)));
    }
    return values;
}

std::optional<QMap<QString, QString>> ModuleVersionInfo::read(const QString& libraryPath)
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
    const auto wanted = std::strlen(kSectionName);
    for (unsigned i = 0; i < eh.e_shnum; ++i) {
        const Elf64_Shdr sh = header(i);
        if (sh.sh_name + wanted + 1 > names.sh_size)
            continue;
        const char* name = reinterpret_cast<const char*>(data + names.sh_offset + sh.sh_name);
        if (std::memcmp(name, kSectionName, wanted + 1) != 0)
            continue;
        if (sh.sh_type == SHT_NOBITS || !inFile(sh.sh_offset, sh.sh_size))
            return std::nullopt;
        QByteArray section(reinterpret_cast<const char*>(data + sh.sh_offset),
                           static_cast<qsizetype>(sh.sh_size));
        section.truncate(section.indexOf('\0') < 0 ? section.size() : section.indexOf('\0'));
        return parse(section);
    }
    return std::nullopt;
}

QString ModuleVersionInfo::moduleContaining(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fname)
        return {};
    return QFile::decodeName(info.dli_fname);
}

} // namespace component
