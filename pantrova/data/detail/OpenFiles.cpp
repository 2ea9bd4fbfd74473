#include "OpenFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace engine::detail {

namespace {
QHash<QString, int>& counts()
{
    static QHash<QString, int> theCounts;
    return theCounts;
}
} // namespace

QString OpenFiles::key(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

void OpenFiles::opened(const QString& key)
{
    ++counts()[key];
}

void OpenFiles::closed(const QString& key)
{
    auto it = counts().find(key);
    if (it != counts().end() && --*it <= 0)
        counts().erase(it);
}

bool OpenFiles::isOpen(const QString& path)
{
    return counts().contains(key(path));
}

} // namespace engine::detail
