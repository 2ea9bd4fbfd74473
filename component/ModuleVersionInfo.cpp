#include "component/ModuleVersionInfo.h"

#include "component/ModuleResources.h"

#include <QFile>

#include <dlfcn.h>

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
    std::optional<QByteArray> section = ModuleResources::section(libraryPath, kSectionName);
    if (!section)
        return std::nullopt;
    section->truncate(section->indexOf('\0') < 0 ? section->size() : section->indexOf('\0'));
    return parse(*section);
}

QString ModuleVersionInfo::moduleContaining(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fname)
        return {};
    return QFile::decodeName(info.dli_fname);
}

} // namespace component
