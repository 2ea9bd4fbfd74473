// The main window's "Menu Planner" panel over the hidden planner: adding the shown recipe to a
// meal, the duplicate check, ingredients, the meal choice, opening the planner, picking the day
// from the popup, and a main window whose menus file cannot be used.
#include "PlannerWorld.h"
#include "planner/MenuDays.h"
#include "planner/MenuPlannerPanel.h"
#include "ui/PlainTextBox.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

using namespace pantrova;

namespace {

// Puts a recipe on the main window's page as if it were shown: name, number box, ingredients.
void showRecipe(RecipeNew& w, const QString& name, const QString& number = {},
                const QString& ingredients = {})
{
    w.Recipe_Name->setText(name);
    w.Text1->setText(number);
    w.Ingrediants->setPlainText(ingredients);
}

void add(PlannerWorld& world, RecipeNew& w)
{
    world.dialogs.expectMessage(QStringLiteral("Menu has been saved/updated"));
    QTest::mouseClick(w.MenuAddButton, Qt::LeftButton);
}

} // namespace

class TestMenuPanel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase() { registerCalendarControlUnder(m_home); }

    // The marker is what the duplicate check looks for: the name as shown, spaces and quotes kept.
    void markerNamesTheRecipeAndItsNumber()
    {
        QCOMPARE(MenuPlannerPanel::MenuEntryMarker(QString(), QString()), QStringLiteral("**  **"));
        QCOMPARE(MenuPlannerPanel::MenuEntryMarker(QStringLiteral("Mom's  Pie"), QStringLiteral("- 12")),
                 QStringLiteral("** Mom's  Pie -- 12 **"));
    }

    // Each meal's text grows by the shown recipe's marker, once per meal, with the ingredients if asked.
    void addingRecipesBuildsEachMealsText()
    {
        PlannerWorld world;
        RecipeNew& w = world.openMainWindow();
        MenuForm* planner = MealPlanner::Form();
        QVERIFY(planner);
        QVERIFY(!planner->isVisible());
        const QDate today = QDate::currentDate();
        QCOMPARE(w.MealDay->text(), QStringLiteral("Current day: ") + MenuDays::shortText(today));
        QVERIFY(w.WhichMeal[0]->isChecked());

        // No meal chosen: refused, nothing written.
        program().CurrentMeal = -1;
        showRecipe(w, QStringLiteral("Soup"));
        world.dialogs.expectMessage(
            QStringLiteral("There is no active menu. Open Menu Planner and select day."));
        QTest::mouseClick(w.MenuAddButton, Qt::LeftButton);
        QVERIFY(world.dialogs.allAnswered());
        QVERIFY(world.storedDays().isEmpty());
        QCOMPARE(planner->Breakfast->toPlainText(), QString());

        QTest::mouseClick(w.WhichMeal[1], Qt::LeftButton);
        QCOMPARE(program().CurrentMeal, 1);
        showRecipe(w, QStringLiteral("Chili"));
        add(world, w);
        QCOMPARE(planner->Lunch->toPlainText(), QStringLiteral("** Chili **"));
        QList<StoredDay> days = world.storedDays();
        QCOMPARE(days.size(), 1);
        QCOMPARE(days[0].day, today);
        QCOMPARE(days[0].dayName, MenuDays::englishWeekdayName(today));
        // Saving a new day keeps the meal the cook chose.
        QVERIFY(w.WhichMeal[1]->isChecked());
        QCOMPARE(program().CurrentMeal, 1);

        // Same name, another number: another recipe.
        showRecipe(w, QStringLiteral("Chili"), QStringLiteral("- 2"));
        add(world, w);
        const QString lunch = QStringLiteral("** Chili **\n** Chili -- 2 **");
        QCOMPARE(planner->Lunch->toPlainText(), lunch);
        days = world.storedDays();
        QCOMPARE(days.size(), 1);
        QCOMPARE(days[0].meals[1], lunch);
        QVERIFY(world.dialogs.allAnswered());

        // The same recipe twice for one meal is refused; for another meal it is another entry.
        w.WhichMeal[0]->click();
        showRecipe(w, QStringLiteral("Pancakes"));
        add(world, w);
        QCOMPARE(planner->Breakfast->toPlainText(), QStringLiteral("** Pancakes **"));
        world.dialogs.expectMessage(
            QStringLiteral("The selected recipe has already been added to selected meal"));
        QTest::mouseClick(w.MenuAddButton, Qt::LeftButton);
        QVERIFY(world.dialogs.allAnswered());
        QCOMPARE(planner->Breakfast->toPlainText(), QStringLiteral("** Pancakes **"));
        w.WhichMeal[2]->click();
        add(world, w);
        QCOMPARE(planner->Dinner->toPlainText(), QStringLiteral("** Pancakes **"));
        QCOMPARE(world.storedDays().value(0).meals,
                 QStringList(
                     {QStringLiteral("** Pancakes **"), lunch, QStringLiteral("** Pancakes **"), QString()}));

        // Ingredients follow the marker; a second recipe without them goes on the next line.
        w.WhichMeal[3]->click();
        w.IncludeIng->setChecked(true);
        showRecipe(w, QStringLiteral("Lemonade"), {},
                   QStringLiteral("4 lemons\n1 cup sugar\n\n6 cups water"));
        add(world, w);
        const QString expected = QStringLiteral("** Lemonade **\n4 lemons\n1 cup sugar\n\n6 cups water");
        QCOMPARE(planner->Other->toPlainText(), expected);
        QCOMPARE(world.storedDays().value(0).meals[3], expected);
        w.IncludeIng->setChecked(false);
        showRecipe(w, QStringLiteral("Cookies"), {}, QStringLiteral("flour"));
        add(world, w);
        QCOMPARE(planner->Other->toPlainText(), expected + QStringLiteral("\n** Cookies **"));
        QVERIFY(world.dialogs.allAnswered());
    }

    void unsavedTypingIsSavedWithTheEntry()
    {
        PlannerWorld world;
        RecipeNew& w = world.openMainWindow();
        MenuForm* planner = MealPlanner::Form();
        // The menu entry shows the planner modally, on today.
        world.dialogs.expectModal(QStringLiteral("MenuForm"), [](QWidget& form) {
            [&] {
                QCOMPARE(static_cast<MenuForm&>(form).Label3->text(),
                         MenuDays::headingText(QDate::currentDate()));
            }();
            return 0;
        });
        w.MenuMenu->trigger();
        QVERIFY(world.dialogs.allAnswered());

        // Typed in the planner shown by the button, never saved, the planner closed again.
        world.dialogs.expectModal(QStringLiteral("MenuForm"), [](QWidget& form) {
            auto& shown = static_cast<MenuForm&>(form);
            shown.Breakfast->setPlainText(QStringLiteral("Fresh fruit"));
            shown.ADelete->setChecked(true);
            QTest::mouseClick(shown.CloseButton, Qt::LeftButton);
            return 0;
        });
        QTest::mouseClick(w.OpenMenuButton, Qt::LeftButton);
        QVERIFY(!planner->isVisible());
        QVERIFY(world.storedDays().isEmpty());

        showRecipe(w, QStringLiteral("Granola"));
        add(world, w);
        const QList<StoredDay> days = world.storedDays();
        QCOMPARE(days.size(), 1);
        QCOMPARE(days[0].meals[0], QStringLiteral("Fresh fruit\n** Granola **"));
        QVERIFY(days[0].autodelete);
        QVERIFY(world.dialogs.allAnswered());
    }

    void showCalendarPicksTheDayWhileThePlannerIsHidden()
    {
        PlannerWorld world;
        RecipeNew& w = world.openMainWindow();
        MenuForm* planner = MealPlanner::Form();
        w.WhichMeal[2]->click();
        world.dialogs.expectModal(QStringLiteral("PopupCalendar"), [](QWidget& popup) {
            pickSomeDateIn(popup);
            return 1;
        });
        QTest::mouseClick(w.Show_Calendar, Qt::LeftButton);
        QVERIFY(world.dialogs.allAnswered());
        QVERIFY(!planner->isVisible());
        component::Variant start;
        planner->Cal->getProperty(QStringLiteral("StartDate"), start);
        const QDate picked = engine::fromAutomationDate(start.toDate()).date();
        QTRY_COMPARE(program().CurrentMenuDate, picked);
        QCOMPARE(w.MealDay->text(), QStringLiteral("Current day: ") + MenuDays::shortText(picked));
        QVERIFY(w.WhichMeal[0]->isChecked());
        QCOMPARE(program().CurrentMeal, 0);

        // The next recipe goes to the picked day.
        showRecipe(w, QStringLiteral("Roast"));
        add(world, w);
        QCOMPARE(world.storedDays().value(0).day, picked);
    }

    void unusableMenusFileLeavesTheMainWindowWorking()
    {
        PlannerWorld world;
        QFile file(world.menusFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray damaged("This file was a menus database once, but a bad disk ate it. ");
        file.write(damaged.repeated(80));
        file.close();

        world.dialogs.expectMessageContaining(QStringLiteral("Opening the meal planner failed"));
        RecipeNew& w = world.openMainWindow();
        QVERIFY(world.dialogs.allAnswered());
        QVERIFY(world.dialogs.messagesAsked().last().text.contains(QStringLiteral("menus.mdb"),
                                                                   Qt::CaseInsensitive));
        QVERIFY(!MealPlanner::Form());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("Pantrova - ")));
        QVERIFY(program().Cookbook.isOpen());

        // Each command says again why it cannot work; nothing is written anywhere.
        showRecipe(w, QStringLiteral("Chili"));
        world.dialogs.expectMessageContaining(QStringLiteral("Opening the meal planner failed"));
        QTest::mouseClick(w.MenuAddButton, Qt::LeftButton);
        world.dialogs.expectMessageContaining(QStringLiteral("Opening the meal planner failed"));
        QTest::mouseClick(w.OpenMenuButton, Qt::LeftButton);
        world.dialogs.expectMessageContaining(QStringLiteral("Opening the meal planner failed"));
        QTest::mouseClick(w.Show_Calendar, Qt::LeftButton);
        QVERIFY(world.dialogs.allAnswered());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), damaged.repeated(80));
        file.close();

        // A menus file put right is picked up by the next command, with the cook's meal choice.
        QVERIFY(QFile::remove(world.menusFile()));
        world.world.copyShipped(QStringLiteral("MenusE.mdb"), QStringLiteral("Menus.mdb"));
        w.WhichMeal[1]->click();
        add(world, w);
        QVERIFY(MealPlanner::Form());
        QCOMPARE(world.storedDays().value(0).meals[1], QStringLiteral("** Chili **"));
        QVERIFY(world.dialogs.allAnswered());
    }
};

int runMenuPanelTests(int argc, char** argv)
{
    TestMenuPanel t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_menupanel.moc"
