#include "RecipeFinder.h"

#include "data/EngineError.h"
#include "data/ProgramFolder.h"
#include "data/Recordset.h"
#include "data/Workspace.h"
#include "startup/Program.h"

#include <QHash>
#include <QSet>

namespace pantrova {

namespace {

struct Place
{
    quint8 section = 0;
    QString sectionName;
    QString groupName;
};

// Where each group of a cookbook stands: its section and the names the main window shows.
QHash<qint16, Place> placesOf(engine::Database& db)
{
    QHash<quint8, QString> sections;
    for (engine::Recordset rs = db.OpenRecordset(QStringLiteral("select section, sectionname from sections"));
         !rs.isEOF(); rs.MoveNext())
        sections.insert(quint8(rs.Fields(QStringLiteral("section")).toLong()),
                        rs.Text(QStringLiteral("sectionname")));
    QHash<qint16, Place> places;
    for (engine::Recordset rs =
             db.OpenRecordset(QStringLiteral("select groupnum, groupname, section from groups"));
         !rs.isEOF(); rs.MoveNext()) {
        Place place;
        place.section = quint8(rs.Fields(QStringLiteral("section")).toLong());
        place.sectionName = sections.value(place.section);
        place.groupName = rs.Text(QStringLiteral("groupname"));
        places.insert(qint16(rs.Fields(QStringLiteral("groupnum")).toLong()), place);
    }
    return places;
}

struct Listed
{
    QString name;
    QString file;
};

// The catalogue's cookbooks other than the open one, in name order, each file once.
QList<Listed> otherCookbooks()
{
    const Program& p = program();
    engine::Workspace ws;
    engine::Database catalogue =
        ws.OpenDatabase(ProgramFolder(p.folder).filePath(QStringLiteral("Admin.sys")));
    QList<Listed> books;
    QSet<QString> files{p.CurrentCookbookFile.toLower()};
    for (engine::Recordset rs = catalogue.OpenRecordset(
             QStringLiteral("select cookbook, dbname from recipebooks order by cookbook"));
         !rs.isEOF(); rs.MoveNext()) {
        const QString file = rs.Text(QStringLiteral("dbname")).trimmed();
        if (file.isEmpty() || files.contains(file.toLower()))
            continue;
        files.insert(file.toLower());
        books.append({rs.Text(QStringLiteral("cookbook")), file});
    }
    ws.Close();
    return books;
}

// What one cookbook gave: its name matches and the rest, in the search's order.
struct Found
{
    QList<FoundEntry> byName;
    QList<FoundEntry> others;
};

Found search(engine::Database& db, const QString& name, const QString& file, const QString& typed,
             const RecipeFinder::Progress& progress, RecipeFinder::Outcome& outcome)
{
    Found found;
    const engine::RecipeSearch::Result result =
        engine::RecipeSearch::find(db, typed, RecipeFinder::kMostListed, [&](int done, int total) {
            if (progress)
                progress(name, done, total);
        });
    if (!result.searched) {
        outcome.unsearched.append(name);
        return found;
    }
    outcome.more = outcome.more || result.more;
    if (result.recipes.isEmpty())
        return found;
    const QHash<qint16, Place> places = placesOf(db);
    for (const engine::FoundRecipe& recipe : result.recipes) {
        FoundEntry entry;
        entry.cookbookFile = file;
        entry.cookbookName = name;
        entry.recipe = recipe;
        const Place place = places.value(recipe.group);
        entry.section = place.section;
        entry.sectionName = place.sectionName;
        entry.groupName = place.groupName;
        (recipe.byName ? found.byName : found.others).append(entry);
    }
    return found;
}

} // namespace

QString FoundEntry::displayName() const
{
    return recipe.number > 1 ? recipe.name + QStringLiteral(" - ") + QString::number(recipe.number)
                             : recipe.name;
}

bool RecipeFinder::inOpenCookbook(const FoundEntry& entry)
{
    return entry.cookbookFile.compare(program().CurrentCookbookFile, Qt::CaseInsensitive) == 0;
}

quint8 RecipeFinder::sectionOf(engine::Database& db, qint16 group)
{
    engine::Recordset rs = db.OpenRecordset(QStringLiteral("select section from groups where groupnum = ?"),
                                            {engine::Value(int(group))});
    return rs.RecordCount() > 0 ? quint8(rs.Fields(QStringLiteral("section")).toLong()) : quint8(0);
}

RecipeFinder::Outcome RecipeFinder::find(const QString& typed, bool allCookbooks, const Progress& progress)
{
    Program& p = program();
    Outcome outcome;
    QList<Found> found;
    if (p.Cookbook.isOpen())
        found.append(
            search(p.Cookbook, p.CurrentCookbookName, p.CurrentCookbookFile, typed, progress, outcome));
    else
        outcome.unsearched.append(p.CurrentCookbookName);

    // Other cookbooks stay open until their listed recipes have their excerpts, then close together.
    engine::Workspace others;
    QHash<QString, engine::Database> opened; // file -> its database
    if (allCookbooks) {
        for (const Listed& book : otherCookbooks()) {
            try {
                engine::Database db = others.OpenDatabase(ProgramFolder(p.folder).filePath(book.file));
                opened.insert(book.file, db);
                found.append(search(db, book.name, book.file, typed, progress, outcome));
            } catch (const engine::EngineError&) {
                outcome.unsearched.append(book.name); // missing, damaged or in use: the others still count
            }
        }
    }

    for (const Found& f : found)
        outcome.entries += f.byName;
    for (const Found& f : found)
        outcome.entries += f.others;
    if (outcome.entries.size() > kMostListed) {
        outcome.entries.resize(kMostListed);
        outcome.more = true;
    }
    for (FoundEntry& entry : outcome.entries) {
        const auto db = opened.find(entry.cookbookFile);
        if (db != opened.end())
            entry.excerpt = engine::RecipeSearch::excerpt(*db, typed, entry.recipe.row);
    }
    others.Close();
    return outcome;
}

engine::RecipeSearch::Excerpt RecipeFinder::excerpt(const FoundEntry& entry, const QString& typed)
{
    if (entry.excerpt)
        return *entry.excerpt;
    Program& p = program();
    if (!inOpenCookbook(entry) || !p.Cookbook.isOpen())
        return {};
    return engine::RecipeSearch::excerpt(p.Cookbook, typed, entry.recipe.row);
}

} // namespace pantrova
