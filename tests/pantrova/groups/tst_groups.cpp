// Adding, renaming and deleting recipe groups, renaming sections and moving the displayed recipe,
// driven through the main window's menu entries and the dialogs they open.
#include "TestWorld.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "groups/GroupCommands.h"
#include "groups/GroupStore.h"
#include "groups/MoverecipeForm.h"
#include "groups/NameForm.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/FlexGrid.h"
#include "ui/PlainTextBox.h"
#include "ui/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace pantrova;
using ui::ScriptedDialogs;

namespace {

ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

const QString kNameExists = QStringLiteral("Name exists");
const QString kAddForm = QStringLiteral("AddGroupNameForm");
const QString kMoveForm = QStringLiteral("MoverecipeForm");

// Marks the test failed from inside a dialog's script, which answers with a number.
int failed(const char* why)
{
    QTest::qFail(why, __FILE__, __LINE__);
    return -1;
}

// Types into the name dialog and presses Enter, as the cook does; returns the dialog's result.
// With `expectClosed` false the name is expected to be refused, and the dialog is then left with
// Escape.
ScriptedDialogs::ModalAction typeAndApply(const QString& name, bool expectClosed = true)
{
    return [name, expectClosed](QWidget& window) {
        auto& form = dynamic_cast<NameForm&>(window);
        form.show();
        QTest::keyClicks(form.Text1, name);
        QTest::keyClick(form.Text1, Qt::Key_Return);
        if (expectClosed)
            return form.isVisible() ? failed("the dialog stayed open") : form.result();
        if (!form.isVisible() || !form.Text1->text().isEmpty())
            return failed("the dialog closed, or kept the refused name");
        QTest::keyClick(form.Text1, Qt::Key_Escape);
        return form.result();
    };
}

ScriptedDialogs::ModalAction escape()
{
    return [](QWidget& window) {
        window.show();
        QTest::keyClick(&window, Qt::Key_Escape);
        return dynamic_cast<QDialog&>(window).result();
    };
}

// Picks a section (when given) and a group in the move dialog, as chosen from the lists, and
// presses Move; with `thenCancel` the dialog is expected to stay open after Move and is cancelled.
ScriptedDialogs::ModalAction moveTo(const QString& section, const QString& group, bool thenCancel = false)
{
    return [=](QWidget& window) {
        auto& form = dynamic_cast<MoverecipeForm&>(window);
        if (!section.isEmpty()) {
            form.SectionCombo->setCurrentIndex(form.SectionCombo->findText(section));
            emit form.SectionCombo->activated(form.SectionCombo->currentIndex());
        }
        if (!group.isEmpty()) {
            form.GroupCombo->setCurrentIndex(form.GroupCombo->findText(group));
            emit form.GroupCombo->activated(form.GroupCombo->currentIndex());
        }
        form.MoveButton->click();
        if (thenCancel)
            form.CancelButton->click();
        return form.result();
    };
}

// A started program in a temporary folder with its main window loaded on section 1 and the
// group commands attached, as the program attaches them.
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
        program().mainWindowCreated.push_back(
            [](QWidget* window) { GroupCommands::attach(*static_cast<RecipeNew*>(window)); });
    }
    ~Kitchen() { program().reset(); }

    RecipeNew& open()
    {
        w = new RecipeNew;
        program().mainWindow = w;
        w->Form_Load();
        return *w;
    }

    engine::Database& db() { return program().Cookbook; }
    // Changes the cookbook file behind the window's back.
    void execute(const QString& sql, const QList<engine::Value>& params = {})
    {
        engine::Workspace ws;
        engine::Database file = ws.OpenDatabase(QStringLiteral("Recipe20.mdb"));
        file.Execute(sql, params);
        file.Close();
    }
    void script(const QString& sql)
    {
        engine::Workspace ws;
        engine::Database file = ws.OpenDatabase(QStringLiteral("Recipe20.mdb"));
        file.ExecuteScript(sql);
        file.Close();
    }
    void addRecipe(int group, const QString& name, int number = 1)
    {
        execute(QStringLiteral(
                    "insert into recipes (Name, category_code, groupnum, Picture) values (?, ?, ?, '')"),
                {name, number, group});
    }
    int count(const QString& sql, const QList<engine::Value>& params = {})
    {
        return db().OpenRecordset(sql, params).RecordCount();
    }
    qint64 number(const QString& sql, const QList<engine::Value>& params, const QString& field)
    {
        engine::Recordset rs = db().OpenRecordset(sql, params);
        return rs.RecordCount() > 0 ? (rs.MoveFirst(), rs.Fields(field).toLong()) : -1;
    }
    qint64 groupnum(const QString& name, int section)
    {
        return number(QStringLiteral("select * from groups where groupname = ? and section = ?"),
                      {name, section}, QStringLiteral("groupnum"));
    }
    qint64 codeOf(const QString& name, int group)
    {
        return number(QStringLiteral("select * from recipes where name = ? and groupnum = ?"), {name, group},
                      QStringLiteral("category_code"));
    }

    // Expects the name dialog `form` to refuse `name` as taken.
    void expectRefused(const QString& form, const QString& name)
    {
        dialogs.expectModal(form, typeAndApply(name, false)).expectMessage(kNameExists);
    }
    QStringList groupRows() const
    {
        QStringList names;
        for (int r = 1; r < w->GroupGrid->rows(); ++r)
            if (!w->GroupGrid->textMatrix(r, 1).isEmpty())
                names << w->GroupGrid->textMatrix(r, 1);
        return names;
    }
    QString heading() const { return w->GroupGrid->textMatrix(0, 1); }
    // Makes the group current as a left click on its row does.
    void chooseGroup(const QString& name)
    {
        const int row = int(groupRows().indexOf(name)) + 1;
        QVERIFY2(row > 0, qPrintable(name));
        w->GroupGrid->setRow(row);
        qint16 left = 1;
        w->SelectGroup(left);
    }
    void chooseSection(const QString& name)
    {
        for (int r = 1; r <= 3; ++r)
            if (w->SectionGrid->textMatrix(r, 1) == name) {
                w->SectionGrid->setRow(r);
                w->SectionGrid_Click();
                return;
            }
        QFAIL(qPrintable(QStringLiteral("no section row ") + name));
    }
};

} // namespace

class TestGroups : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { program().reset(); }

    // ---- Adding groups ------------------------------------------------------------------------

    void addedNamesAreTrimmedCutAndUniqueInTheirSection()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        k.dialogs.expectModal(kAddForm, typeAndApply(QStringLiteral("  Brunch  ")))
            .expectModal(kAddForm,
                         typeAndApply(QStringLiteral("Slow Cooker Sunday Dinner"))); // 25 characters
        // Equal in its first 20 characters, and in another letter case: taken.
        k.expectRefused(kAddForm, QStringLiteral("SLOW COOKER SUNDAY DINNERS"));
        for (int i = 0; i < 3; ++i)
            w.AddGroupMenu->trigger();
        QVERIFY(k.dialogs.allAnswered());

        QVERIFY(k.groupnum(QStringLiteral("Brunch"), 1) > 0);
        QVERIFY(k.groupnum(QStringLiteral("Slow Cooker Sunday D"), 1) > 0);
        QCOMPARE(k.count(QStringLiteral("select * from groups where section = 1")), 9);
        // The section is shown again with its first group by name current, not the one just added.
        QCOMPARE(k.groupRows(), (QStringList{"Beef", "Brunch", "Casseroles", "Fish & Seafood", "Other Meats",
                                             "Pork", "Poultry", "Slow Cooker Sunday D", "Stews"}));
        QCOMPARE(program().CurrentGroup, qint16(k.groupnum(QStringLiteral("Beef"), 1)));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        QCOMPARE(w.GroupGrid->row(), 1);
    }

    void blanksOrCancelAddNothingAndOddNamesAreStoredAndFoundAgain()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        k.dialogs.expectModal(kAddForm, [](QWidget& window) {
            auto& form = dynamic_cast<NameForm&>(window);
            form.show();
            QTest::keyClicks(form.Text1, QStringLiteral("   "));
            form.ApplyButton->click(); // nothing but blanks: the dialog waits for a name
            if (!form.isVisible())
                return -1;
            form.CancelButton->click();
            return form.result();
        });
        k.dialogs.expectModal(kAddForm, escape());
        w.AddGroupMenu->trigger();
        w.AddGroupMenu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.count(QStringLiteral("select * from groups")), 17);

        // Quotes and characters SQL gives a meaning to.
        const QString odd = QStringLiteral("Mom's [Best]; 100%");
        k.dialogs.expectModal(kAddForm, typeAndApply(odd));
        k.expectRefused(kAddForm, QStringLiteral("mom's [best]; 100%"));
        // A name used in another section is free in this one.
        k.dialogs.expectModal(kAddForm, typeAndApply(QStringLiteral("Breads")));
        for (int i = 0; i < 3; ++i)
            w.AddGroupMenu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.count(QStringLiteral("select * from groups")), 19);
        QCOMPARE(k.count(QStringLiteral("select * from groups where groupname = 'Breads'")), 2);

        k.chooseGroup(odd);
        QCOMPARE(w.CurrentGroupName, odd);
        QCOMPARE(program().CurrentGroup, qint16(k.groupnum(odd, 1)));
    }

    void newGroupNumbersFollowTheHighestInTheCookbookUntilNoneIsLeft()
    {
        Kitchen k;
        k.execute(QStringLiteral("update groups set groupnum = 57 where groupname = 'Miscellaneous'"));
        RecipeNew& w = k.open();
        k.dialogs.expectModal(kAddForm, typeAndApply(QStringLiteral("Brunch")));
        w.AddGroupMenu->trigger();
        QCOMPARE(k.groupnum(QStringLiteral("Brunch"), 1), 58);

        // At the top of the range, the lowest number nothing uses: 10 is held by a stray recipe.
        k.execute(QStringLiteral("update groups set groupnum = 32767 where groupname = 'Brunch'"));
        k.addRecipe(10, QStringLiteral("Stray"));
        k.dialogs.expectModal(kAddForm, typeAndApply(QStringLiteral("Tapas")));
        w.AddGroupMenu->trigger();
        QCOMPARE(k.groupnum(QStringLiteral("Tapas"), 1), 11);

        // Every number taken: the group is refused rather than given a number in use.
        k.script(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32767) "
                           "INSERT INTO groups (groupnum, groupname, section) SELECT i, 'G' || i, 4 FROM n "
                           "WHERE i NOT IN (SELECT groupnum FROM groups) AND i NOT IN (SELECT groupnum "
                           "FROM recipes);"));
        k.dialogs.expectModal(kAddForm, typeAndApply(QStringLiteral("Meze")))
            .expectMessageContaining(QStringLiteral("Every group number of this cookbook is in use."));
        w.AddGroupMenu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.groupnum(QStringLiteral("Meze"), 1), -1);
    }

    // ---- Renaming and deleting groups ---------------------------------------------------------

    void renamingAGroupShowsTheSectionWithItsFirstGroup()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        // On the heading row the group commands do nothing: no dialog, no question.
        k.chooseGroup(QStringLiteral("Pork"));
        w.GroupGrid->setRow(0);
        w.Change_Personal_Menu->trigger();
        w.DeleteGroupMenu->trigger();
        w.Move_Menu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.count(QStringLiteral("select * from groups")), 17);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Pork"));

        const qint64 casseroles = k.groupnum(QStringLiteral("Casseroles"), 1);
        k.chooseGroup(QStringLiteral("Casseroles"));
        k.dialogs.expectModal(QStringLiteral("ChangeGroupNameForm"), [](QWidget& window) {
            if (dynamic_cast<ChangeGroupNameForm&>(window).Label2->text() != QStringLiteral("Casseroles"))
                return -1;
            return typeAndApply(QStringLiteral("  Zesty Bakes and Casseroles  "))(window);
        });
        w.Change_Personal_Menu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.groupnum(QStringLiteral("Zesty Bakes and Cass"), 1), casseroles);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        QCOMPARE(k.groupRows().last(), QStringLiteral("Zesty Bakes and Cass"));

        // Its present name, or a name another group of the section has, is taken.
        k.expectRefused(QStringLiteral("ChangeGroupNameForm"), QStringLiteral("pork"));
        k.expectRefused(QStringLiteral("ChangeGroupNameForm"), QStringLiteral("Beef"));
        for (int i = 0; i < 2; ++i) {
            k.chooseGroup(QStringLiteral("Pork"));
            w.Change_Personal_Menu->trigger();
        }
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.count(QStringLiteral("select * from groups where groupname = 'Pork'")), 1);
    }

    void deletingAGroupChecksItFirst()
    {
        Kitchen k;
        k.addRecipe(15, QStringLiteral("Roast Chicken"));
        RecipeNew& w = k.open();
        const QString question =
            QStringLiteral("This will delete the current GROUP\nDo you wish to continue???");

        k.chooseGroup(QStringLiteral("Pork"));
        k.dialogs.expectMessage(question, ui::AnswerNo);
        w.DeleteGroupMenu->trigger();
        QCOMPARE(k.count(QStringLiteral("select * from groups")), 17);

        k.chooseGroup(QStringLiteral("Poultry"));
        k.dialogs.expectMessage(question, ui::AnswerYes)
            .expectMessage(
                QStringLiteral("The recipe group: Poultry  contains recipes.\nThe recipe group may not be "
                               "deleted until all recipes\nhave been moved or deleted."));
        w.DeleteGroupMenu->trigger();
        QCOMPARE(k.count(QStringLiteral("select * from groups")), 17);
        QCOMPARE(k.dialogs.messagesAsked().last().icon, ui::MsgIcon::Information);

        k.chooseSection(QStringLiteral("Odds & Ends"));
        k.dialogs.expectMessage(question, ui::AnswerYes)
            .expectMessage(
                QStringLiteral("This is last group in this section.\nThe recipe group may not be deleted."));
        w.DeleteGroupMenu->trigger();
        QCOMPARE(k.count(QStringLiteral("select * from groups")), 17);

        k.chooseSection(QStringLiteral("Main Dishes"));
        k.chooseGroup(QStringLiteral("Pork"));
        k.dialogs.expectMessage(question, ui::AnswerYes);
        w.DeleteGroupMenu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.groupnum(QStringLiteral("Pork"), 1), -1);
        QVERIFY(!k.groupRows().contains(QStringLiteral("Pork")));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
    }

    // ---- Renaming the section -----------------------------------------------------------------

    void renamingTheSectionRewritesItsHeadingAndKeepsTheGroup()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        k.chooseGroup(QStringLiteral("Pork"));
        const int porkRow = w.GroupGrid->row();
        const QString form = QStringLiteral("ChangeSectionNameForm");

        k.dialogs.expectModal(form, escape());
        w.ChangeSectionNameMenu->trigger();
        QCOMPARE(k.heading(), QStringLiteral("Main Dishes\nRecipes"));
        QCOMPARE(w.GroupGrid->row(), porkRow);

        // Another section's name, in any letter case, is taken; so is its own.
        k.expectRefused(form, QStringLiteral("soups & sides"));
        k.expectRefused(form, QStringLiteral("Main Dishes"));
        k.dialogs.expectModal(form, [](QWidget& window) {
            if (dynamic_cast<ChangeSectionNameForm&>(window).Label2->text() != QStringLiteral("Main Dishes"))
                return -1;
            return typeAndApply(QStringLiteral("   Grandma's Weeknight Suppers  "))(window);
        });
        for (int i = 0; i < 3; ++i)
            w.ChangeSectionNameMenu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        const QString stored = QStringLiteral("Grandma's Weeknight ");
        QCOMPARE(GroupStore::sectionName(k.db(), 1), stored);
        QCOMPARE(k.heading(), stored + QStringLiteral("\nRecipes"));
        QCOMPARE(w.GroupGrid->row(), porkRow);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Pork"));

        // The section grid finds the new name from another section.
        k.chooseSection(QStringLiteral("Soups & Sides"));
        k.chooseSection(stored);
        QCOMPARE(program().CurrentSection, quint8(1));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
    }

    // ---- Moving the displayed recipe -----------------------------------------------------------

    void aMovedRecipeIsNumberedInItsNewGroupAndShownThere()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Stew"));
        k.addRecipe(1, QStringLiteral("Stew"), 2);
        k.addRecipe(17, QStringLiteral("Stew"));
        k.addRecipe(17, QStringLiteral("stew"), 2);
        k.addRecipe(17, QStringLiteral("Tomato Soup"));
        RecipeNew& w = k.open();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Stew"));

        // Stew 1 into Soups (another section), which holds Stew 1 and 2: it becomes Stew 3.
        k.dialogs.expectModal(kMoveForm, [&](QWidget& window) {
            auto& form = dynamic_cast<MoverecipeForm&>(window);
            if (form.RecipeNameLabel[0]->text() != QStringLiteral("Move  'Stew") ||
                form.RecipeNameLabel[1]->text() != QStringLiteral("from Section: Main Dishes") ||
                form.RecipeNameLabel[2]->text() != QStringLiteral("           Group: Beef") ||
                form.SectionCombo->currentText() != QStringLiteral("Main Dishes") ||
                form.GroupCombo->count() != 7 || !form.GroupCombo->currentText().isEmpty())
                return -1;
            // Chosen with the keyboard: the section, then the group, then Enter.
            form.show();
            form.SectionCombo->setFocus();
            QTest::keyClick(form.SectionCombo, Qt::Key_Down); // Odds & Ends
            QTest::keyClick(form.SectionCombo, Qt::Key_Down); // Soups & Sides
            if (program().TargetSection != 3 || form.GroupCombo->count() != 3)
                return -2;
            form.GroupCombo->setFocus();
            QTest::keyClick(form.GroupCombo, Qt::Key_Down); // Salads
            QTest::keyClick(form.GroupCombo, Qt::Key_Down); // Soups
            QTest::keyClick(form.GroupCombo, Qt::Key_Return);
            return form.result();
        });
        w.Move_Menu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.count(QStringLiteral("select * from recipes where groupnum = 1")), 1);
        QCOMPARE(k.count(QStringLiteral("select * from recipes where groupnum = 17 and name = 'stew'")), 3);
        QCOMPARE(k.number(QStringLiteral("select max(category_code) as n from recipes where groupnum = 17"),
                          {}, QStringLiteral("n")),
                 3);

        // The window followed: section 3, Soups selected, the moved recipe shown.
        QCOMPARE(program().CurrentSection, quint8(3));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Soups"));
        QCOMPARE(w.GroupGrid->textMatrix(w.GroupGrid->row(), 1), QStringLiteral("Soups"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Stew"));
        QCOMPARE(w.Text1->text(), QStringLiteral("- 3"));
        QVERIFY(w.Recipe_List->findText(QStringLiteral("Stew - 3")) >= 0);
        QCOMPARE(program().MovedRecipeCode, -1);

        // Stew 3 into Beef, now holding only Stew 2: number 1 is free again.
        k.dialogs.expectModal(kMoveForm, moveTo(QStringLiteral("Main Dishes"), QStringLiteral("Beef")));
        w.Move_Menu->trigger();
        QCOMPARE(k.count(QStringLiteral("select * from recipes where groupnum = 1 and name = 'Stew' and "
                                        "category_code = 1")),
                 1);
        QCOMPARE(program().CurrentSection, quint8(1));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        QCOMPARE(w.Text1->text(), QString());
        QCOMPARE(w.RecipeSet.Fields(QStringLiteral("category_code")).toLong(), 1);

        // Within the section: Stew 2 from Beef into Stews, which has no Stew, becomes Stew 1 there.
        k.dialogs.expectModal(kMoveForm, moveTo({}, QStringLiteral("Stews")));
        w.FindRecipe(2, QStringLiteral("Stew"));
        w.ShowCurrentRecipe();
        w.Move_Menu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.codeOf(QStringLiteral("Stew"), 18), 1);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Stews"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Stew"));
        QCOMPARE(w.Text1->text(), QString());
    }

    void cancellingOrNotChoosingAGroupMovesNothing()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Chili"));
        k.addRecipe(14, QStringLiteral("Pulled Pork"));
        RecipeNew& w = k.open();
        // A move earlier in the run leaves its target behind.
        program().TargetSection = 2;
        program().TargetGroup = 3;

        k.dialogs.expectModal(kMoveForm, escape())
            .expectModal(kMoveForm, moveTo(QStringLiteral("Baking & Desserts"), {})) // a section only
            .expectModal(kMoveForm, moveTo({}, QStringLiteral("Beef")));             // its own group
        for (int i = 0; i < 3; ++i) {
            w.Move_Menu->trigger();
            QCOMPARE(program().TargetSection, quint8(1));
            QCOMPARE(program().TargetGroup, qint16(1));
            QCOMPARE(k.codeOf(QStringLiteral("Chili"), 1), 1);
            QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
            QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Chili"));
        }
        QVERIFY(k.dialogs.allAnswered());

        // An empty group offers nothing to move.
        k.chooseGroup(QStringLiteral("Stews"));
        w.Move_Menu->trigger();
        // Nor does the window when the cook keeps unsaved changes.
        k.chooseGroup(QStringLiteral("Pork"));
        QTest::keyClicks(w.Description, QStringLiteral("Slow"));
        k.dialogs.expectMessage(QStringLiteral("Save changes to Pulled Pork?"), ui::AnswerCancel)
            .expectMessage(QStringLiteral("Save changes to Pulled Pork?"), ui::AnswerCancel);
        w.Move_Menu->trigger();
        w.AddGroupMenu->trigger();
        QVERIFY(k.dialogs.allAnswered());
    }

    void aFailedMoveLeavesTheRecipeWhereItWasAndApostrophesAreNoObstacle()
    {
        Kitchen k;
        k.execute(QStringLiteral("update sections set sectionname = 'Nana''s Kitchen' where section = 2"));
        k.execute(QStringLiteral("update groups set groupname = 'Aunt Jo''s Pies' where groupnum = 13"));
        k.addRecipe(1, QStringLiteral("Chili"));
        k.addRecipe(17, QStringLiteral("Chili"));
        k.script(QStringLiteral("CREATE TRIGGER full BEFORE UPDATE ON recipes "
                                "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;"));
        RecipeNew& w = k.open();
        // Move fails: the dialog stays for another try or Cancel.
        k.dialogs.expectModal(kMoveForm,
                              moveTo(QStringLiteral("Soups & Sides"), QStringLiteral("Soups"), true));
        k.dialogs.expectMessageContaining(QStringLiteral("database or disk is full"));
        w.Move_Menu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.codeOf(QStringLiteral("Chili"), 1), 1);
        QCOMPARE(k.count(QStringLiteral("select * from recipes where groupnum = 17")), 1);
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Beef"));
        QVERIFY(!w.RecipeSet.isEditing());
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Chili"));

        // The disk has room again; the target names hold apostrophes.
        k.script(QStringLiteral("DROP TRIGGER full;"));
        k.dialogs.expectModal(kMoveForm,
                              moveTo(QStringLiteral("Nana's Kitchen"), QStringLiteral("Aunt Jo's Pies")));
        w.Move_Menu->trigger();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.codeOf(QStringLiteral("Chili"), 13), 1);
        QCOMPARE(program().CurrentSection, quint8(2));
        QCOMPARE(w.CurrentGroupName, QStringLiteral("Aunt Jo's Pies"));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Chili"));
    }
};

QTEST_MAIN(TestGroups)
#include "tst_groups.moc"
