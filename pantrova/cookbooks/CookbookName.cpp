#include "CookbookName.h"

#include "data/ProgramFolder.h"

#include <QStringList>

namespace pantrova::CookbookName {

namespace {

// Characters no file name may hold on any desktop the cook might copy the folder to.
const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
constexpr qsizetype kMostFileNameBytes = 255;

bool hasForbiddenCharacter(const QString& name)
{
    for (const QChar c : name)
        if (kForbidden.contains(c) || c.category() == QChar::Other_Control ||
            c.category() == QChar::Other_Format)
            return true;
    return false;
}

// The name as it can be shown inside a message: control characters would garble the box.
QString shown(const QString& name)
{
    QString text;
    for (const QChar c : name)
        text += c.category() == QChar::Other_Control ? QChar(u'?') : c;
    return u'"' + text + u'"';
}

QString cannotBeUsed(const QString& name)
{
    return QStringLiteral("The name ") + shown(name) + QStringLiteral(" cannot be used for a cookbook");
}

} // namespace

QString fileFor(const QString& name)
{
    return name + QStringLiteral(".mdb");
}

bool isProgramFile(const QString& fileName)
{
    static const QStringList own = {
        QStringLiteral("recipe20.mdb"), QStringLiteral("Recipe70e.mdb"), QStringLiteral("Utility.mdb"),
        QStringLiteral("UtilityE.mdb"), QStringLiteral("Menus.mdb"),     QStringLiteral("MenusE.mdb"),
        QStringLiteral("Admin.sys"),    QStringLiteral("AdminE.sys"),    QStringLiteral("Temp.mdb")};
    return own.contains(fileName, Qt::CaseInsensitive);
}

QString whyRefused(const QString& name, const ProgramFolder& folder,
                   const QMap<QString, QString>& listedFiles)
{
    const QString file = fileFor(name);
    if (hasForbiddenCharacter(name) || name.startsWith(u'.') || name.contains(QStringLiteral("..")))
        return cannotBeUsed(name) +
               QStringLiteral(
                   ".\n\nA cookbook's name is also the name of its file, so it may not contain "
                   "/ \\ : * ? \" < > | or control characters, begin with a dot or contain \"..\".");
    if (file.toUtf8().size() > kMostFileNameBytes)
        return cannotBeUsed(name) + QStringLiteral(": it is too long to be the name of a file.");
    if (isProgramFile(file))
        return cannotBeUsed(name) + QStringLiteral(": \"") + file +
               QStringLiteral("\" is one of Pantrova's own files.");
    if (const auto owner = listedFiles.constFind(file.toLower()); owner != listedFiles.constEnd())
        return cannotBeUsed(name) + QStringLiteral(": its file \"") + file +
               QStringLiteral("\" already belongs to the cookbook ") + shown(owner.value()) + u'.';
    if (const QString existing = folder.findFile(QStringLiteral("*"), file);
        !existing.isEmpty() && existing != file)
        return cannotBeUsed(name) + QStringLiteral(": the program folder already holds the file \"") +
               existing +
               QStringLiteral(
                   "\", and names that differ only in capital letters would be mistaken for each other.");
    return {};
}

} // namespace pantrova::CookbookName
