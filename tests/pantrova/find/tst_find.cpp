// Finding recipes through the find window as a cook does: Ctrl+F, typing, Enter, Escape; the list
// following the typing, the index following the main window's saves, deletes and moves, and
// searching every cookbook of the catalogue.
#include "TestWorld.h"
#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "find/FindCommands.h"
#include "find/FindForm.h"
#include "find/FoundRecipesModel.h"
#include "groups/GroupCommands.h"
#include "groups/MoverecipeForm.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/FlexGrid.h"
#include "ui/PlainTextBox.h"
#include "ui/ScriptedDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

using namespace pantrova;
using ui::ScriptedDialogs;

namespace {

ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

// A started program in a temporary folder with the main window loaded and the find command
// attached, as the program attaches it.
struct Kitchen
{
    TestWorld world;
    ScriptedDialogs dialogs{failTest()};
    RecipeNew* w = nullptr;

    Kitchen()
    {
        program().reset();
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        StartUp::Prepare(ProgramFolder(world.path()));
        program().SplashMode = false;
        program().mainWindowCreated.push_back([](QWidget* window) {
            auto* main = static_cast<RecipeNew*>(window);
            FindCommands::attach(*main);
            GroupCommands::attach(*main);
        });
    }
    ~Kitchen()
    {
        delete w;
        program().reset();
    }

    RecipeNew& open()
    {
        w = new RecipeNew;
        program().mainWindow = w;
        w->Form_Load();
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w))
            qWarning("the main window did not become active");
        return *w;
    }

    static void execute(const QString& file, const QString& sql, const QList<engine::Value>& params = {})
    {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(file);
        db.Execute(sql, params);
        ws.Close();
    }
    // Adds a recipe to a cookbook file (the open one by default) behind the window's back.
    void addRecipe(int group, const QString& name, const QString& ingredients,
                   const QString& instructions = {}, int number = 1,
                   const QString& file = QStringLiteral("Recipe20.mdb"))
    {
        execute(
            world.filePath(file),
            QStringLiteral("insert into recipes (Name, category_code, groupnum, Description, Ingrediants, "
                           "Instructions, Picture) values (?, ?, ?, '', ?, ?, '')"),
            {name, number, group, ingredients, instructions});
    }

    // Ctrl+F on the main window, as the cook presses it.
    FindForm* pressCtrlF()
    {
        QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
        return w->findChild<FindForm*>(QString(), Qt::FindDirectChildrenOnly);
    }
};

// Types over the words in the box and waits for the list to follow, after the pause.
void search(FindForm& form, const QString& words)
{
    QSignalSpy listed(&form.results(), &QAbstractItemModel::modelReset);
    form.SearchText->selectAll();
    QTest::keyClick(form.SearchText, Qt::Key_Backspace);
    QTest::keyClicks(form.SearchText, words);
    QTRY_COMPARE(listed.count(), 1);
}

QStringList listed(FindForm& form)
{
    QStringList names;
    for (int r = 0; r < form.results().rowCount(); ++r)
        names.append(form.results().index(r, 0).data().toString());
    return names;
}

QStringList markedWords(FindForm& form, int row)
{
    return form.results().index(row, 0).data(FoundRecipesModel::MarkedWordsRole).toStringList();
}

QString place(FindForm& form, int row)
{
    return form.results().index(row, 0).data(FoundRecipesModel::PlaceRole).toString();
}

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { program().reset(); }

    void ctrlFOpensTheFindWindowBesideTheMainWindowAndEscapeClosesIt()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        QAction* entry = FindCommands::findAction(w);
        QVERIFY(entry);
        QCOMPARE(w.u_Menu->actions().value(0), entry);

        QPointer<FindForm> form = k.pressCtrlF();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->accessibleName(), QStringLiteral("Find Recipes"));
        QTRY_VERIFY(form->SearchText->hasFocus());
        // Not on top of the main window when the screen has room beside it.
        if (form->screen()->availableGeometry().width() >= w.frameGeometry().width() + form->width() + 16)
            QVERIFY(!form->frameGeometry().intersects(w.frameGeometry()));

        // A second Ctrl+F brings the same window back.
        QCOMPARE(k.pressCtrlF(), form.data());
        QTest::keyClick(form->SearchText, Qt::Key_Escape);
        QTRY_VERIFY(!form);
    }

    void wordsAreFoundByTheirBeginningsWithoutRegardToCaseOrAccents()
    {
        Kitchen k;
        k.addRecipe(17, QStringLiteral("Tomato Soup"), QStringLiteral("6 ripe tomatoes\r\n1 onion"));
        k.addRecipe(1, QStringLiteral("Pot Roast"), QStringLiteral("1 beef roast\r\n2 Tomatoes, diced"));
        k.addRecipe(8, QStringLiteral("Crème Brûlée"), QStringLiteral("2 cups cream"));
        k.addRecipe(16, QStringLiteral("Jalapeño Poppers"), QStringLiteral("12 jalapeños"));
        k.addRecipe(17, QStringLiteral("Tomato Soup"), QStringLiteral("canned tomatoes"), {}, 2);
        k.open();
        FindForm& form = *k.pressCtrlF();

        // Name matches first, in name order (number 2 after number 1), then the rest.
        search(form, QStringLiteral("TOMAT"));
        QCOMPARE(listed(form), (QStringList{QStringLiteral("Tomato Soup"), QStringLiteral("Tomato Soup - 2"),
                                            QStringLiteral("Pot Roast")}));
        QCOMPARE(form.Status->text(), QStringLiteral("3 recipes found."));
        QCOMPARE(place(form, 0), QStringLiteral("Soups & Sides \u203a Soups"));
        QCOMPARE(place(form, 2), QStringLiteral("Main Dishes \u203a Beef"));
        QCOMPARE(markedWords(form, 2), QStringList{QStringLiteral("Tomatoes")});
        QCOMPARE(form.results().index(2, 0).data(FoundRecipesModel::ExcerptRole).toString(),
                 QStringLiteral("1 beef roast \u00b7 2 Tomatoes, diced"));

        search(form, QStringLiteral("creme brulee"));
        QCOMPARE(listed(form), QStringList{QStringLiteral("Crème Brûlée")});
        QCOMPARE(markedWords(form, 0), (QStringList{QStringLiteral("Crème"), QStringLiteral("Brûlée")}));
        search(form, QStringLiteral("JALAPENO"));
        QCOMPARE(listed(form), QStringList{QStringLiteral("Jalapeño Poppers")});

        // A single letter is a word of its own, not the beginning of every word.
        search(form, QStringLiteral("t"));
        QCOMPARE(listed(form), QStringList());
        QCOMPARE(form.Status->text(), QStringLiteral("No recipe holds these words."));
        search(form, QStringLiteral("zucchini"));
        QCOMPARE(listed(form), QStringList());
        // Nothing left to search for: the hint again, and an empty list.
        form.SearchText->clear();
        QTRY_VERIFY(form.Status->text().startsWith(QStringLiteral("Type words")));
        QCOMPARE(form.results().rowCount(), 0);
    }

    void everyWordMustMatchAndQuotedWordsMatchAsAPhrase()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Pot Roast"), QStringLiteral("1 beef roast\r\n1 onion"),
                    QStringLiteral("Brown the meat until golden brown, then braise."));
        k.addRecipe(1, QStringLiteral("Beef Stew"), QStringLiteral("2 pounds beef"),
                    QStringLiteral("Simmer until brown and golden."));
        k.addRecipe(17, QStringLiteral("Onion Soup"), QStringLiteral("6 onions"),
                    QStringLiteral("Cook the onions golden brown."));
        k.open();
        FindForm& form = *k.pressCtrlF();

        search(form, QStringLiteral("beef onion"));
        QCOMPARE(listed(form), QStringList{QStringLiteral("Pot Roast")});
        // Words in any order and any field; the phrase only where the words stand together.
        search(form, QStringLiteral("golden brown"));
        QCOMPARE(listed(form).size(), 3);
        search(form, QStringLiteral("\"golden brown\""));
        QCOMPARE(listed(form), (QStringList{QStringLiteral("Onion Soup"), QStringLiteral("Pot Roast")}));
        QCOMPARE(markedWords(form, 0), QStringList{QStringLiteral("golden brown")});
        // A phrase still being typed ends in a word's beginning.
        search(form, QStringLiteral("\"cook the oni"));
        QCOMPARE(listed(form), QStringList{QStringLiteral("Onion Soup")});
        // Quoted, a word is found only whole.
        search(form, QStringLiteral("\"onion\""));
        QCOMPARE(listed(form), (QStringList{QStringLiteral("Onion Soup"), QStringLiteral("Pot Roast")}));
        search(form, QStringLiteral("\"onion\" soup"));
        QCOMPARE(listed(form), QStringList{QStringLiteral("Onion Soup")});
    }

    void enterOrADoubleClickShowsTheRecipeInTheMainWindow()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Beef Stew"), QStringLiteral("2 pounds beef"));
        k.addRecipe(17, QStringLiteral("Lentil Soup"), QStringLiteral("1 cup lentils"));
        k.addRecipe(17, QStringLiteral("Lentil Soup"), QStringLiteral("2 cups red lentils"), {}, 2);
        k.addRecipe(17, QStringLiteral("Minestrone"), QStringLiteral("1 cup beans"));
        RecipeNew& w = k.open();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Beef Stew"));
        FindForm& form = *k.pressCtrlF();

        // Enter straight after typing shows what the words find.
        QTest::keyClicks(form.SearchText, QStringLiteral("red lentil"));
        QTest::keyClick(form.SearchText, Qt::Key_Return);
        QCOMPARE(program().CurrentSection, quint8(3));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Soups"));
        QCOMPARE(w.GroupGrid->textMatrix(w.GroupGrid->row(), 1), QStringLiteral("Soups"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Lentil Soup"));
        QCOMPARE(w.Text1->text(), QStringLiteral("- 2"));
        QCOMPARE(w.CurrentLetter, QStringLiteral("L"));
        QCOMPARE(w.Recipe_List->currentText(), QStringLiteral("Lentil Soup - 2"));
        QVERIFY(form.isVisible());

        // Down into the list and Enter on the second recipe; then a double-click on the first.
        search(form, QStringLiteral("soup"));
        QCOMPARE(listed(form),
                 (QStringList{QStringLiteral("Lentil Soup"), QStringLiteral("Lentil Soup - 2")}));
        QTest::keyClick(form.SearchText, Qt::Key_Down);
        QVERIFY(form.Results->hasFocus());
        QTest::keyClick(form.Results, Qt::Key_Down);
        QTest::keyClick(form.Results, Qt::Key_Return);
        QCOMPARE(w.Text1->text(), QStringLiteral("- 2"));
        const QRect first = form.Results->visualRect(form.results().index(0, 0));
        QTest::mouseClick(form.Results->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseDClick(form.Results->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Lentil Soup"));
        QCOMPARE(w.Text1->text(), QString());

        // Back to another section by name.
        search(form, QStringLiteral("beef"));
        form.ShowButton->click();
        QCOMPARE(program().CurrentSection, quint8(1));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Beef Stew"));
        QVERIFY(k.dialogs.allAnswered());
    }

    void theIndexFollowsSavesDeletesAndMoves()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Beef Stew"), QStringLiteral("2 pounds beef"));
        k.addRecipe(1, QStringLiteral("Brisket"), QStringLiteral("1 brisket"));
        RecipeNew& w = k.open();
        FindForm& form = *k.pressCtrlF();
        search(form, QStringLiteral("beef")); // the first search builds the index
        QCOMPARE(listed(form), QStringList{QStringLiteral("Beef Stew")});

        // A save of new ingredients on the recipe page.
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Beef Stew"));
        w.Ingrediants->setPlainText(QStringLiteral("2 pounds beef\n3 parsnips"));
        w.SaveRecipeCommand();
        search(form, QStringLiteral("parsnip"));
        QCOMPARE(listed(form), QStringList{QStringLiteral("Beef Stew")});

        // A move to another group: found in its new place, and shown there.
        k.dialogs.expectModal(QStringLiteral("MoverecipeForm"), [](QWidget& window) {
            auto& move = dynamic_cast<MoverecipeForm&>(window);
            move.SectionCombo->setCurrentIndex(move.SectionCombo->findText(QStringLiteral("Soups & Sides")));
            emit move.SectionCombo->activated(move.SectionCombo->currentIndex());
            move.GroupCombo->setCurrentIndex(move.GroupCombo->findText(QStringLiteral("Soups")));
            emit move.GroupCombo->activated(move.GroupCombo->currentIndex());
            move.MoveButton->click();
            return 0;
        });
        w.Move_Menu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Soups"));
        search(form, QStringLiteral("parsnips beef"));
        QCOMPARE(place(form, 0), QStringLiteral("Soups & Sides \u203a Soups"));

        // A delete: gone from the list.
        k.dialogs.expectMessageContaining(QStringLiteral("Are you sure"), ui::AnswerYes);
        w.DeleteRecipe();
        QVERIFY(k.dialogs.allAnswered());
        search(form, QStringLiteral("stew"));
        QCOMPARE(listed(form), QStringList());

        // A recipe deleted behind the list's back: the cook is told, and the list follows.
        search(form, QStringLiteral("brisket"));
        QCOMPARE(listed(form), QStringList{QStringLiteral("Brisket")});
        k.execute(k.world.filePath(QStringLiteral("Recipe20.mdb")),
                  QStringLiteral("delete from recipes where Name = 'Brisket'"));
        k.dialogs.expectMessage(QStringLiteral("The recipe \"Brisket\" is no longer in the cookbook."));
        QTest::keyClick(form.SearchText, Qt::Key_Return);
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(listed(form), QStringList());
    }

    void allCookbooksSearchesTheCatalogueAndOffersToSwitch()
    {
        Kitchen k;
        k.world.copyShipped(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Family.mdb"));
        QFile::setPermissions(k.world.filePath(QStringLiteral("Family.mdb")),
                              QFile::ReadOwner | QFile::WriteOwner);
        Kitchen::execute(
            k.world.filePath(QStringLiteral("Admin.sys")),
            QStringLiteral("insert into recipebooks (cookbook, dbname) values ('Family Favourites', "
                           "'Family.mdb'), ('Gone Book', 'gone.mdb')"));
        k.addRecipe(17, QStringLiteral("Pumpkin Soup"), QStringLiteral("1 pumpkin"));
        k.addRecipe(2, QStringLiteral("Pumpkin Bread"), QStringLiteral("2 cups pumpkin"), {}, 1,
                    QStringLiteral("Family.mdb"));
        k.addRecipe(3, QStringLiteral("Spice Cake"), QStringLiteral("1 cup pumpkin puree"), {}, 1,
                    QStringLiteral("Family.mdb"));
        RecipeNew& w = k.open();
        FindForm& form = *k.pressCtrlF();

        search(form, QStringLiteral("pumpkin"));
        QCOMPARE(listed(form), QStringList{QStringLiteral("Pumpkin Soup")});
        QTest::mouseClick(form.AllCookbooks, Qt::LeftButton, {}, QPoint(8, form.AllCookbooks->height() / 2));
        // The open cookbook's name matches, the other's, then the rest; a listed file that is
        // missing is named.
        QCOMPARE(listed(form), (QStringList{QStringLiteral("Pumpkin Soup"), QStringLiteral("Pumpkin Bread"),
                                            QStringLiteral("Spice Cake")}));
        QCOMPARE(place(form, 1), QStringLiteral("Baking & Desserts \u203a Breads \u00b7 Family Favourites"));
        QCOMPARE(markedWords(form, 2), QStringList{QStringLiteral("pumpkin")});
        QCOMPARE(form.Status->text(), QStringLiteral("3 recipes found. Not searched: Gone Book."));
        // The other cookbook was closed again after the search, so the cookbook manager may remove it.
        QVERIFY(!engine::DatabaseFiles::isOpen(k.world.filePath(QStringLiteral("Family.mdb"))));

        // Declining the switch leaves everything as it was.
        const QString question = QStringLiteral(
            "\"Spice Cake\" is in the cookbook \"Family Favourites\". Switch to that cookbook to show it?");
        k.dialogs.expectMessage(question, ui::AnswerNo).expectMessage(question, ui::AnswerYes);
        form.Results->setCurrentIndex(form.results().index(2, 0));
        QTest::keyClick(form.Results, Qt::Key_Return);
        QCOMPARE(program().CurrentCookbookFile.toLower(), QStringLiteral("recipe20.mdb"));
        QCOMPARE(w.LoadedCookbookFile.toLower(), QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentSection, quint8(1));

        QTest::keyClick(form.Results, Qt::Key_Return);
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("Family.mdb"));
        QCOMPARE(program().CurrentCookbookName, QStringLiteral("Family Favourites"));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("Family.mdb"));
        QCOMPARE(w.LoadedCookbookFile, QStringLiteral("Family.mdb"));
        QCOMPARE(program().CurrentSection, quint8(2));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Cakes"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Spice Cake"));

        // The open cookbook is now the other one: its recipes are the open cookbook's.
        search(form, QStringLiteral("pumpkin soup"));
        QCOMPARE(place(form, 0), QStringLiteral("Soups & Sides \u203a Soups \u00b7 My CookBook"));
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
