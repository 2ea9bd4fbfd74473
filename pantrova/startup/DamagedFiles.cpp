#include "DamagedFiles.h"

#include "Program.h"
#include "data/DatabaseFiles.h"
#include "data/EngineError.h"
#include "data/ProgramFolder.h"
#include "data/Salvage.h"
#include "data/Workspace.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QDir>
#include <QFileInfo>

namespace pantrova {

namespace {

using engine::DatabaseCheck;

const QString kCookbookTemplate = QStringLiteral("Recipe70e.mdb");

bool isDamage(const DatabaseCheck& check)
{
    return check.verdict == DatabaseCheck::Verdict::PartlyDamaged ||
           (check.verdict == DatabaseCheck::Verdict::Unusable &&
            check.cause == engine::EngineError::Cause::Damaged);
}

// A check that found something other than damage (a missing or unreadable file) fails as such.
[[noreturn]] void failAsFound(const QString& path, const DatabaseCheck& check)
{
    throw engine::EngineError(path, {}, check.problem, check.cause);
}

bool askYes(const QString& text)
{
    return ui::Dialogs::messageBox(text, ui::MsgButtons::YesNo, ui::MsgIcon::Exclamation) == ui::AnswerYes;
}

[[noreturn]] void leaveAsItWas(const QString& fileName, const QString& because)
{
    const QString text = QStringLiteral("Pantrova has left %1 as it was. It cannot %2, so it will close now.")
                             .arg(fileName, because);
    ui::Dialogs::messageBox(text, ui::MsgButtons::OK, ui::MsgIcon::Information);
    throw ui::Reported(text);
}

QString cookbookLabel(const QString& fileName)
{
    const QString name = program().CurrentCookbookName;
    return name.isEmpty() ? QStringLiteral("The cookbook in %1").arg(fileName)
                          : QStringLiteral("The cookbook \"%1\"").arg(name);
}

// Lists again the cookbook files of the folder in a fresh catalogue (the default cookbook is in
// the template already).
void relistCookbooks(const ProgramFolder& folder, engine::Database& catalogue)
{
    static const QStringList notCookbooks = {QStringLiteral("RECIPE20.MDB"), QStringLiteral("RECIPE70E.MDB"),
                                             QStringLiteral("UTILITY.MDB"),  QStringLiteral("UTILITYE.MDB"),
                                             QStringLiteral("MENUS.MDB"),    QStringLiteral("MENUSE.MDB"),
                                             QStringLiteral("TEMP.MDB")};
    const QStringList files =
        QDir(folder.path())
            .entryList({QStringLiteral("*.mdb"), QStringLiteral("*.MDB")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        if (notCookbooks.contains(file.toUpper()) || file.contains(QStringLiteral("(damaged")))
            continue;
        if (engine::Workspace::CheckDatabase(folder.filePath(file)).verdict != DatabaseCheck::Verdict::Whole)
            continue;
        catalogue.Execute(QStringLiteral("INSERT INTO recipebooks (cookbook, dbname) VALUES (?, ?)"),
                          {engine::Value(QFileInfo(file).completeBaseName()), engine::Value(file)});
    }
}

} // namespace

QString DamagedFiles::setAsideName(const QString& path)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 1;; ++n) {
        const QString label = n == 1 ? QStringLiteral(" (damaged)") : QStringLiteral(" (damaged %1)").arg(n);
        const QString candidate = info.dir().filePath(base + label + suffix);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

engine::Database DamagedFiles::openCookbook(const QString& path)
{
    const QString real = engine::Workspace::resolvePath(path);
    const DatabaseCheck check = engine::Workspace::CheckDatabase(real);
    if (check.verdict == DatabaseCheck::Verdict::Whole)
        return program().Workspace().OpenDatabase(real);
    if (!isDamage(check))
        failAsFound(real, check);

    const QString fileName = QFileInfo(real).fileName();
    const QString aside = setAsideName(real);
    const QString asideName = QFileInfo(aside).fileName();
    engine::Salvage::Rows recipes;
    bool salvage = false;
    if (check.verdict == DatabaseCheck::Verdict::PartlyDamaged) {
        try {
            recipes = engine::Salvage::countRows(real, QStringLiteral("recipes"));
            salvage = true;
        } catch (const engine::EngineError&) {
            // Not even the recipe table can be read: offered as a wholly damaged file.
        }
    }
    QString text;
    if (!salvage) {
        const QString state =
            QFileInfo(real).size() == 0 ? QStringLiteral("is empty") : QStringLiteral("is damaged");
        text = QStringLiteral(
                   "%1 cannot be opened: its file %2 %3.\n\nPantrova can set the damaged file aside, "
                   "unchanged, as \"%4\", and open a fresh, empty cookbook in its place.\n\nDo that now?")
                   .arg(cookbookLabel(fileName), fileName, state, asideName);
    } else if (recipes.unreadable > 0) {
        text = QStringLiteral(
                   "%1 is damaged: %2 of its recipes cannot be read (file %3).\n\nPantrova can set the "
                   "damaged file aside, unchanged, as \"%4\", and open a fresh copy in its place holding "
                   "the %5 recipes that can still be read.\n\nDo that now?")
                   .arg(cookbookLabel(fileName))
                   .arg(recipes.unreadable)
                   .arg(fileName, asideName)
                   .arg(recipes.readable);
    } else {
        text = QStringLiteral(
                   "%1 is damaged, though all of its %2 recipes can still be read (file %3).\n\nPantrova "
                   "can set the damaged file aside, unchanged, as \"%4\", and open a fresh copy in its "
                   "place holding all %2 recipes.\n\nDo that now?")
                   .arg(cookbookLabel(fileName))
                   .arg(recipes.readable)
                   .arg(fileName, asideName);
    }
    if (!askYes(text))
        leaveAsItWas(fileName, QStringLiteral("show a cookbook it cannot read"));

    engine::DatabaseFiles::rename(real, aside);
    const ProgramFolder folder(QFileInfo(real).absolutePath());
    const QString templateFolder = program().folder.isEmpty() ? folder.path() : program().folder;
    engine::DatabaseFiles::copy(ProgramFolder(templateFolder).filePath(kCookbookTemplate), real, true);
    engine::Database db = program().Workspace().OpenDatabase(real);
    if (salvage) {
        engine::Transaction t(db);
        engine::Salvage::copyRows(aside, QStringLiteral("sections"), db, QStringLiteral("section"));
        engine::Salvage::copyRows(aside, QStringLiteral("groups"), db, QStringLiteral("groupnum"));
        engine::Salvage::copyRows(aside, QStringLiteral("recipes"), db);
        t.commit();
    }
    return db;
}

void DamagedFiles::checkDataFile(const ProgramFolder& folder, const QString& fileName,
                                 const QString& templateName, const QString& what)
{
    const QString found = folder.findFile(QStringLiteral("*"), fileName);
    const QString path = folder.filePath(found.isEmpty() ? fileName : found);
    const DatabaseCheck check = engine::Workspace::CheckDatabase(path);
    if (check.verdict == DatabaseCheck::Verdict::Whole)
        return;
    if (!isDamage(check))
        failAsFound(path, check);
    const QString name = QFileInfo(path).fileName();
    const QString aside = setAsideName(path);
    const bool catalogue = templateName.compare(QStringLiteral("AdminE.sys"), Qt::CaseInsensitive) == 0;
    QString text =
        QStringLiteral("Pantrova cannot use its %1: the file %2 is damaged.\n\nPantrova can set the damaged "
                       "file aside, unchanged, as \"%3\", and start again from a fresh copy.")
            .arg(what, name, QFileInfo(aside).fileName());
    if (catalogue)
        text += QStringLiteral(" Your cookbooks stay as they are and are listed again.");
    text += QStringLiteral("\n\nDo that now?");
    if (!askYes(text))
        leaveAsItWas(name, QStringLiteral("run without its ") + what);
    engine::DatabaseFiles::rename(path, aside);
    folder.copyTemplate(templateName, name);
    if (catalogue) {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(path);
        engine::Transaction t(db);
        relistCookbooks(folder, db);
        t.commit();
    }
}

} // namespace pantrova
