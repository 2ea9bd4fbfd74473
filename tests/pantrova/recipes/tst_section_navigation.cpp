// Section and group navigation of the main window: the group grid lists every group of the
// section and is worked with the mouse and the keys, the section grid switches sections.
#include "StartedProgram.h"
#include "startup/Help.h"
#include "ui/Twips.h"

#include <QScrollBar>

using namespace pantrova;

class TestSectionNavigation : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        program().reset();
        ui::Twips::setDpiOverride(96);
    }
    void cleanup()
    {
        Help::CloseHelp();
        program().reset();
        ui::Twips::setDpiOverride(0);
    }

    void aSectionIsShownWithItsGroupsAndTheOtherSections()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        QCOMPARE(program().CurrentSection, quint8(1));
        QCOMPARE(w.GroupGrid->textMatrix(0, 1), QStringLiteral("Main Dishes\nRecipes"));
        QCOMPARE(w.GroupGrid->colWidth(0), 0);
        QCOMPARE(w.GroupGrid->rows(), 20);
        QCOMPARE(w.GroupGrid->colWidth(1), 1930);
        QCOMPARE(w.GroupGrid->textMatrix(1, 1), QStringLiteral("Beef"));
        QCOMPARE(w.GroupGrid->textMatrix(7, 1), QStringLiteral("Stews"));
        QCOMPARE(w.GroupGrid->textMatrix(8, 1), QString());
        QCOMPARE(w.SectionGrid->textMatrix(1, 1), QStringLiteral("Baking & Desserts"));
        QCOMPARE(w.SectionGrid->textMatrix(2, 1), QStringLiteral("Odds & Ends"));
        QCOMPARE(w.SectionGrid->textMatrix(3, 1), QStringLiteral("Soups & Sides"));
        QCOMPARE(w.SectionGrid->rowHeight(0), 0);
        QCOMPARE(program().CurrentGroup, qint16(1));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        QCOMPARE(program().RememberedGroupRow, quint16(1));

        // Another section: its first group is current, and the others are listed below.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickGridRow(w.GroupGrid, 4);
        clickGridRow(w.SectionGrid, 3); // Soups & Sides
        QCOMPARE(program().CurrentSection, quint8(3));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Salads"));
        QCOMPARE(w.GroupGrid->row(), 1);
        QCOMPARE(program().RememberedGroupRow, quint16(1));
        QCOMPARE(w.SectionGrid->textMatrix(1, 1), QStringLiteral("Baking & Desserts"));
        QCOMPARE(w.SectionGrid->textMatrix(3, 1), QStringLiteral("Odds & Ends"));
    }

    void everyGroupOfASectionIsListedAndReachable()
    {
        Kitchen k;
        for (int g = 21; g <= 32; ++g)
            k.execute(QStringLiteral("insert into groups (groupnum, groupname, section) values (?, ?, 1)"),
                      {g, QStringLiteral("Extra %1").arg(g)});
        {
            RecipeNew& w = k.open();
            QCOMPARE(w.GroupGrid->rows(), 20); // 19 groups and the heading
            QCOMPARE(w.GroupGrid->colWidth(1), 1930);
            QCOMPARE(w.SectionGrid->colWidth(1), 1930);
            QCOMPARE(w.GroupGrid->textMatrix(19, 1), QStringLiteral("Stews"));
        }
        k.execute(
            QStringLiteral("insert into groups (groupnum, groupname, section) values (33, 'Extra 33', 1)"));
        {
            // Twenty groups need a row more than the design's twenty; the grid scrolls.
            RecipeNew& w = k.open(true);
            QCOMPARE(w.GroupGrid->rows(), 21);
            QCOMPARE(w.GroupGrid->textMatrix(19, 1), QStringLiteral("Poultry"));
            QCOMPARE(w.GroupGrid->textMatrix(20, 1), QStringLiteral("Stews"));
            QCOMPARE(w.GroupGrid->colWidth(1), 1700);
            QCOMPARE(w.SectionGrid->colWidth(1), 1700);
            QScrollBar* bar = w.GroupGrid->table()->verticalScrollBar();
            bar->setValue(bar->maximum());
            clickGridRow(w.GroupGrid, 19);
            QCOMPARE(w.CurrentGroupName, QStringLiteral("Poultry"));
            clickGridRow(w.GroupGrid, 20);
            QCOMPARE(w.CurrentGroupName, QStringLiteral("Stews"));
        }

        // However many there are: 300 groups, the last one chosen, then a click on the heading
        // puts the highlight back on it.
        for (int g = 100; g < 380; ++g)
            k.execute(QStringLiteral("insert into groups (groupnum, groupname, section) values (?, ?, 1)"),
                      {g, QStringLiteral("Many %1").arg(g)});
        k.addRecipe(18, QStringLiteral("Irish Stew"));
        RecipeNew& w = k.open(true);
        QCOMPARE(w.GroupGrid->rows(), 301);
        QScrollBar* bar = w.GroupGrid->table()->verticalScrollBar();
        bar->setValue(bar->maximum());
        clickGridRow(w.GroupGrid, 300);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Stews"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Irish Stew"));
        bar->setValue(0);
        clickGridRow(w.GroupGrid, 0);
        QCOMPARE(w.GroupGrid->row(), 300);
        QCOMPARE(w.GroupGrid->text(), QStringLiteral("Stews"));

        // Back in a section with few groups the grid is 20 rows and wide again.
        w.SectionGrid->setRow(1);
        w.SectionGrid_Click();
        QCOMPARE(w.GroupGrid->rows(), 20);
        QCOMPARE(w.GroupGrid->colWidth(1), 1930);
    }

    void clicksOnTheHeadingEmptyRowsOrWithTheRightButtonKeepTheGroup()
    {
        Kitchen k;
        k.addRecipe(14, QStringLiteral("Pork Chops"));
        RecipeNew& w = k.open(true);
        clickGridRow(w.GroupGrid, 5); // Pork
        QCOMPARE(program().CurrentGroup, qint16(14));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Pork Chops"));

        k.addRecipe(14, QStringLiteral("Pulled Pork")); // not seen until the group is loaded again
        clickGridRow(w.GroupGrid, 0);
        QCOMPARE(w.GroupGrid->row(), 5);
        QCOMPARE(program().CurrentGroup, qint16(14));
        clickGridRow(w.GroupGrid, 12);
        QCOMPARE(w.GroupGrid->row(), 5);
        QCOMPARE(w.Recipe_List->count(), 1); // nothing was reloaded

        clickGridRow(w.GroupGrid, 2, 1, Qt::RightButton);
        QCOMPARE(program().CurrentGroup, qint16(14));
        QCOMPARE(w.GroupGrid->row(), 5);

        // Under the last row, where a tall grid has no rows at all, a click chooses nothing either:
        // the recipe stepped to stays on the page.
        clickGridRow(w.GroupGrid, 5);
        w.Toolbar1Button(6)->trigger();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Pulled Pork"));
        w.resize(900, 900);
        QApplication::processEvents();
        QTableWidget* table = w.GroupGrid->table();
        const QRect last = table->visualRect(table->model()->index(w.GroupGrid->rows() - 1, 1));
        const QPoint below(last.center().x(), last.bottom() + 30);
        QVERIFY(table->viewport()->rect().contains(below));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Pulled Pork"));
        QCOMPARE(w.GroupGrid->row(), 5);
    }

    void keysInTheGroupGridChooseGroupsAsClicksDo()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Brisket"));
        k.addRecipe(1, QStringLiteral("Meatloaf"));
        k.addRecipe(5, QStringLiteral("Tuna Bake"));
        RecipeNew& w = k.open(true);
        QTableWidget* groups = w.GroupGrid->table();
        auto key = [&](Qt::Key pressed) { QTest::keyClick(groups, pressed); };

        w.GroupGrid->setFocus(); // as Tab brings a person there
        key(Qt::Key_Down);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Casseroles"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Tuna Bake"));
        QCOMPARE(w.focusWidget(), groups); // the keys go on moving through the groups
        key(Qt::Key_Down);
        QCOMPARE(program().CurrentGroup, qint16(7));
        QVERIFY(!w.Recipe_Name->isEnabled()); // an empty group
        key(Qt::Key_Up);
        key(Qt::Key_Up);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        QCOMPARE(program().RememberedGroupRow, quint16(1));

        // Up onto the heading chooses nothing; Enter on a group chooses it again, as a click does.
        key(Qt::Key_Up);
        QCOMPARE(w.GroupGrid->row(), 1);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        w.Toolbar1Button(6)->trigger();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Meatloaf"));
        w.GroupGrid->setFocus();
        key(Qt::Key_Return);
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Brisket"));

        // With typing on the page the person is asked first; Cancel keeps group and typing.
        ui::ScriptedDialogs script(failTest());
        w.Description->setFocus();
        QTest::keyClicks(w.Description, QStringLiteral("Slow"));
        w.GroupGrid->setFocus();
        script.expectMessage(QStringLiteral("Save changes to Brisket?"), ui::AnswerCancel);
        key(Qt::Key_Down);
        QVERIFY(script.allAnswered());
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        QCOMPARE(w.GroupGrid->row(), 1);
        QCOMPARE(w.Description->toPlainText(), QStringLiteral("Slow"));
    }

    void namesWithApostrophesAreFound()
    {
        Kitchen k;
        k.execute(QStringLiteral("update groups set groupname = ? where groupnum = 5"),
                  {QStringLiteral("Mom's Pies")});
        k.execute(QStringLiteral("update sections set sectionname = ? where section = 2"),
                  {QStringLiteral("Grandma's Baking")});
        k.execute(QStringLiteral("insert into groups (groupnum, groupname, section) values (21, ?, 2)"),
                  {QStringLiteral("A'Dough")});
        k.addRecipe(5, QStringLiteral("Joe's Chili"), 1, QStringLiteral("Smoky and slow."));
        RecipeNew& w = k.open(true);

        QCOMPARE(w.GroupGrid->textMatrix(3, 1), QStringLiteral("Mom's Pies"));
        clickGridRow(w.GroupGrid, 3);
        QCOMPARE(program().CurrentGroup, qint16(5));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Mom's Pies"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Joe's Chili"));
        QCOMPARE(w.Description->toPlainText(), QStringLiteral("Smoky and slow."));
        QCOMPARE(w.Toolbar2->buttonToolTip(1),
                 QStringLiteral("List for Mom's Pies with Recipes beginning with A"));

        QCOMPARE(w.SectionGrid->textMatrix(1, 1), QStringLiteral("Grandma's Baking"));
        clickGridRow(w.SectionGrid, 1);
        QCOMPARE(program().CurrentSection, quint8(2));
        QCOMPARE(w.GroupGrid->textMatrix(0, 1), QStringLiteral("Grandma's Baking\nRecipes"));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("A'Dough")); // the new section's first group
        QCOMPARE(program().CurrentGroup, qint16(21));
    }
};

QTEST_MAIN(TestSectionNavigation)
#include "tst_section_navigation.moc"
