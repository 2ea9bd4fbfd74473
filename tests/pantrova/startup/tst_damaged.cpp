// Damaged data files met as a cook meets them: at start-up and when the main window opens its
// cookbook. And the error boxes every window shows: what failed, the file, the cause.
#include "TestWorld.h"
#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/ErrorGuard.h"
#include "ui/ScriptedDialogs.h"

#include <QFile>
#include <QPointer>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace pantrova;

namespace {

ui::ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

int count(const QString& file, const QString& sql)
{
    engine::Workspace ws;
    return ws.OpenDatabase(file).OpenRecordset(sql).RecordCount();
}

// A program folder after its first start, with the splash over.
struct Folder
{
    TestWorld world;
    Folder()
    {
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        StartUp::Prepare(ProgramFolder(world.path()));
        program().SplashMode = false;
    }
    QString path(const QString& name) const { return world.filePath(name); }
};

// Twelve recipes with long instructions, then the table page holding "Bread 7" overwritten.
// Returns how many recipes lived on that page.
int damageOneRecipePage(const QString& book)
{
    {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(book);
        engine::Transaction t(db);
        for (int i = 1; i <= 12; ++i)
            db.Execute(
                QStringLiteral("INSERT INTO recipes (Name, category_code, groupnum, Instructions) "
                               "VALUES (?, 1, 1, ?)"),
                {engine::Value(QStringLiteral("Bread %1").arg(i)), engine::Value(QString(6000, u'a'))});
        t.commit();
    }
    QByteArray bytes = readFile(book);
    qsizetype at = -1;
    for (qsizetype from = 0; (from = bytes.indexOf("Bread 7", from)) >= 0; ++from)
        if (bytes.mid(from + 7, 6).contains("aaaa"))
            at = from;
    const qsizetype page = at / 4096 * 4096;
    int lost = 0;
    for (qsizetype from = page; (from = bytes.indexOf("Bread ", from)) >= 0 && from < page + 4096; ++from)
        lost += bytes.mid(from + 6, 8).contains("aaaa") ? 1 : 0;
    bytes.replace(page, 4096, QByteArray(4096, '\xFF'));
    writeFile(book, bytes);
    return lost;
}

} // namespace

class TestDamaged : public QObject
{
    Q_OBJECT

private slots:
    void init() { program().reset(); }
    void cleanup() { program().reset(); }

    void anEmptyCookbookIsSetAsideForAFreshOne()
    {
        Folder f;
        writeFile(f.path(QStringLiteral("Recipe20.mdb")), {});
        ui::ScriptedDialogs script(failTest());
        script.expectMessage(
            QStringLiteral("The cookbook \"My CookBook\" cannot be opened: its file Recipe20.mdb is "
                           "empty.\n\nPantrova can set the damaged file aside, unchanged, as "
                           "\"Recipe20 (damaged).mdb\", and open a fresh, empty cookbook in its "
                           "place.\n\nDo that now?"),
            ui::AnswerYes);
        QPointer<RecipeNew> w = RecipeNew::Open();
        QVERIFY(script.allAnswered());
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Pantrova - My CookBook"));
        QCOMPARE(readFile(f.path(QStringLiteral("Recipe20 (damaged).mdb"))), QByteArray());
        // The fresh cookbook takes what the cook saves.
        engine::Transaction t(program().Cookbook);
        program().Cookbook.Execute(
            QStringLiteral("INSERT INTO recipes (Name, category_code, groupnum) VALUES "
                           "('Toast', 1, 1)"));
        t.commit();
        QCOMPARE(count(f.path(QStringLiteral("Recipe20.mdb")), QStringLiteral("select * from recipes")), 1);
        delete w.data();
    }

    void aDamagedCookbookTheCookKeepsClosesTheWindowAndStaysAsItWas()
    {
        Folder f;
        const QByteArray junk = QByteArray("not a cookbook at all ").repeated(300);
        writeFile(f.path(QStringLiteral("Recipe20.mdb")), junk);
        ui::ScriptedDialogs script(failTest());
        script.expectMessageContaining(QStringLiteral("its file Recipe20.mdb is damaged."), ui::AnswerNo);
        script.expectMessage(
            QStringLiteral("Pantrova has left Recipe20.mdb as it was. It cannot show a cookbook it "
                           "cannot read, so it will close now."));
        QPointer<RecipeNew> w = RecipeNew::Open();
        QVERIFY(script.allAnswered());
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(!w);
        QCOMPARE(readFile(f.path(QStringLiteral("Recipe20.mdb"))), junk);
        QVERIFY(!QFile::exists(f.path(QStringLiteral("Recipe20 (damaged).mdb"))));
    }

    void aPartlyDamagedCookbookSaysHowManyRecipesCannotBeRead()
    {
        Folder f;
        const QString book = f.path(QStringLiteral("Recipe20.mdb"));
        const int lost = damageOneRecipePage(book);
        QVERIFY(lost >= 1);
        const QByteArray damaged = readFile(book);
        ui::ScriptedDialogs script(failTest());
        script.expectMessage(
            QStringLiteral("The cookbook \"My CookBook\" is damaged: %1 of its recipes cannot be read "
                           "(file Recipe20.mdb).\n\nPantrova can set the damaged file aside, "
                           "unchanged, as \"Recipe20 (damaged).mdb\", and open a fresh copy in its "
                           "place holding the %2 recipes that can still be read.\n\nDo that now?")
                .arg(lost)
                .arg(12 - lost),
            ui::AnswerYes);
        QPointer<RecipeNew> w = RecipeNew::Open();
        QVERIFY(script.allAnswered());
        QVERIFY(w->isVisible());
        QCOMPARE(program().Cookbook.OpenRecordset(QStringLiteral("select * from recipes")).RecordCount(),
                 12 - lost);
        QCOMPARE(readFile(f.path(QStringLiteral("Recipe20 (damaged).mdb"))), damaged);
        delete w.data();
    }

    void aDamagedCatalogueIsSetAsideAndTheCookbooksListedAgain()
    {
        Folder f;
        engine::DatabaseFiles::copy(f.path(QStringLiteral("Recipe70e.mdb")),
                                    f.path(QStringLiteral("Family.mdb")));
        const QByteArray junk(5000, '\x17');
        writeFile(f.path(QStringLiteral("Admin.sys")), junk);
        program().reset();
        {
            ui::ScriptedDialogs script(failTest());
            script.expectMessageContaining(
                QStringLiteral("Pantrova cannot use its list of cookbooks: the file "
                               "Admin.sys is damaged."),
                ui::AnswerNo);
            script.expectMessageContaining(QStringLiteral("Pantrova has left Admin.sys as it was."));
            QVERIFY_THROWS_EXCEPTION(ui::Reported, StartUp::Prepare(ProgramFolder(f.world.path())));
            QVERIFY(script.allAnswered());
            QCOMPARE(readFile(f.path(QStringLiteral("Admin.sys"))), junk);
        }
        program().reset();
        ui::ScriptedDialogs script(failTest());
        script.expectMessageContaining(
            QStringLiteral("Your cookbooks stay as they are and are listed again."), ui::AnswerYes);
        StartUp::Prepare(ProgramFolder(f.world.path()));
        QVERIFY(script.allAnswered());
        QCOMPARE(program().CurrentCookbookName, QStringLiteral("My CookBook"));
        QCOMPARE(readFile(f.path(QStringLiteral("Admin (damaged).sys"))), junk);
        QCOMPARE(count(f.path(QStringLiteral("Admin.sys")),
                       QStringLiteral("select * from recipebooks where cookbook "
                                      "= 'Family' and dbname = 'Family.mdb'")),
                 1);
    }

    // Every window's error box names what the cook was doing, the file and the cause in plain
    // words, with the engine's own words behind "Details".
    void errorBoxesNameTheFileAndTheCause()
    {
        Folder f;
        ui::ScriptedDialogs script(failTest());
        for (const char* what :
             {"Copying the cookbook", "Opening the cookbook", "Opening the cookbook", "Saving the menu"})
            script.expectMessageContaining(QString::fromLatin1(what) + QStringLiteral(" failed."));
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 8192;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        ui::guarded(QStringLiteral("Copying the cookbook"), [&] {
            engine::DatabaseFiles::copy(f.path(QStringLiteral("Recipe20.mdb")),
                                        f.path(QStringLiteral("Copy.mdb")));
        });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);

        writeFile(f.path(QStringLiteral("Broken.mdb")), QByteArray(3000, 'x'));
        ui::guarded(QStringLiteral("Opening the cookbook"),
                    [&] { program().Workspace().OpenDatabase(QStringLiteral("Broken.mdb")); });
        ui::guarded(QStringLiteral("Opening the cookbook"),
                    [&] { program().Workspace().OpenDatabase(QStringLiteral("Gone.mdb")); });
        ui::guarded(QStringLiteral("Saving the menu"), [&] {
            engine::Database menus = program().Workspace().OpenDatabase(QStringLiteral("Menus.mdb"));
            engine::Recordset rs = menus.OpenRecordset(QStringLiteral("mymenus"));
            rs.AddNew();
            rs.SetField(QStringLiteral("menudate"), QStringLiteral("soon"));
        });

        QVERIFY(script.allAnswered());
        const QList<ui::ErrorQuestion> shown = script.errorsShown();
        QCOMPARE(shown.size(), 4);
        const QStringList causes = {
            QStringLiteral("The disk is full"), QStringLiteral("The file is damaged"),
            QStringLiteral("The file is missing"),
            QStringLiteral("A value does not fit its field: 'soon' is not a date for field "
                           "menudate.")};
        const QStringList files = {QStringLiteral("Copy.mdb"), QStringLiteral("Broken.mdb"),
                                   QStringLiteral("Gone.mdb"), QStringLiteral("Menus.mdb")};
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(shown[i].cause.startsWith(causes[i]), qPrintable(shown[i].cause));
            QVERIFY2(shown[i].file.endsWith(files[i]), qPrintable(shown[i].file));
            QVERIFY(shown[i].details.startsWith(QStringLiteral("Engine message: ")));
            QVERIFY(!shown[i].cause.contains(QStringLiteral("Statement")));
        }
        QVERIFY(shown[0].details.contains(QStringLiteral("File too large")));
        QVERIFY(shown[3].details.contains(QStringLiteral("Statement: mymenus")));
        QCOMPARE(
            script.messagesAsked().at(1).text,
            QStringLiteral("Opening the cookbook failed.\n\nFile: Broken.mdb (in %1)\nThe file is damaged: "
                           "parts of it cannot be read.")
                .arg(QDir::toNativeSeparators(f.world.path())));
    }
};

QTEST_MAIN(TestDamaged)
#include "tst_damaged.moc"
