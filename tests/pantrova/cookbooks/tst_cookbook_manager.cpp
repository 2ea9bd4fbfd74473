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

struct Catalogue
{
    const CookbookKitchen& k;
    QStringList rows() const
    {
        return k.column(
            QStringLiteral("Admin.sys"),
            QStringLiteral("select cookbook || '=' || dbname as r from recipebooks order by cookbook"),
            QStringLiteral("r"));
    }
    void add(const QString& name, const QString& file) const
    {
        k.execute(QStringLiteral("Admin.sys"),
                  QStringLiteral("insert into recipebooks (cookbook, dbname) values (?, ?)"), {name, file});
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
        QString title;
        script
            .expectModal(QStringLiteral("CookBook_Form"),
                         [&](QWidget& window) {
                             auto& form = static_cast<CookBook_Form&>(window);
                             title = form.windowTitle();
                             form.CreateCB->click();
                             names = listed(form);
                             selected = form.CB_List->currentItem()->text();
                             form.ExitCB->click();
                             return 0;
                         })
            .expectInput(kPrompt, QStringLiteral("Family"));
        w.CB_Menu->trigger();
        QVERIFY(script.allAnswered());

        QCOMPARE(title, QStringLiteral("Pantrova - CookBook Utility"));
        QCOMPARE(names, (QStringList{"Family", "My CookBook"}));
        QCOMPARE(selected, QStringLiteral("Family"));
        QVERIFY(QFile::exists(k.path(QStringLiteral("Family.mdb"))));
        QCOMPARE(Catalogue{k}.rows(), (QStringList{"Family=Family.mdb", "My CookBook=recipe20.mdb"}));
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
        CookbookKitchen k;
        CookBook_Form form;
        form.Form_Load();
        const QStringList before = k.files();
        ui::ScriptedDialogs script(failTest());
        script.expectInput(kPrompt, std::nullopt)
            .expectInput(kPrompt, QString())
            .expectInput(kPrompt, QStringLiteral("My CookBook"))
            .expectInput(kPrompt, QStringLiteral("my cookbook"));
        for (int i = 0; i < 4; ++i)
            form.CreateCB->click();
        QVERIFY(script.allAnswered());
        QCOMPARE(k.files(), before);
        QCOMPARE(listed(form), QStringList{"My CookBook"});
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
        CookbookKitchen k;
        Catalogue{k}.add(QStringLiteral("Holiday"), QStringLiteral("Party.mdb"));
        writeFile(k.path(QStringLiteral("Family.mdb")));
        CookBook_Form form;
        form.Form_Load();
        const QStringList files = k.files();
        const QStringList rows = Catalogue{k}.rows();

        ui::ScriptedDialogs script(failTest());
        script.expectInput(kPrompt, name)
            .expectMessageContaining(QStringLiteral("cannot be used for a cookbook"));
        form.CreateCB->click();
        QVERIFY(script.allAnswered());

        QCOMPARE(k.files(), files);
        QCOMPARE(Catalogue{k}.rows(), rows);
        QVERIFY(!QFile::exists(k.path(QStringLiteral("../Outside.mdb"))));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("recipe20.mdb"));
    }

    void aCookbookFileAlreadyInTheFolderIsListedAsItIs()
    {
        CookbookKitchen k;
        const QString family = k.path(QStringLiteral("Family.mdb"));
        CookbookGenerator::writeCookbook(k.path(QStringLiteral("Recipe70e.mdb")), family,
                                         CookbookShape{25, 5, 0, 3});
        const QByteArray before = fileHash(family);
        CookBook_Form form;
        form.Form_Load();
        ui::ScriptedDialogs script(failTest());
        script.expectInput(kPrompt, QStringLiteral("Family"));
        form.CreateCB->click();
        QVERIFY(script.allAnswered());
        QCOMPARE(fileHash(family), before);
        QCOMPARE(listed(form), (QStringList{"Family", "My CookBook"}));
        QCOMPARE(k.count(QStringLiteral("Family.mdb"), QStringLiteral("recipes")), 25);
    }

    void theDefaultAndTheOpenCookbookCannotBeDeletedAndNothingSelectedDoesNothing()
    {
        CookbookKitchen k;
        CookBook_Form form;
        form.Form_Load();
        ui::ScriptedDialogs script(failTest());
        script.expectInput(kPrompt, QStringLiteral("Family"));
        form.CreateCB->click(); // Family is now the open cookbook

        form.CB_List->clearSelection();
        form.CB_List->setCurrentItem(nullptr);
        form.DeleteCB->click();
        form.OpenCB->click();
        QVERIFY(script.allAnswered()); // nothing asked
        QCOMPARE(form.result(), int(QDialog::Rejected));

        for (const QString& name : {QStringLiteral("My CookBook"), QStringLiteral("Family")}) {
            script.expectMessage(kNotDeletable);
            pick(form, name);
            form.DeleteCB->click();
            QVERIFY(script.allAnswered()); // refused before any confirmation
        }
        QCOMPARE(listed(form), (QStringList{"Family", "My CookBook"}));
        QVERIFY(QFile::exists(k.path(QStringLiteral("Family.mdb"))));
    }

    void deletingAsksFirstAndThenRemovesTheFileWithItsLogsAndTheRow()
    {
        CookbookKitchen k;
        CookBook_Form form;
        form.Form_Load();
        ui::ScriptedDialogs script(failTest());
        script.expectInput(kPrompt, QStringLiteral("Family")).expectInput(kPrompt, QStringLiteral("Party"));
        form.CreateCB->click();
        form.CreateCB->click();
        const QString family = k.path(QStringLiteral("Family.mdb"));
        writeFile(family + QStringLiteral("-wal"), "stale log");
        writeFile(family + QStringLiteral("-shm"), "stale index");

        script.expectMessage(kConfirm, ui::AnswerNo);
        pick(form, QStringLiteral("Family"));
        form.DeleteCB->click();
        QVERIFY(script.allAnswered());
        QVERIFY(QFile::exists(family));
        QCOMPARE(listed(form), (QStringList{"Family", "My CookBook", "Party"}));

        script.expectMessage(kConfirm, ui::AnswerYes);
        pick(form, QStringLiteral("Family"));
        form.DeleteCB->click();
        QVERIFY(script.allAnswered());
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QVERIFY2(!QFile::exists(family + suffix), qPrintable(suffix));
        QCOMPARE(listed(form), (QStringList{"My CookBook", "Party"}));
        QCOMPARE(Catalogue{k}.rows(), (QStringList{"My CookBook=recipe20.mdb", "Party=Party.mdb"}));
        QVERIFY(QFile::exists(k.path(QStringLiteral("Party.mdb"))));
    }

    void deletingRemovesOnlyAPlainCookbookFileOfTheProgramFolder()
    {
        CookbookKitchen k;
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("victim.mdb"));
        writeFile(outside);
        writeFile(k.path(QStringLiteral("pantrova")), "the program");
        writeFile(k.path(QStringLiteral("Shared.mdb")));
        const QString relativeOutside = QDir(k.world.path()).relativeFilePath(outside);
        const QList<std::pair<QString, QString>> rows = {
            {QStringLiteral("Outside"), relativeOutside},
            {QStringLiteral("Absolute"), outside},
            {QStringLiteral("Words"), QStringLiteral("Utility.mdb")},
            {QStringLiteral("Program"), QStringLiteral("pantrova")},
            {QStringLiteral("Twin"), QStringLiteral("RECIPE20.MDB")},
            {QStringLiteral("Shared A"), QStringLiteral("Shared.mdb")},
            {QStringLiteral("Ghost"), QStringLiteral("Ghost.mdb")}};
        for (const auto& [name, file] : rows)
            Catalogue{k}.add(name, file);
        Catalogue{k}.add(QStringLiteral("Shared B"), QStringLiteral("shared.mdb")); // the file stays its
        CookBook_Form form;
        form.Form_Load();
        ui::ScriptedDialogs script(failTest());
        for (const auto& [name, file] : rows) {
            script.expectMessage(kConfirm, ui::AnswerYes);
            pick(form, name);
            form.DeleteCB->click();
            QVERIFY2(script.allAnswered(), qPrintable(name));
        }
        // Every row went; no file did.
        QCOMPARE(listed(form), (QStringList{"My CookBook", "Shared B"}));
        for (const QString& f :
             {outside, k.path(QStringLiteral("Utility.mdb")), k.path(QStringLiteral("pantrova")),
              k.path(QStringLiteral("Recipe20.mdb")), k.path(QStringLiteral("Shared.mdb"))})
            QVERIFY2(QFile::exists(f), qPrintable(f));
    }

    void openingACookbookWhoseFileIsGoneSaysSoAndKeepsTheCurrentOne()
    {
        CookbookKitchen k;
        Catalogue{k}.add(QStringLiteral("Ghost"), QStringLiteral("Ghost.mdb"));
        CookBook_Form form;
        form.Form_Load();
        ui::ScriptedDialogs script(failTest());
        script.expectMessageContaining(QStringLiteral("\"Ghost.mdb\" is not in the program folder"));
        pick(form, QStringLiteral("Ghost"));
        form.OpenCB->click();
        QVERIFY(script.allAnswered());
        QVERIFY(form.isVisible());
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("recipe20.mdb"));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
    }
};

int runCookbookManagerTests(int argc, char** argv)
{
    TestCookbookManager t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_cookbook_manager.moc"
