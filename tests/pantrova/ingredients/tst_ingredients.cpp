// The ingredient helper: composing lines from the word lists, storing new words, changing and
// deleting entries, its place beside the main window, and a missing or damaged word-list file.
#include "TestWorld.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "ingredients/IngrediantForm.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/PlainTextBox.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace pantrova;
using ui::ScriptedDialogs;

namespace {

ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

// A started program whose main window shows a recipe with two ingredient lines, with the helper's
// button attached as the program attaches it.
struct Kitchen
{
    TestWorld world;
    ScriptedDialogs dialogs{failTest()};
    RecipeNew* w = nullptr;

    explicit Kitchen(bool withRecipe = true)
    {
        program().reset();
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        StartUp::Prepare(ProgramFolder(world.path()));
        program().SplashMode = false;
        program().mainWindowCreated.push_back(
            [](QWidget* window) { IngrediantForm::attach(*static_cast<RecipeNew*>(window)); });
        if (withRecipe) {
            engine::Workspace ws;
            engine::Database db = ws.OpenDatabase(QStringLiteral("Recipe20.mdb"));
            db.Execute(
                QStringLiteral("insert into recipes (Name, category_code, groupnum, Ingrediants, Picture) "
                               "values ('Chili', 1, 1, ?, '')"),
                {QStringLiteral("1 pound ground beef\n2 cans beans")});
            db.Close();
        }
        w = new RecipeNew;
        program().mainWindow = w;
        w->Form_Load();
        w->show();
    }
    ~Kitchen() { program().reset(); }

    // Presses "Ingredient Helper" on the main window.
    IngrediantForm* openHelper()
    {
        QTest::mouseClick(w->I_Button, Qt::LeftButton);
        IngrediantForm* helper = IngrediantForm::of(*w);
        if (helper && helper->isVisible() && !QTest::qWaitForWindowActive(helper))
            qWarning("the helper did not become the active window");
        return helper;
    }
    QString ingredients() const { return w->Ingrediants->toPlainText(); }

    QStringList stored(const QString& table)
    {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(QStringLiteral("Utility.mdb"));
        QStringList words;
        for (engine::Recordset rs =
                 db.OpenRecordset(QStringLiteral("select * from %1 order by %1").arg(table));
             !rs.isEOF(); rs.MoveNext())
            words << rs.Text(table);
        db.Close();
        return words;
    }
};

QStringList items(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

// Types into a list's edit field as the cook does (the field takes the focus first).
void type(QComboBox* combo, const QString& text)
{
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(combo->lineEdit(), text);
}

} // namespace

class TestIngredients : public QObject
{
    Q_OBJECT

private slots:
    void init() { ui::Twips::setDpiOverride(96); }
    void cleanup()
    {
        program().reset();
        ui::Twips::setDpiOverride(0);
    }

    void theHelperOpensBesideTheMainWindowWithItsListsFilled()
    {
        Kitchen k;
        k.w->move(40, 30);
        IngrediantForm* helper = k.openHelper();
        QVERIFY(helper);
        QVERIFY(helper->isVisible());
        QCOMPARE(k.w->SSTab1->currentIndex(), 1);
        const QRect main = k.w->frameGeometry();
        QCOMPARE(helper->pos(), QPoint(main.x() + main.width() - ui::Twips::toPixelsX(2500),
                                       main.y() + ui::Twips::toPixelsY(1900)));
        // A tool window of the main window: it floats above it.
        QCOMPARE(helper->windowType(), Qt::Tool);
        QCOMPARE(helper->parentWidget(), k.w);

        QStringList measures{QStringLiteral(" ")};
        measures += k.stored(QStringLiteral("Measure"));
        QCOMPARE(items(helper->Measure_List), measures);
        QCOMPARE(helper->Measure_List->currentText(), QString());
        // The amount list has the focus: only its button is usable.
        QCOMPARE(QApplication::focusWidget(), helper->Amount_List);
        QVERIFY(helper->AMT_Button->isEnabled());
        QVERIFY(!helper->MES_button->isEnabled());
        QVERIFY(!helper->ING_Button->isEnabled());

        // Escape closes it; pressed again, the same helper comes back.
        QTest::keyClick(helper->Measure_List, Qt::Key_Escape);
        QVERIFY(!helper->isVisible());
        QCOMPARE(k.openHelper(), helper);
        QVERIFY(helper->isVisible());
        QCOMPARE(k.w->findChildren<IngrediantForm*>().size(), 1);
    }

    void typedWordsAreCompletedAndALineIsComposedAppendedAndItsNewWordsStoredOnce()
    {
        Kitchen k;
        IngrediantForm* h = k.openHelper();
        type(h->Measure_List, QStringLiteral("tables"));
        QCOMPARE(h->Measure_List->currentText(), QStringLiteral("tablespoon"));
        type(h->Ingredient_List, QStringLiteral("KOSH"));
        QTest::keyClick(h->Ingredient_List->lineEdit(), Qt::Key_End);
        QCOMPARE(h->Ingredient_List->currentText().toLower(), QStringLiteral("kosher salt"));

        const QString before = k.ingredients();
        const int ingredientCount = int(k.stored(QStringLiteral("Ingredient")).size());

        h->Amount_List->setCurrentIndex(1);  // "1"
        h->Amount2_List->setCurrentIndex(0); // the blank first item: no word
        type(h->Measure_List, QStringLiteral("heaping cup"));
        type(h->Ingredient_List, QStringLiteral("dragon fruit"));
        QVERIFY(h->ING_Button->isEnabled());
        QVERIFY(!h->MES_button->isEnabled());
        QTest::mouseClick(h->I_Add_Button, Qt::LeftButton);

        QCOMPARE(k.ingredients(), before + QStringLiteral("\n1   heaping cup dragon fruit"));
        QVERIFY(k.stored(QStringLiteral("Measure")).contains(QStringLiteral("heaping cup")));
        QCOMPARE(k.stored(QStringLiteral("Ingredient")).size(), ingredientCount + 1);
        QVERIFY(!k.stored(QStringLiteral("Amount2")).contains(QStringLiteral(" ")));
        QVERIFY(items(h->Ingredient_List).contains(QStringLiteral("dragon fruit")));
        for (int i = 0; i < WordLists::Count; ++i)
            QCOMPARE(h->list(WordLists::List(i))->currentText(), QString());
        QVERIFY(!h->ING_Button->isEnabled());

        // The same word again, in other letters, is not stored twice; Enter adds the line too.
        type(h->Ingredient_List, QStringLiteral("Dragon Fruit"));
        QTest::keyClick(h->Ingredient_List, Qt::Key_Return);
        QCOMPARE(k.stored(QStringLiteral("Ingredient")).size(), ingredientCount + 1);
        QCOMPARE(k.ingredients().right(13), QStringLiteral("\nDragon Fruit"));

        // Nothing chosen at all still starts a new line, and stores nothing; also after something
        // (compacting the data files) closed every database under the open helper.
        program().Workspace().Close();
        const QString withLines = k.ingredients();
        QTest::mouseClick(h->I_Add_Button, Qt::LeftButton);
        QCOMPARE(k.ingredients(), withLines + QStringLiteral("\n"));
        QCOMPARE(k.stored(QStringLiteral("Ingredient")).size(), ingredientCount + 1);
        QVERIFY(k.dialogs.allAnswered());
    }

    void aWordLongerThanItsFieldIsRefusedAndNothingIsLost()
    {
        Kitchen k;
        IngrediantForm* h = k.openHelper();
        const QString before = k.ingredients();
        const QString tooLong(256, u'x');
        h->Ingredient_List->setEditText(QStringLiteral("eggs"));
        h->Measure_List->setEditText(tooLong);
        k.dialogs.expectMessageContaining(QStringLiteral("at most 255 characters"));
        h->I_Add_Button->click();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.ingredients(), before);
        QCOMPARE(h->Measure_List->currentText(), tooLong);
        QCOMPARE(h->Ingredient_List->currentText(), QStringLiteral("eggs"));
        QVERIFY(!k.stored(QStringLiteral("Measure")).contains(tooLong));

        h->Measure_List->setEditText(QString(255, u'x'));
        h->I_Add_Button->click();
        QVERIFY(k.stored(QStringLiteral("Measure")).contains(QString(255, u'x')));
    }

    void entriesAreChangedOrDeletedInPlaceInTheListLastUsed()
    {
        Kitchen k;
        IngrediantForm* h = k.openHelper();
        const QString prompt = IngrediantForm::entryPrompt();
        auto choose = [&](const QString& word) {
            h->Ingredient_List->setFocus();
            h->Ingredient_List->setCurrentIndex(h->Ingredient_List->findText(word));
        };

        choose(QStringLiteral("molasses"));
        k.dialogs.expectInput(prompt, QStringLiteral("blackstrap molasses"));
        QTest::mouseClick(h->ING_Button, Qt::LeftButton);
        QCOMPARE(h->Ingredient_List->currentText(), QStringLiteral("blackstrap molasses"));
        QVERIFY(k.stored(QStringLiteral("Ingredient")).contains(QStringLiteral("blackstrap molasses")));
        QVERIFY(!k.stored(QStringLiteral("Ingredient")).contains(QStringLiteral("molasses")));

        // "delete" in other letters, the unchanged entry, and Cancel change nothing.
        const int count = int(k.stored(QStringLiteral("Ingredient")).size());
        choose(QStringLiteral("honey"));
        k.dialogs.expectInput(prompt, QStringLiteral("delete"))
            .expectInput(prompt, QStringLiteral(" Delete "))
            .expectInput(prompt, QStringLiteral("honey"))
            .expectInput(prompt, std::nullopt);
        for (int i = 0; i < 4; ++i) {
            h->ING_Button->click();
            QCOMPARE(h->Ingredient_List->currentText(), QStringLiteral("honey"));
        }
        QCOMPARE(k.stored(QStringLiteral("Ingredient")).size(), count);

        // A name another entry has is refused.
        k.dialogs.expectInput(prompt, QStringLiteral("Maple Syrup"))
            .expectMessage(QStringLiteral("\"Maple Syrup\" is in the Ingrediant list already."));
        h->ING_Button->click();
        QCOMPARE(k.stored(QStringLiteral("Ingredient")).size(), count);

        // DELETE, with or without blanks around it, removes the entry.
        k.dialogs.expectInput(prompt, QStringLiteral(" DELETE "));
        h->ING_Button->click();
        QCOMPARE(h->Ingredient_List->currentText(), QString());
        QVERIFY(!k.stored(QStringLiteral("Ingredient")).contains(QStringLiteral("honey")));
        QCOMPARE(h->Ingredient_List->findText(QStringLiteral("honey")), -1);
        choose(QStringLiteral("jam"));
        k.dialogs.expectInput(prompt, QStringLiteral("DELETE"));
        h->ING_Button->click();
        QCOMPARE(k.stored(QStringLiteral("Ingredient")).size(), count - 2);
        QVERIFY(k.dialogs.allAnswered());

        // The amount button works on the amount list last used.
        h->Amount_List->setCurrentIndex(h->Amount_List->findText(QStringLiteral("12")));
        h->Amount2_List->setCurrentIndex(h->Amount2_List->findText(QStringLiteral("7/8")));
        QTest::mouseClick(h->Amount2_List, Qt::LeftButton);
        QVERIFY(h->AMT_Button->isEnabled());
        QVERIFY(!h->ING_Button->isEnabled());
        k.dialogs.expectInput(prompt, QStringLiteral("DELETE"));
        QTest::mouseClick(h->AMT_Button, Qt::LeftButton);
        QVERIFY(!k.stored(QStringLiteral("Amount2")).contains(QStringLiteral("7/8")));
        QVERIFY(k.stored(QStringLiteral("Amount")).contains(QStringLiteral("12")));

        h->Amount_List->setFocus();
        k.dialogs.expectInput(prompt, QStringLiteral("DELETE"));
        h->AMT_Button->click();
        QVERIFY(!k.stored(QStringLiteral("Amount")).contains(QStringLiteral("12")));
        QVERIFY(k.dialogs.allAnswered());
    }

    void aMissingOrDamagedWordListFileIsReported()
    {
        Kitchen k;
        QVERIFY(QFile::rename(QStringLiteral("Utility.mdb"), QStringLiteral("Utility.bak")));
        k.dialogs.expectMessageContaining(QStringLiteral("the file \"Utility.mdb\" is missing"));
        QCOMPARE(k.openHelper()->isVisible(), false);

        QFile damaged(QStringLiteral("Utility.mdb"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(4096, 'x'));
        damaged.close();
        k.dialogs.expectMessageContaining(QStringLiteral("the file \"Utility.mdb\" is damaged"));
        QCOMPARE(k.openHelper()->isVisible(), false);
        QCOMPARE(damaged.size(), 4096); // left as it was

        // With the file back, the helper works, and the main window never stopped working.
        QVERIFY(QFile::remove(QStringLiteral("Utility.mdb")));
        QVERIFY(QFile::rename(QStringLiteral("Utility.bak"), QStringLiteral("Utility.mdb")));
        QVERIFY(k.openHelper()->isVisible());
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.w->Recipe_Name->text(), QStringLiteral("Chili"));
    }

    void withNoRecipeShownTheLineHasNowhereToGo()
    {
        Kitchen k(false);
        // The helper was opened while a recipe was shown; now the group is empty.
        IngrediantForm* h = nullptr;
        k.w->AddRecipe();
        h = k.openHelper();
        k.w->CancelRecipeAdd();
        h->Ingredient_List->setEditText(QStringLiteral("saffron"));
        k.dialogs.expectMessageContaining(QStringLiteral("There is no recipe to add the line to."));
        h->I_Add_Button->click();
        QVERIFY(k.dialogs.allAnswered());
        QVERIFY(!k.stored(QStringLiteral("Ingredient")).contains(QStringLiteral("saffron")));
        QCOMPARE(k.ingredients(), QString());
    }
};

QTEST_MAIN(TestIngredients)
#include "tst_ingredients.moc"
