// The cookbook manager: creating, opening and deleting cookbooks through its window, and the main
// window switching to the chosen cookbook.

#include "CookbookGenerator.h"
#include "CookbookKitchen.h"

#include "cookbooks/CookBook_Form.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace pantrova;

namespace {

const QString kPrompt =
    QStringLiteral("Enter a name for the new CookBook\n\nNOTE: DO NOT USE ANY SPECIAL CHARACTERS!!");
const QString kNotDeletable = QStringLiteral("The system cookbook or open cookbook may not be deleted");
const QString kConfirm = QStringLiteral("Delete the selected cookbook???");

QStringList listed(const CookBook_Form& form)
{
    QStringList names;
    for (int i = 0; i < form.CB_List->count(); ++i)
        names << form.CB_List->item(i)->text();
    return names;
}

// Clicks the name in the list, as a person picks it.
void pick(CookBook_Form& form, const QString& name)
{
    if (!form.isVisible()) {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    const QList<QListWidgetItem*> found = form.CB_List->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    QListWidget* list = form.CB_List;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.constFirst()).center());
    QCOMPARE(list->currentItem()->text(), name);
}

QStringList catalogue(const CookbookKitchen& k)
{
    return k.column(
        QStringLiteral("Admin.sys"),
        QStringLiteral("select cookbook || '=' || dbname as r from recipebooks order by cookbook"),
        QStringLiteral("r"));
}

using Rows = QList<std::pair<QString, QString>>;

// The cookbook manager's window over a started folder.
struct Manager : CookbookKitchen
{
    CookBook_Form form;
    ui::ScriptedDialogs script{failTest()};

    Manager() { form.Form_Load(); }
    // Adds rows to the catalogue and lists them, as the window does when it is opened.
    void list(const Rows& rows)
    {
        for (const auto& [name, file] : rows)
            execute(QStringLiteral("Admin.sys"),
                    QStringLiteral("insert into recipebooks (cookbook, dbname) values (?, ?)"), {name, file});
        form.Form_Load();
    }
    void create(const QString& name)
    {
        script.expectInput(kPrompt, name);
        form.CreateCB->click();
    }
    void pickAndDelete(const QString& name)
    {
        pick(form, name);
        form.DeleteCB->click();
    }
};

} // namespace

class TestCookbookManager : public QObject
{
    Q_OBJECT

private slots:
    void init() { program().reset(); }
    void cleanup() { program().reset(); }

    void createdCookbookIsListedMadeCurrentAndShownByTheMainWindow()
    {
        CookbookKitchen k;
        RecipeNew& w = k.open();
        ui::ScriptedDialogs script(failTest());
        QStringList names;
        QString selected;
        script
            .expectModal(QStringLiteral("CookBook_Form"),
                         [&](QWidget& window) {
                             auto& form = static_cast<CookBook_Form&>(window);
                             form.CreateCB->click();
                             names = listed(form);
                             selected = form.CB_List->currentItem()->text();
                             form.ExitCB->click();
                             return 0;
                         })
            .expectInput(kPrompt, QStringLiteral("Family"));
        w.CB_Menu->trigger();
        QVERIFY(script.allAnswered());

        QCOMPARE(names, (QStringList{"Family", "My CookBook"}));
        QCOMPARE(selected, QStringLiteral("Family"));
        QVERIFY(QFile::exists(k.path(QStringLiteral("Family.mdb"))));
        QCOMPARE(catalogue(k), (QStringList{"Family=Family.mdb", "My CookBook=recipe20.mdb"}));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("Family.mdb"));
        QCOMPARE(w.LoadedCookbookFile, QStringLiteral("Family.mdb"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Pantrova - Family"));
        QCOMPARE(program().Cookbook.fileName(), k.path(QStringLiteral("Family.mdb")));

        // And back with the keyboard: pick the default cookbook and press Enter.
        script.expectModal(QStringLiteral("CookBook_Form"), [&](QWidget& window) {
            auto& form = static_cast<CookBook_Form&>(window);
            pick(form, QStringLiteral("My CookBook"));
            QTest::keyClick(form.CB_List, Qt::Key_Return);
            return form.result();
        });
        w.CB_Menu->trigger();
        QVERIFY(script.allAnswered());
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Pantrova - My CookBook"));
        QCOMPARE(program().Cookbook.fileName(), k.path(QStringLiteral("Recipe20.mdb")));

        // And to Family again with the button.
        script.expectModal(QStringLiteral("CookBook_Form"), [&](QWidget& window) {
            auto& form = static_cast<CookBook_Form&>(window);
            pick(form, QStringLiteral("Family"));
            form.OpenCB->click();
            return form.result();
        });
        w.CB_Menu->trigger();
        QVERIFY(script.allAnswered());
        QCOMPARE(w.windowTitle(), QStringLiteral("Pantrova - Family"));
    }

    void cancelAnEmptyNameOrAListedNameChangesNothing()
    {
        Manager m;
        const QStringList before = m.files();
        m.script.expectInput(kPrompt, std::nullopt).expectInput(kPrompt, QString());
        m.form.CreateCB->click();
        m.form.CreateCB->click();
        m.create(QStringLiteral("My CookBook"));
        m.create(QStringLiteral("my cookbook"));
        QVERIFY(m.script.allAnswered());
        QCOMPARE(m.files(), before);
        QCOMPARE(listed(m.form), QStringList{"My CookBook"});
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookName, QStringLiteral("My CookBook"));
    }

    void namesThatCannotBeFileNamesAreRefusedBeforeAnythingIsCopied_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << "Mom/Dad";
        QTest::newRow("backslash") << "Mom\\Dad";
        QTest::newRow("parent folder") << "../Outside";
        QTest::newRow("two dots") << "Soups..Stews";
        QTest::newRow("leading dot") << ".hidden";
        QTest::newRow("control character") << "Tab\there";
        QTest::newRow("colon") << "Winter: Soups";
        QTest::newRow("question mark") << "Why?";
        QTest::newRow("double quote") << "The \"Best\"";
        QTest::newRow("default cookbook's file") << "recipe20";
        QTest::newRow("default file in capitals") << "RECIPE20";
        QTest::newRow("word lists") << "Utility";
        QTest::newRow("menus") << "menus";
        QTest::newRow("template") << "Recipe70e";
        QTest::newRow("compaction scratch") << "Temp";
        QTest::newRow("file of another cookbook") << "Party";
        QTest::newRow("differs in case from a file") << "family";
        QTest::newRow("too long") << QString(260, u'a');
    }

    void namesThatCannotBeFileNamesAreRefusedBeforeAnythingIsCopied()
    {
        QFETCH(QString, name);
        Manager m;
        m.list({{QStringLiteral("Holiday"), QStringLiteral("Party.mdb")}});
        writeFile(m.path(QStringLiteral("Family.mdb")));
        const QStringList files = m.files();
        const QStringList rows = catalogue(m);

        m.script.expectInput(kPrompt, name)
            .expectMessageContaining(QStringLiteral("cannot be used for a cookbook"));
        m.form.CreateCB->click();
        QVERIFY(m.script.allAnswered());

        QCOMPARE(m.files(), files);
        QCOMPARE(catalogue(m), rows);
        QVERIFY(!QFile::exists(m.path(QStringLiteral("../Outside.mdb"))));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("recipe20.mdb"));
    }

    void aCookbookFileAlreadyInTheFolderIsListedAsItIs()
    {
        Manager m;
        const QString family = m.path(QStringLiteral("Family.mdb"));
        CookbookGenerator::writeCookbook(m.path(QStringLiteral("Recipe70e.mdb")), family,
                                         CookbookShape{25, 5, 0, 3});
        const QByteArray before = fileHash(family);
        m.create(QStringLiteral("Family"));
        QVERIFY(m.script.allAnswered());
        QCOMPARE(fileHash(family), before);
        QCOMPARE(listed(m.form), (QStringList{"Family", "My CookBook"}));
        QCOMPARE(m.count(QStringLiteral("Family.mdb"), QStringLiteral("recipes")), 25);
    }

    void deletingAsksFirstAndSparesTheDefaultAndTheOpenCookbook()
    {
        Manager m;
        m.create(QStringLiteral("Family"));
        m.create(QStringLiteral("Party")); // Party is now the open cookbook
        const QString family = m.path(QStringLiteral("Family.mdb"));
        writeFile(family + QStringLiteral("-wal"), "stale log");
        writeFile(family + QStringLiteral("-shm"), "stale index");

        // Nothing selected: nothing is asked or done.
        m.form.CB_List->clearSelection();
        m.form.CB_List->setCurrentItem(nullptr);
        m.form.DeleteCB->click();
        m.form.OpenCB->click();
        QVERIFY(m.script.allAnswered());
        QCOMPARE(m.form.result(), int(QDialog::Rejected));

        for (const QString& name : {QStringLiteral("My CookBook"), QStringLiteral("Party")}) {
            m.script.expectMessage(kNotDeletable);
            m.pickAndDelete(name);
            QVERIFY(m.script.allAnswered()); // refused before any confirmation
        }

        m.script.expectMessage(kConfirm, ui::AnswerNo);
        m.pickAndDelete(QStringLiteral("Family"));
        QVERIFY(m.script.allAnswered());
        QVERIFY(QFile::exists(family));
        QCOMPARE(listed(m.form), (QStringList{"Family", "My CookBook", "Party"}));

        m.script.expectMessage(kConfirm, ui::AnswerYes);
        m.pickAndDelete(QStringLiteral("Family"));
        QVERIFY(m.script.allAnswered());
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QVERIFY2(!QFile::exists(family + suffix), qPrintable(suffix));
        QCOMPARE(listed(m.form), (QStringList{"My CookBook", "Party"}));
        QCOMPARE(catalogue(m), (QStringList{"My CookBook=recipe20.mdb", "Party=Party.mdb"}));
        QVERIFY(QFile::exists(m.path(QStringLiteral("Party.mdb"))));
    }

    // Rows whose file is gone, shared, outside the folder or the program's own: opening the gone one
    // says so, and deleting any of them removes the row but never the file.
    void deletingRemovesOnlyAPlainCookbookFileOfTheProgramFolder()
    {
        Manager m;
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("victim.mdb"));
        writeFile(outside);
        writeFile(m.path(QStringLiteral("pantrova")), "the program");
        writeFile(m.path(QStringLiteral("Shared.mdb")));
        const Rows rows = {{QStringLiteral("Outside"), QDir(m.world.path()).relativeFilePath(outside)},
                           {QStringLiteral("Absolute"), outside},
                           {QStringLiteral("Words"), QStringLiteral("Utility.mdb")},
                           {QStringLiteral("Program"), QStringLiteral("pantrova")},
                           {QStringLiteral("Twin"), QStringLiteral("RECIPE20.MDB")},
                           {QStringLiteral("Shared A"), QStringLiteral("Shared.mdb")},
                           {QStringLiteral("Ghost"), QStringLiteral("Ghost.mdb")}};
        // Shared B still uses the file of Shared A, so that file stays.
        m.list(rows + Rows{{QStringLiteral("Shared B"), QStringLiteral("shared.mdb")}});

        m.script.expectMessageContaining(QStringLiteral("\"Ghost.mdb\" is not in the program folder"));
        pick(m.form, QStringLiteral("Ghost"));
        m.form.OpenCB->click();
        QVERIFY(m.script.allAnswered());
        QVERIFY(m.form.isVisible());
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("recipe20.mdb"));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));

        for (const auto& [name, file] : rows) {
            m.script.expectMessage(kConfirm, ui::AnswerYes);
            m.pickAndDelete(name);
            QVERIFY2(m.script.allAnswered(), qPrintable(name));
        }
        // Every row went; no file did.
        QCOMPARE(listed(m.form), (QStringList{"My CookBook", "Shared B"}));
        for (const QString& f :
             {outside, m.path(QStringLiteral("Utility.mdb")), m.path(QStringLiteral("pantrova")),
              m.path(QStringLiteral("Recipe20.mdb")), m.path(QStringLiteral("Shared.mdb"))})
            QVERIFY2(QFile::exists(f), qPrintable(f));
    }
};

int runCookbookManagerTests(int argc, char** argv)
{
    TestCookbookManager t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_cookbook_manager.moc"
