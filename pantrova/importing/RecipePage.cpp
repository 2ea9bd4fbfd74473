#include "RecipePage.h"

#include "SchemaRecipe.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QUrl>

namespace pantrova::importing {

namespace {

QString withoutWrapping(QStringView content)
{
    QStringView t = content.trimmed();
    for (const char16_t* lead : {u"<!--", u"//<![CDATA[", u"<![CDATA["})
        if (t.startsWith(QStringView(lead)))
            t = t.mid(QStringView(lead).size()).trimmed();
    for (const char16_t* tail : {u"-->", u"//]]>", u"]]>"})
        if (t.endsWith(QStringView(tail)))
            t = t.chopped(QStringView(tail).size()).trimmed();
    return t.toString();
}

void readBlock(QStringView content, int line, ParsedFile& file)
{
    QString json = withoutWrapping(content);
    QJsonParseError error{};
    QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        // Pages often break lines inside strings, which JSON does not allow; a blank reads the same.
        for (QChar& c : json)
            if (c.unicode() < 0x20)
                c = u' ';
        doc = QJsonDocument::fromJson(json.toUtf8(), &error);
    }
    if (error.error != QJsonParseError::NoError) {
        if (json.contains(u"Recipe"))
            file.skipped.append(
                {line, QStringLiteral("The recipe data cannot be read (%1).").arg(error.errorString())});
        return;
    }
    collectSchemaRecipes(doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object()), line,
                         file.recipes);
}

QString entryIgnoringCase(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

} // namespace

ParsedFile parseRecipePage(QStringView html)
{
    ParsedFile file;
    qsizetype pos = 0;
    int line = 1;
    qsizetype countedTo = 0;
    while (pos < html.size()) {
        const qsizetype open = html.indexOf(u"<script", pos, Qt::CaseInsensitive);
        if (open < 0)
            break;
        const qsizetype tagEnd = html.indexOf(u'>', open);
        if (tagEnd < 0)
            break;
        const qsizetype close = html.indexOf(u"</script", tagEnd, Qt::CaseInsensitive);
        const qsizetype contentEnd = close < 0 ? html.size() : close;
        pos = close < 0 ? html.size() : close + 8;
        if (!html.mid(open, tagEnd - open).contains(u"ld+json", Qt::CaseInsensitive))
            continue;
        line += int(html.mid(countedTo, open - countedTo).count(u'\n'));
        countedTo = open;
        readBlock(html.mid(tagEnd + 1, contentEnd - tagEnd - 1), line, file);
    }

    QSet<QString> seen;
    QList<ImportedRecipe> distinct;
    for (ImportedRecipe& r : file.recipes) {
        const QString key = r.name + u'\x1f' + r.ingredients.join(u'\x1e') + u'\x1f' + r.instructions;
        if (!seen.contains(key)) {
            seen.insert(key);
            distinct.append(std::move(r));
        }
    }
    file.recipes = std::move(distinct);
    if (file.recipes.isEmpty() && file.skipped.isEmpty())
        file.skipped.append({0, QStringLiteral("The page holds no recipe data that can be read.")});
    return file;
}

bool looksLikeWebPage(QStringView text)
{
    const QStringView head = text.left(64 * 1024);
    return head.contains(u"<html", Qt::CaseInsensitive) ||
           head.contains(u"<!doctype html", Qt::CaseInsensitive) ||
           head.contains(u"application/ld+json", Qt::CaseInsensitive);
}

QString pictureBesidePage(const QString& pageFile, const QString& reference)
{
    const QString ref = reference.trimmed();
    if (ref.isEmpty() || ref.startsWith(u"data:", Qt::CaseInsensitive))
        return {};
    const QFileInfo page(pageFile);
    const QString folder = page.absolutePath();
    const QUrl url(ref, QUrl::TolerantMode);
    const QString path = url.isValid() ? url.path(QUrl::FullyDecoded) : ref;

    if (url.isValid() && url.isRelative() && !path.isEmpty() && !path.startsWith(u'/')) {
        const QString candidate = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
        if (candidate.startsWith(folder + u'/') && QFileInfo(candidate).isFile())
            return candidate;
    }
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name == u"." || name == u"..")
        return {};
    for (const QString& dir :
         {folder, QDir(folder).filePath(page.completeBaseName() + QStringLiteral("_files"))}) {
        const QString found = entryIgnoringCase(dir, name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace pantrova::importing
