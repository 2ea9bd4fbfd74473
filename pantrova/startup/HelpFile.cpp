#include "HelpFile.h"

#include "data/Workspace.h"

#include <QFile>

namespace pantrova {

HelpFile HelpFile::parse(const QString& text)
{
    HelpFile file;
    Topic* current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(QStringLiteral("@@")))
            continue;
        if (line.startsWith(QStringLiteral("@topic "))) {
            const QString rest = line.mid(7).trimmed();
            const qsizetype blank = rest.indexOf(u' ');
            bool ok = false;
            const int id = rest.left(blank < 0 ? rest.size() : blank).toInt(&ok);
            if (!ok)
                continue;
            file.m_topics.append({id, blank < 0 ? QString() : rest.mid(blank + 1).trimmed(), {}});
            current = &file.m_topics.last();
            continue;
        }
        if (current)
            current->body += line + u'\n';
    }
    for (Topic& t : file.m_topics)
        t.body = t.body.trimmed();
    return file;
}

HelpFile HelpFile::load(const QString& path)
{
    // Found without regard to letter case, as the data files are: "RECIPE.hlp" is the help file too.
    QFile f(engine::Workspace::resolvePath(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parse(QString::fromUtf8(f.readAll()));
}

const HelpFile::Topic* HelpFile::topic(int id) const
{
    for (const Topic& t : m_topics)
        if (t.id == id)
            return &t;
    return nullptr;
}

} // namespace pantrova
