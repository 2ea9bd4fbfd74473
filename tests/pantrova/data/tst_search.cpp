// The full-text index inside a cookbook file: built on first search, kept in step by the file itself
// (also for writers that are not the engine), rebuilt when damaged or left unsound, carried through
// compaction, and readable by a plain SQLite connection.
#include "DataKit.h"
#include "data/RecipeSearch.h"

#include <QFileInfo>

using namespace engine;

namespace {

QStringList names(const RecipeSearch::Result& result)
{
    QStringList out;
    for (const FoundRecipe& r : result.recipes)
        out.append(r.name);
    return out;
}

QStringList namesFound(Database& db, const QString& typed, int limit = 50)
{
    return names(RecipeSearch::find(db, typed, limit));
}

QString markedWords(const MarkedText& t)
{
    QStringList words;
    for (const auto& [start, length] : t.marks)
        words.append(t.text.mid(start, length));
    return words.join(u',');
}

} // namespace

class SearchTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> m_world;
    QString m_file;

    void addRecipe(Database& db, const QString& name, int group, const QString& ingredients,
                   const QString& instructions = {})
    {
        db.Execute(
            QStringLiteral("insert into recipes (Name, category_code, groupnum, Description, Ingrediants, "
                           "Instructions) values (?, 1, ?, ?, ?, ?)"),
            {name, group, QStringLiteral("A family favourite."), ingredients, instructions});
    }

    // A cookbook of a few recipes, as the engine writes them.
    void fill(Database& db)
    {
        addRecipe(db, QStringLiteral("Tomato Soup"), 17, QStringLiteral("6 ripe tomatoes\r\n1 onion"));
        addRecipe(db, QStringLiteral("Crème Brûlée"), 8, QStringLiteral("2 cups cream\r\n5 egg yolks"),
                  QStringLiteral("Bake in a water bath."));
        addRecipe(db, QStringLiteral("Pot Roast"), 1, QStringLiteral("1 beef roast\r\n2 tomatoes, diced"),
                  QStringLiteral("Brown the meat, then braise it slowly."));
    }

    void fillFile(bool buildIndex)
    {
        OpenBook book(m_file);
        fill(book.db);
        if (buildIndex)
            RecipeSearch::build(book.db);
    }

    // Runs a script through a plain read-write connection; the error text, or empty.
    QString stock(const char* sql) const { return PlainConnection(m_file, true).exec(sql); }

private slots:
    void init()
    {
        m_world = std::make_unique<TestWorld>();
        m_file = copyCookbook(*m_world, QStringLiteral("Recipe20.mdb"));
    }
    void cleanup() { m_world.reset(); }

    void firstSearchBuildsTheIndexWithProgressAndTriggersKeepItInStep()
    {
        OpenBook book(m_file);
        Database& db = book.db;
        fill(db);
        QVERIFY(RecipeSearch::needsBuilding(db));
        QList<std::pair<int, int>> steps;
        const auto found = RecipeSearch::find(db, QStringLiteral("tomat"), 50, [&](int done, int total) {
            steps.append({done, total});
        });
        QVERIFY(found.searched);
        QCOMPARE(names(found), (QStringList{QStringLiteral("Tomato Soup"), QStringLiteral("Pot Roast")}));
        QVERIFY(found.recipes[0].byName);
        QVERIFY(!found.recipes[1].byName);
        QCOMPARE(steps.value(0), std::make_pair(0, 3));
        QCOMPARE(steps.last(), std::make_pair(3, 3));
        QVERIFY(!RecipeSearch::needsBuilding(db));
        // The program's own tables list stays as it was.
        QVERIFY(!db.TableNames().join(u' ').contains(QStringLiteral("pv_")));

        // Writes through the engine after the build: an added, a changed and a deleted recipe.
        addRecipe(db, QStringLiteral("Salsa"), 16, QStringLiteral("4 Roma tomatoes"));
        db.Execute(
            QStringLiteral("update recipes set Ingrediants = '1 beef roast' where Name = 'Pot Roast'"));
        db.Execute(QStringLiteral("delete from recipes where Name = 'Tomato Soup'"));
        QCOMPARE(namesFound(db, QStringLiteral("tomatoes")), QStringList{QStringLiteral("Salsa")});
        // A move to another group changes no text; the recipe is still found, in its new group.
        db.Execute(QStringLiteral("update recipes set groupnum = 2 where Name = 'Salsa'"));
        const auto moved = RecipeSearch::find(db, QStringLiteral("roma"), 50);
        QCOMPARE(moved.recipes.size(), 1);
        QCOMPARE(moved.recipes[0].group, qint16(2));
    }

    void plainSqliteReadsAndWritesAnIndexedCookbook()
    {
        fillFile(true);
        {
            PlainConnection stock(m_file, true);
            QCOMPARE(stock.column("PRAGMA integrity_check"), QStringList{QStringLiteral("ok")});
            QCOMPARE(stock.column("SELECT count(*) FROM recipes"), QStringList{QStringLiteral("3")});
            // The file's own collation lets stock tools find names as a cook types them.
            QCOMPARE(stock.column("SELECT Name FROM recipes WHERE Name = 'pot roast'"),
                     QStringList{QStringLiteral("Pot Roast")});
            QCOMPARE(stock.column("SELECT Name FROM recipes WHERE rowid IN (SELECT rowid FROM pv_recipe_text "
                                  "WHERE pv_recipe_text MATCH 'creme')"),
                     QStringList{QStringLiteral("Crème Brûlée")});
            // A tool that is not the engine writes; the file's own triggers index what it wrote.
            QCOMPARE(
                stock.exec("INSERT INTO recipes (Name, category_code, groupnum, Ingrediants) VALUES "
                           "('Gazpacho', 1, 17, '8 tomatoes'); UPDATE recipes SET Name = 'Beef Pot Roast' "
                           "WHERE Name = 'Pot Roast'; DELETE FROM recipes WHERE Name = 'Tomato Soup';"),
                QString());
            QCOMPARE(stock.exec("INSERT INTO pv_recipe_text(pv_recipe_text) VALUES('integrity-check'); "
                                "INSERT INTO pv_recipe_names(pv_recipe_names) VALUES('integrity-check');"),
                     QString());
        }
        OpenBook book(m_file);
        QVERIFY(!RecipeSearch::needsBuilding(book.db));
        QCOMPARE(namesFound(book.db, QStringLiteral("tomatoes")),
                 (QStringList{QStringLiteral("Beef Pot Roast"), QStringLiteral("Gazpacho")}));
    }

    void unsoundOrDamagedIndexIsBuiltAgain()
    {
        fillFile(true);
        // Another program dropped a trigger and then added a recipe the index never heard of: the
        // opening takes the unsound index down and the first search builds it again.
        QCOMPARE(stock("DROP TRIGGER pv_recipe_text_insert; INSERT INTO recipes (Name, category_code, "
                       "groupnum) VALUES ('Tomato Tart', 1, 13);"),
                 QString());
        {
            OpenBook book(m_file);
            QVERIFY(RecipeSearch::needsBuilding(book.db));
            QVERIFY(namesFound(book.db, QStringLiteral("tart")).contains(QStringLiteral("Tomato Tart")));
        }
        // Rows written past the triggers (their storage tables changed by hand) leave the index out of step.
        QCOMPARE(stock("DELETE FROM pv_recipe_names_docsize WHERE id = (SELECT min(id) FROM "
                       "pv_recipe_names_docsize)"),
                 QString());
        {
            OpenBook book(m_file);
            QVERIFY(RecipeSearch::needsBuilding(book.db));
            QCOMPARE(RecipeSearch::find(book.db, QStringLiteral("soup"), 50).recipes.size(), 1);
        }
        // Damaged pages of the index itself: found while searching, and built again.
        QCOMPARE(stock("UPDATE pv_recipe_text_data SET block = x'00ff00ff00ff' WHERE id > 10"), QString());
        QCOMPARE(namesFound(OpenBook(m_file), QStringLiteral("brown")),
                 QStringList{QStringLiteral("Pot Roast")});
        // A storage table of the index gone entirely.
        QCOMPARE(stock("DROP TABLE pv_recipe_text_idx"), QString());
        QCOMPARE(namesFound(OpenBook(m_file), QStringLiteral("yolks")),
                 QStringList{QStringLiteral("Crème Brûlée")});
        QCOMPARE(PlainConnection(m_file, true).column("PRAGMA integrity_check"),
                 QStringList{QStringLiteral("ok")});
    }

    void compactedCopyKeepsTheIndexRight()
    {
        {
            OpenBook book(m_file);
            book.db.BeginTrans();
            for (int i = 0; i < 300; ++i)
                addRecipe(book.db, QStringLiteral("Filler %1").arg(i), 1, QStringLiteral("flour"));
            fill(book.db);
            book.db.CommitTrans();
            RecipeSearch::build(book.db);
            // Deleting the first rows leaves gaps that a copy renumbering rows would close.
            book.db.Execute(QStringLiteral("delete from recipes where Name like 'Filler 1%'"));
        }
        const QString copy = m_world->filePath(QStringLiteral("Compact.mdb"));
        Workspace::CompactDatabase(m_file, copy);
        OpenBook book(copy);
        Database& db = book.db;
        QVERIFY(!RecipeSearch::needsBuilding(db));
        QCOMPARE(namesFound(db, QStringLiteral("tomatoes")),
                 (QStringList{QStringLiteral("Pot Roast"), QStringLiteral("Tomato Soup")}));
        const auto excerpt =
            RecipeSearch::excerpt(db, QStringLiteral("yolks"),
                                  RecipeSearch::find(db, QStringLiteral("yolks"), 5).recipes.value(0).row);
        QCOMPARE(excerpt.text.text, QStringLiteral("2 cups cream \u00b7 5 egg yolks"));
        QCOMPARE(markedWords(excerpt.text), QStringLiteral("yolks"));
    }

    void excerptsMarkTheWordsWhereTheyStand()
    {
        OpenBook book(m_file);
        Database& db = book.db;
        fill(db);
        const auto found = RecipeSearch::find(db, QStringLiteral("creme brul"), 5);
        QCOMPARE(found.recipes.size(), 1);
        auto excerpt = RecipeSearch::excerpt(db, QStringLiteral("creme brul"), found.recipes[0].row);
        QCOMPARE(excerpt.name.text, QStringLiteral("Crème Brûlée"));
        QCOMPARE(markedWords(excerpt.name), QStringLiteral("Crème,Brûlée"));
        // Only the name holds the words: the description stands in, unmarked.
        QCOMPARE(excerpt.text.text, QStringLiteral("A family favourite."));
        QVERIFY(excerpt.text.marks.isEmpty());
        // Words in the instructions: those are shown.
        excerpt = RecipeSearch::excerpt(db, QStringLiteral("water bath"), found.recipes[0].row);
        QCOMPARE(markedWords(excerpt.text), QStringLiteral("water,bath"));
        // Long text: some words before the first found, "…" where text is left out.
        db.Execute(
            QStringLiteral("update recipes set Instructions = ? where Name = 'Pot Roast'"),
            {QStringLiteral("Heat the oven. Pat the meat dry and season it well on every side; then\r\n\r\n"
                            "brown the   roast in a heavy pot with a little oil over medium heat, turning "
                            "it so that all sides colour evenly before adding the onions and stock.")});
        const auto roast = RecipeSearch::find(db, QStringLiteral("brown heavy"), 5);
        QCOMPARE(roast.recipes.size(), 1);
        excerpt = RecipeSearch::excerpt(db, QStringLiteral("brown heavy"), roast.recipes[0].row);
        QCOMPARE(excerpt.text.text,
                 QStringLiteral("\u2026 every side; then \u00b7 brown the roast in a heavy pot with "
                                "a little oil \u2026"));
        QCOMPARE(markedWords(excerpt.text), QStringLiteral("brown,heavy"));
        // A recipe that no longer holds the words shows its description; a row that is gone, nothing.
        excerpt = RecipeSearch::excerpt(db, QStringLiteral("onion"), found.recipes[0].row);
        QCOMPARE(excerpt.text.text, QStringLiteral("A family favourite."));
        QVERIFY(excerpt.text.marks.isEmpty());
        db.Execute(QStringLiteral("delete from recipes where Name = 'Pot Roast'"));
        QCOMPARE(RecipeSearch::excerpt(db, QStringLiteral("heavy"), roast.recipes[0].row).name.text,
                 QString());
    }

    void oldCookbookHasNothingToSearch()
    {
        // A cookbook of the old format has no recipes table to search.
        Workspace ws;
        Database db = ws.CreateDatabase(m_world->filePath(QStringLiteral("Old.mdb")));
        db.ExecuteScript(QStringLiteral("CREATE TABLE Beef (Name TEXT(50), Ingrediants LONGTEXT);"));
        QVERIFY(!RecipeSearch::find(db, QStringLiteral("beef"), 5).searched);
    }

    void readOnlyCookbookIsSearchedOnlyWithAnIndex()
    {
        fillFile(false);
        QFile::setPermissions(m_file, QFile::ReadOwner);
        if (QFileInfo(m_file).isWritable())
            QSKIP("File permissions do not bind this user (running as root)");
        QVERIFY(!RecipeSearch::find(OpenBook(m_file), QStringLiteral("soup"), 5).searched);
        QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
        RecipeSearch::build(OpenBook(m_file));
        QFile::setPermissions(m_file, QFile::ReadOwner);
        QCOMPARE(namesFound(OpenBook(m_file), QStringLiteral("soup"), 5),
                 QStringList{QStringLiteral("Tomato Soup")});
    }

    void typedTextNeverBreaksTheSearch_data()
    {
        QTest::addColumn<QString>("typed");
        for (const char* typed : {"\"",        "\"\"",
                                  "*",         "NOT",
                                  "salt AND",  "OR pepper",
                                  "(",         ")",
                                  "^cream",    "-",
                                  "Name:beef", "{Name}: beef",
                                  "NEAR(a b)", "pie\"",
                                  "\"tomat",   "a \"b c\" \"d",
                                  "100%",      "'; drop table recipes; --",
                                  "\\",        "\xc3\xa9\xcc\x81",
                                  "....",      "\xe2\x80\x9cquoted\xe2\x80\x9d"})
            QTest::newRow(typed) << QString::fromUtf8(typed);
    }
    void typedTextNeverBreaksTheSearch()
    {
        QFETCH(QString, typed);
        OpenBook book(m_file);
        Database& db = book.db;
        fill(db);
        const auto result = RecipeSearch::find(db, typed, 10);
        QVERIFY(result.searched);
        for (const FoundRecipe& r : result.recipes)
            RecipeSearch::excerpt(db, typed, r.row);
        QCOMPARE(rows(db, QStringLiteral("select * from recipes")), 3);
    }
};

static const bool added = addDataTest<SearchTest>();

#include "tst_search.moc"
