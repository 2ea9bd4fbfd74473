// What happens to typing on the recipe page when the person moves on before saving, and which
// recipe commands and shortcuts are offered in which state of the page. Driven through the
// window's controls, on screen.
#include "RecipeWindow.h"
#include "data/Workspace.h"
#include "recipes/LetterIndex.h"
#include "ui/LetterStrip.h"

#include <QAbstractItemView>
#include <QTabWidget>
#include <QtTest>

using namespace pantrova;
using ui::AnswerCancel;
using ui::AnswerNo;
using ui::AnswerYes;

namespace {

// Ways a person leaves the recipe shown, each through the window's own controls.
enum class Leave { Next, Previous, Letter, List, Group, Section, Add };

// A group of four recipes, three under B, showing "Bean soup" (the middle B recipe).
struct Kitchen : Window
{
    Kitchen()
    {
        for (const char* name : {"Banana bread", "Bean soup", "Blueberry pie", "Cherry tart"})
            add(QString::fromLatin1(name));
        if (!showActive())
            qWarning("the main window did not become active");
        clickLetter('B');
        chooseInList(1);
    }

    void clickLetter(char letter)
    {
        const int base = LetterIndex::baseButtonOf(QString(QChar::fromLatin1(letter)));
        w->Toolbar2->click(w->Toolbar2->isButtonVisible(base) ? base : base + 1);
    }
    void chooseInList(int entry)
    {
        // As a person does: open the list and click the entry.
        w->Recipe_List->showPopup();
        QAbstractItemView* view = w->Recipe_List->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(entry, 0)).center());
    }
    // Types a figure into a serving cell and leaves its editor open, as a person who does not
    // press Enter.
    void typeFigure(const QString& figure)
    {
        w->SSTab1->setCurrentIndex(3);
        clickGridRow(w->SMGrid, 1, 0); // "# of Servings"
        if (!w->SMGrid->isEditing())
            QTest::qFail("no cell editor opened", __FILE__, __LINE__);
        QTest::keyClicks(QApplication::focusWidget(), figure);
    }
    void leave(Leave how)
    {
        switch (how) {
        case Leave::Next:
            clickToolbar(6);
            break;
        case Leave::Previous:
            clickToolbar(5);
            break;
        case Leave::Letter:
            clickLetter('C');
            break;
        case Leave::List:
            chooseInList(2);
            break;
        case Leave::Group:
            clickGridRow(w->GroupGrid, 2);
            break;
        case Leave::Section:
            clickGridRow(w->SectionGrid, 1);
            break;
        case Leave::Add:
            clickToolbar(1);
            break;
        }
    }
    QString servings(const QString& name) { return row(name).Text(QStringLiteral("S1")); }
};

} // namespace

class TestUnsavedEdits : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void aFigureLeftInItsCellStaysWithItsRecipe_data()
    {
        QTest::addColumn<Leave>("how");
        QTest::newRow("Next") << Leave::Next;
        QTest::newRow("Previous") << Leave::Previous;
        QTest::newRow("a letter") << Leave::Letter;
        QTest::newRow("the recipe list") << Leave::List;
        QTest::newRow("a group") << Leave::Group;
        QTest::newRow("a section") << Leave::Section;
        QTest::newRow("Add") << Leave::Add;
    }
    void aFigureLeftInItsCellStaysWithItsRecipe()
    {
        QFETCH(Leave, how);
        {
            // No: the figure is given up, and it turns up on no other recipe either.
            Kitchen t;
            QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Bean soup"));
            t.typeFigure(QStringLiteral("4"));
            t.dialogs.expectMessage(QStringLiteral("Save changes to Bean soup?"), AnswerNo);
            t.leave(how);
            QVERIFY(t.dialogs.allAnswered());
            QVERIFY(t.w->Recipe_Name->text() != QStringLiteral("Bean soup"));
            QCOMPARE(t.w->SMGrid->textMatrix(1, 0), QString());
            QVERIFY(!t.w->SMGrid->isEditing());
            if (t.w->saverecipemenu->isVisible() && !t.w->Recipe_Name->text().isEmpty())
                t.w->saverecipemenu->trigger();
            QCOMPARE(t.count(QStringLiteral("S1 = 4")), 0);
        }
        {
            // Yes: it is saved on the recipe it was typed for, and only there.
            Kitchen t;
            t.typeFigure(QStringLiteral("6"));
            t.dialogs.expectMessage(QStringLiteral("Save changes to Bean soup?"), AnswerYes);
            t.leave(how);
            QVERIFY(t.dialogs.allAnswered());
            QCOMPARE(t.servings(QStringLiteral("Bean soup")), QStringLiteral("6"));
            QCOMPARE(t.count(QStringLiteral("S1 is not null")), 1);
            QCOMPARE(t.w->SMGrid->textMatrix(1, 0), QString());
        }
    }

    void aFigureLeftOpenLandsNowhereWhenAnotherWindowReplacesThePage()
    {
        // Another window showing another recipe through the window's own routines, without
        // settling the page first: a figure still in its cell editor goes with the page it was
        // typed on and never reaches the recipe shown next.
        Kitchen t;
        t.typeFigure(QStringLiteral("4"));
        t.w->StepRecipe(1);
        t.w->ShowCurrentRecipe();
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Blueberry pie"));
        QApplication::processEvents();
        QCOMPARE(t.w->SMGrid->textMatrix(1, 0), QString());
        t.w->saverecipemenu->trigger();
        QCOMPARE(t.count(QStringLiteral("S1 is not null")), 0);
    }

    void cancelKeepsThePersonWhereTheyWere()
    {
        Kitchen t;
        t.w->SSTab1->setCurrentIndex(2);
        t.w->Instructions->setFocus();
        QTest::keyClicks(t.w->Instructions, QStringLiteral("Soak the beans overnight."));
        const qint16 group = program().CurrentGroup;

        for (Leave how :
             {Leave::Next, Leave::Letter, Leave::List, Leave::Group, Leave::Section, Leave::Add}) {
            t.dialogs.expectMessage(QStringLiteral("Save changes to Bean soup?"), AnswerCancel);
            t.leave(how);
            QVERIFY(t.dialogs.allAnswered());
            QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Bean soup"));
            QCOMPARE(t.w->Instructions->toPlainText(), QStringLiteral("Soak the beans overnight."));
            QCOMPARE(program().CurrentGroup, group);
            QCOMPARE(t.w->GroupGrid->row(), int(program().RememberedGroupRow));
            QCOMPARE(t.w->CurrentLetter, QStringLiteral("B"));
            QCOMPARE(t.w->Recipe_List->currentText(), QStringLiteral("Bean soup"));
            QVERIFY(!t.w->AddingRecipe);
        }

        // Closing the window: Cancel keeps it open, Yes saves and closes.
        t.dialogs.expectMessage(QStringLiteral("Save changes to Bean soup?"), AnswerCancel);
        QVERIFY(!t.w->close());
        QVERIFY(t.w->isVisible());
        t.dialogs.expectMessage(QStringLiteral("Save changes to Bean soup?"), AnswerYes);
        QVERIFY(t.w->close());
        QVERIFY(t.dialogs.allAnswered());
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(t.world.filePath(QStringLiteral("recipe20.mdb")));
        engine::Recordset saved =
            db.OpenRecordset(QStringLiteral("select * from recipes where name = 'Bean soup'"));
        QCOMPARE(saved.Text(QStringLiteral("Instructions")), QStringLiteral("Soak the beans overnight."));
    }

    void onlyThePersonsTypingCountsAsAChange()
    {
        Kitchen t;
        // Looking around asks nothing.
        for (Leave how : {Leave::Next, Leave::Previous, Leave::List, Leave::Letter, Leave::Group})
            t.leave(how);
        clickGridRow(t.w->GroupGrid, 1);
        t.clickLetter('B');
        t.chooseInList(1);
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Bean soup"));

        // Typing undone again is no change either.
        t.w->SSTab1->setCurrentIndex(0);
        t.w->Description->setFocus();
        QTest::keyClicks(t.w->Description, QStringLiteral("Hearty"));
        QTest::keyClick(t.w->Description, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(t.w->SettlePendingEdits());
        t.leave(Leave::Next);
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Blueberry pie"));

        // A renamed recipe is asked about under the name it is stored with; Yes saves the rename.
        t.w->Recipe_Name->setFocus();
        t.w->Recipe_Name->selectAll();
        QTest::keyClicks(t.w->Recipe_Name, QStringLiteral("Bilberry pie"));
        t.dialogs.expectMessage(QStringLiteral("Save changes to Blueberry pie?"), AnswerYes);
        t.leave(Leave::Letter);
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.row(QStringLiteral("Bilberry pie")).RecordCount(), 1);
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Cherry tart"));
    }

    void aNewRecipeIsAskedAboutByItsTypedName()
    {
        Kitchen t;
        // Add without typing anything, then choose a letter: nothing to ask.
        t.leave(Leave::Add);
        QVERIFY(t.w->AddingRecipe);
        t.leave(Leave::Letter);
        QVERIFY(!t.w->AddingRecipe);
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Cherry tart"));

        t.leave(Leave::Add);
        QTest::keyClicks(t.w->Recipe_Name, QStringLiteral("  Plum cake"));
        t.dialogs.expectMessage(QStringLiteral("Save changes to Plum cake?"), AnswerYes);
        t.clickLetter('B');
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.row(QStringLiteral("Plum cake")).RecordCount(), 1);
        QCOMPARE(t.w->CurrentLetter, QStringLiteral("B"));
        QVERIFY(!t.w->AddingRecipe);

        // Without a name the save is refused and the person stays on the new recipe.
        t.leave(Leave::Add);
        t.w->Description->setFocus();
        QTest::keyClicks(t.w->Description, QStringLiteral("Nameless but tasty"));
        t.dialogs.expectMessage(QStringLiteral("Save changes to the new recipe?"), AnswerYes)
            .expectMessage(QStringLiteral("Please enter a name for the recipe."));
        t.leave(Leave::Group);
        QVERIFY(t.dialogs.allAnswered());
        QVERIFY(t.w->AddingRecipe);
        QCOMPARE(t.w->Description->toPlainText(), QStringLiteral("Nameless but tasty"));
        QCOMPARE(program().CurrentGroup, qint16(1));

        // No gives the new recipe up and shows the recipe shown before Add.
        t.dialogs.expectMessage(QStringLiteral("Save changes to the new recipe?"), AnswerNo);
        QVERIFY(t.w->SettlePendingEdits());
        QVERIFY(!t.w->AddingRecipe);
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Banana bread"));
        QCOMPARE(t.count(), 5);
    }

    void saveAndAddWorkExactlyWhenOffered()
    {
        Window t; // the template's first group is empty
        QVERIFY(t.showActive());
        // The menu entries, which carry the shortcuts, always agree with the toolbar buttons.
        auto offered = [&](int button, QAction* entry) {
            if (entry->isVisible() != t.buttonShown(button))
                QTest::qFail("a toolbar button and its menu entry disagree", __FILE__, __LINE__);
            return t.buttonShown(button);
        };
        auto press = [&](Qt::Key key) { QTest::keyClick(t.w, key, Qt::ControlModifier); };

        // Empty group: Add, not Save.
        QVERIFY(offered(1, t.w->AddRecipeMenu));
        QVERIFY(!offered(2, t.w->saverecipemenu));
        press(Qt::Key_S);
        QCOMPARE(t.count(), 0);

        // Adding the group's first recipe: Save, not Add.
        press(Qt::Key_N);
        QVERIFY(t.w->AddingRecipe);
        QVERIFY(offered(2, t.w->saverecipemenu));
        QVERIFY(!offered(1, t.w->AddRecipeMenu));
        QTest::keyClicks(t.w->Recipe_Name, QStringLiteral("Pancakes"));
        press(Qt::Key_N);
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Pancakes"));
        press(Qt::Key_S);
        QCOMPARE(t.count(), 1);
        QVERIFY(!t.w->AddingRecipe);

        // A recipe shown: both.
        QVERIFY(offered(1, t.w->AddRecipeMenu));
        QVERIFY(offered(2, t.w->saverecipemenu));
        press(Qt::Key_N);
        QVERIFY(t.w->AddingRecipe);
        t.clickToolbar(3); // Cancel
        QVERIFY(!t.w->AddingRecipe);
        QVERIFY(offered(1, t.w->AddRecipeMenu));
        press(Qt::Key_N);
        QVERIFY(t.w->AddingRecipe);
        t.clickToolbar(3);

        // Add given up in an empty group leaves Add offered there.
        clickGridRow(t.w->GroupGrid, 2);
        QCOMPARE(t.w->RecipeSet.RecordCount(), 0);
        press(Qt::Key_N);
        QVERIFY(t.w->AddingRecipe);
        t.clickToolbar(3);
        QVERIFY(!t.w->AddingRecipe);
        QVERIFY(offered(1, t.w->AddRecipeMenu));
        QVERIFY(!offered(2, t.w->saverecipemenu));
        press(Qt::Key_N);
        QVERIFY(t.w->AddingRecipe);
        QVERIFY(t.dialogs.allAnswered());
    }
};

QTEST_MAIN(TestUnsavedEdits)
#include "tst_unsaved_edits.moc"
