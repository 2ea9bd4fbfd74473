// The meal planner window with the real calendar control: showing, saving and deleting a day's
// menu, the purge of past menus, closing, the full-year popup, bold days, and what a damaged or
// unwritable menus file does.
#include "PlannerWorld.h"
#include "component/SafeArray.h"
#include "planner/MenuDays.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace pantrova;
using component::Variant;

namespace {

double automation(QDate day)
{
    return engine::toAutomationDate(day);
}

double propertyDate(MenuForm& form, const char* name)
{
    Variant v;
    form.Cal->getProperty(QString::fromLatin1(name), v);
    return v.toDate();
}

} // namespace

class TestMenuForm : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase() { registerCalendarControlUnder(m_home); }

    void emptyDayShowsEmptyBoxesAndCommands()
    {
        PlannerWorld w;
        MenuForm& form = w.loadPlanner();
        const QDate today = QDate::currentDate();
        QCOMPARE(program().CurrentMenuDate, today);
        QVERIFY(!form.isVisible());
        QCOMPARE(propertyDate(form, "dDate"), automation(today));
        for (int meal = 0; meal < 4; ++meal)
            QCOMPARE(form.mealBox(meal)->toPlainText(), QString());
        QVERIFY(!form.ADelete->isChecked());
        QVERIFY(!form.DeleteButton->isEnabled());
        QVERIFY(form.SaveButton->isEnabled() && form.PrintButton[0]->isEnabled() &&
                form.PrintButton[1]->isEnabled());

        // The print buttons are there for menu printing and ask nothing yet.
        QTest::mouseClick(form.PrintButton[0], Qt::LeftButton);
        QTest::mouseClick(form.PrintButton[1], Qt::LeftButton);
        QVERIFY(w.dialogs.allAnswered());

        // The control as the window was designed: day states (for bold days), one selected day, a
        // whole year in the popup.
        QVERIFY(form.Cal->isCreated());
        auto number = [&](const char* name) {
            Variant v;
            Variant n;
            form.Cal->getProperty(QString::fromLatin1(name), v);
            v.changeType(component::VT_I4, n);
            return n.toI4();
        };
        QCOMPARE(number("MonthCalStyle"), 9); // multi-select with day states
        QCOMPARE(number("MaxSelCount"), 1);
        QCOMPARE(number("PopupMonths"), 12);
    }

    void savingEmptyBoxesWritesNothingAndKeepsTheStoredMenu()
    {
        PlannerWorld w;
        const QDate day(2030, 6, 14);
        w.seed(day, {QStringLiteral("Eggs"), QString(), QString(), QString()});
        MenuForm& form = w.loadPlanner();

        // A day without a menu: nothing is written and nothing is said.
        form.SaveMenu();
        QCOMPARE(w.storedDays().size(), 1);

        showDay(form, day);
        QCOMPARE(form.Breakfast->toPlainText(), QStringLiteral("Eggs"));
        form.Breakfast->clear();
        QTest::mouseClick(form.SaveButton, Qt::LeftButton);
        const QList<StoredDay> days = w.storedDays();
        QCOMPARE(days.size(), 1);
        QCOMPARE(days[0].meals[0], QStringLiteral("Eggs"));
        QVERIFY(w.dialogs.allAnswered());
    }

    void newDaySavedThenEditedStaysOneRecord()
    {
        PlannerWorld w;
        MenuForm& form = w.loadPlanner();
        const QDate day(2030, 3, 5); // a Tuesday
        showDay(form, day);

        form.Lunch->setPlainText(QStringLiteral("Tomato soup\nBread"));
        form.ADelete->setChecked(true);
        w.dialogs.expectMessage(QStringLiteral("Menu has been saved/updated"));
        QTest::mouseClick(form.SaveButton, Qt::LeftButton);
        QVERIFY(w.dialogs.allAnswered());
        QVERIFY(form.DeleteButton->isEnabled());
        QVERIFY(form.MenuBookmark);

        QList<StoredDay> days = w.storedDays();
        QCOMPARE(days.size(), 1);
        QCOMPARE(days[0].day, day);
        QCOMPARE(days[0].rawDay, automation(day)); // the day alone, no time of day
        QCOMPARE(days[0].meals,
                 QStringList({QString(), QStringLiteral("Tomato soup\nBread"), QString(), QString()}));
        QCOMPARE(days[0].dayName, QStringLiteral("Tuesday"));
        QVERIFY(days[0].autodelete);

        form.Dinner->setPlainText(QStringLiteral("Pie"));
        form.ADelete->setChecked(false);
        w.dialogs.expectMessage(QStringLiteral("Menu has been saved/updated"));
        form.SaveMenu();
        days = w.storedDays();
        QCOMPARE(days.size(), 1);
        QCOMPARE(days[0].meals[2], QStringLiteral("Pie"));
        QVERIFY(!days[0].autodelete);

        // Shown again after another day, the stored menu comes back as saved.
        showDay(form, day.addDays(1));
        QCOMPARE(form.Lunch->toPlainText(), QString());
        showDay(form, day);
        QCOMPARE(form.Lunch->toPlainText(), QStringLiteral("Tomato soup\nBread"));
        QCOMPARE(form.Dinner->toPlainText(), QStringLiteral("Pie"));
        QVERIFY(!form.ADelete->isChecked());
        QVERIFY(w.dialogs.allAnswered());
    }

    void deleteRemovesTheDayWithoutAsking()
    {
        PlannerWorld w;
        const QDate day(2031, 1, 2);
        w.seed(day, {QStringLiteral("Toast"), QStringLiteral("Salad"), QString(), QString()}, true);
        w.seed(day.addDays(1), {QStringLiteral("Kept"), QString(), QString(), QString()});
        MenuForm& form = w.loadPlanner();
        showDay(form, day);
        QVERIFY(form.ADelete->isChecked());
        QVERIFY(form.DeleteButton->isEnabled());

        QTest::mouseClick(form.DeleteButton, Qt::LeftButton);
        QVERIFY(w.dialogs.allAnswered()); // no question asked
        for (int meal = 0; meal < 4; ++meal)
            QCOMPARE(form.mealBox(meal)->toPlainText(), QString());
        QVERIFY(!form.DeleteButton->isEnabled());
        QVERIFY(!form.ADelete->isChecked());
        const QList<StoredDay> days = w.storedDays();
        QCOMPARE(days.size(), 1);
        QCOMPARE(days[0].meals[0], QStringLiteral("Kept"));

        // Nothing stored: nothing happens.
        form.DeleteMenu();
        QCOMPARE(w.storedDays().size(), 1);
    }

    void loadPurgesPastMenusMarkedForIt()
    {
        PlannerWorld w;
        const QDate today = QDate::currentDate();
        w.seed(today.addDays(-1), {QStringLiteral("yesterday, marked")}, true);
        w.seed(today.addDays(-400), {QStringLiteral("long ago, marked")}, true);
        w.seed(today.addDays(-2), {QStringLiteral("two days ago, kept")}, false);
        w.seed(today, {QStringLiteral("today, marked")}, true);
        w.seed(today.addDays(1), {QStringLiteral("tomorrow, marked")}, true);
        MenuForm& form = w.loadPlanner();

        QStringList left;
        for (const StoredDay& d : w.storedDays())
            left << d.meals[0];
        QCOMPARE(left, QStringList({QStringLiteral("two days ago, kept"), QStringLiteral("today, marked"),
                                    QStringLiteral("tomorrow, marked")}));
        // Today's menu is on show, with its record remembered for a later delete.
        QCOMPARE(form.Breakfast->toPlainText(), QStringLiteral("today, marked"));
        QVERIFY(form.DeleteButton->isEnabled());
        showDay(form, today.addDays(-2));
        QCOMPARE(form.Breakfast->toPlainText(), QStringLiteral("two days ago, kept"));
    }

    void weekdayIsEnglishWhateverTheLanguage()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        {
            PlannerWorld w;
            MenuForm& form = w.loadPlanner();
            const QDate day(2001, 3, 5);
            showDay(form, day);
            QCOMPARE(form.Label3->text(), QStringLiteral("März 05, 2001"));
            QCOMPARE(form.Label2->text(), QStringLiteral("Monday"));
            form.Other->setPlainText(QStringLiteral("Kuchen"));
            w.dialogs.expectMessage(QStringLiteral("Menu has been saved/updated"));
            form.SaveMenu();
            QCOMPARE(w.storedDays().value(0).dayName, QStringLiteral("Monday"));
            QCOMPARE(MenuDays::weekdayNumber(day), 2);
            QCOMPARE(MenuDays::weekdayNumber(QDate(2001, 3, 4)), 1);
            QCOMPARE(MenuDays::englishWeekdayName(QDate(2001, 3, 10)), QStringLiteral("Saturday"));
        }
        QLocale::setDefault(previous);
    }

    void movingInTheCalendarShowsThatDay()
    {
        PlannerWorld w;
        const QDate today = QDate::currentDate();
        w.seed(today.addDays(1), {QString(), QStringLiteral("Tomorrow's lunch")});
        MenuForm& form = w.loadPlanner();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* calendar = monthCalendarIn(form.Cal->controlWindow());
        QVERIFY(calendar);
        program().CurrentMeal = 2;

        QTest::keyClick(calendar, Qt::Key_Right);
        QTRY_COMPARE(program().CurrentMenuDate, today.addDays(1));
        QCOMPARE(form.Lunch->toPlainText(), QStringLiteral("Tomorrow's lunch"));
        QCOMPARE(form.Label3->text(), MenuDays::headingText(today.addDays(1)));
        QVERIFY(form.DeleteButton->isEnabled());
        QCOMPARE(program().CurrentMeal, 0); // a new day starts at Breakfast
    }

    // Closing only hides the planner while the main window is up. Unloading, as compaction does to
    // work on the closed file, and loading again are safe to repeat and keep what was saved.
    void closingHidesAndUnloadingIsSafeToRepeat()
    {
        PlannerWorld w;
        MenuForm& form = w.loadPlanner();
        MealPlanner::Load();
        QCOMPARE(MealPlanner::Form(), &form);
        const QDate day(2029, 9, 9);
        showDay(form, day);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!form.close()); // the title bar's close
        QVERIFY(!form.isVisible());
        QCOMPARE(MealPlanner::Form(), &form);
        QCOMPARE(program().CurrentMenuDate, day);
        form.show();
        QTest::mouseClick(form.CloseButton, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(MealPlanner::Form(), &form);

        showDay(form, QDate(2020, 2, 2));
        form.Breakfast->setPlainText(QStringLiteral("Waffles"));
        w.dialogs.expectMessage(QStringLiteral("Menu has been saved/updated"));
        form.SaveMenu();
        program().MainWindowActive = false;
        MealPlanner::Unload();
        MealPlanner::Unload();
        QVERIFY(!MealPlanner::Form());
        program().MainWindowActive = true;
        QVERIFY(QFile::rename(w.menusFile(), w.menusFile() + QStringLiteral(".moved")));
        QVERIFY(QFile::rename(w.menusFile() + QStringLiteral(".moved"), w.menusFile()));
        QVERIFY(!QFile::exists(w.menusFile() + QStringLiteral("-wal")));

        MealPlanner::Load();
        MenuForm* again = MealPlanner::Form();
        QVERIFY(again);
        QCOMPARE(program().CurrentMenuDate, QDate::currentDate()); // back on today
        QVERIFY(again->Cal->isCreated());
        showDay(*again, QDate(2020, 2, 2));
        QCOMPARE(again->Breakfast->toPlainText(), QStringLiteral("Waffles"));
        QVERIFY(w.dialogs.allAnswered());

        // Once the main window is going, closing unloads the planner.
        program().MainWindowActive = false;
        again->show();
        QPointer<MenuForm> gone(again);
        QVERIFY(again->close());
        QVERIFY(!MealPlanner::Form());
        QTRY_VERIFY(!gone);
    }

    void fullYearPopupPicksTheDayAndCancellingKeepsIt()
    {
        PlannerWorld w;
        MenuForm& form = w.loadPlanner();
        w.dialogs.expectModal(QStringLiteral("PopupCalendar"), [](QWidget& popup) {
            pickSomeDateIn(popup);
            return 1;
        });
        form.Display_Year();
        const QDate picked = engine::fromAutomationDate(propertyDate(form, "StartDate")).date();
        QVERIFY(picked.year() == QDate::currentDate().year());
        QTRY_COMPARE(program().CurrentMenuDate, picked);
        QCOMPARE(form.Label3->text(), MenuDays::headingText(picked));

        // The year's end is set before the popup shows; a cancelled popup leaves the day.
        const QDate day(2001, 3, 5);
        showDay(form, day);
        bool asked = false;
        w.dialogs.expectModal(QStringLiteral("PopupCalendar"), [&](QWidget&) {
            asked = true;
            [&] {
                QCOMPARE(propertyDate(form, "EndDate"), automation(QDate(2001, 12, 31)));
                QCOMPARE(form.FullYearButton->text(), QStringLiteral("Display Full Year: 2001"));
            }();
            return 0; // cancelled
        });
        QTest::mouseClick(form.FullYearButton, Qt::LeftButton);
        QVERIFY(asked);
        QVERIFY(w.dialogs.allAnswered());
        QTest::qWait(20);
        QCOMPARE(program().CurrentMenuDate, day);
        QCOMPARE(form.Label3->text(), MenuDays::headingText(day));
    }

    void daysWithMenusAreBold()
    {
        PlannerWorld w;
        w.seed(QDate(2001, 3, 5), {QStringLiteral("a")});
        w.seed(QDate(2001, 4, 30), {QStringLiteral("b")});
        w.seed(QDate(2001, 5, 1), {QStringLiteral("outside")});
        MenuForm& form = w.loadPlanner();

        component::SafeArray days({{1, 2}, {1, 31}});
        for (int m = 1; m <= 2; ++m)
            for (int d = 1; d <= 31; ++d)
                days.put({m, d}, Variant::fromBool(false));
        Variant state = Variant::fromArray(std::move(days));
        bool handled = false;
        // The control asks from the first day it shows, which may lie in the month before.
        emit form.Cal->DayState(automation(QDate(2001, 3, 1)), state, true, handled);
        QVERIFY(handled);
        QStringList bold;
        for (int m = 1; m <= 2; ++m)
            for (int d = 1; d <= 31; ++d)
                if (state.array()->at({m, d})->toBool())
                    bold << QStringLiteral("%1/%2").arg(m).arg(d);
        QCOMPARE(bold, QStringList({QStringLiteral("1/5"), QStringLiteral("2/30")}));
    }

    void failedSaveLeavesFileAndWindowUsable()
    {
        PlannerWorld w;
        w.run([](engine::Database& db) {
            db.ExecuteScript(QStringLiteral("CREATE TRIGGER full_disk BEFORE INSERT ON mymenus BEGIN SELECT "
                                            "RAISE(ABORT, 'database or disk is full'); "
                                            "END;"));
        });
        MenuForm& form = w.loadPlanner();
        form.Lunch->setPlainText(QStringLiteral("Stew"));
        w.dialogs.expectMessageContaining(QStringLiteral("Saving the menu failed"));
        QTest::mouseClick(form.SaveButton, Qt::LeftButton);
        QVERIFY(w.dialogs.allAnswered());
        QVERIFY(w.dialogs.messagesAsked().last().text.contains(QStringLiteral("disk is full")));
        QVERIFY(w.storedDays().isEmpty());
        QVERIFY(!form.DeleteButton->isEnabled());
        QCOMPARE(form.Lunch->toPlainText(), QStringLiteral("Stew")); // the cook's typing is still there

        // Once the disk has room again, the same save goes through, once.
        w.run([](engine::Database& db) { db.ExecuteScript(QStringLiteral("DROP TRIGGER full_disk;")); });
        w.dialogs.expectMessage(QStringLiteral("Menu has been saved/updated"));
        QTest::mouseClick(form.SaveButton, Qt::LeftButton);
        w.dialogs.expectMessage(QStringLiteral("Menu has been saved/updated"));
        QTest::mouseClick(form.SaveButton, Qt::LeftButton);
        QCOMPARE(w.storedDays().size(), 1);
        QCOMPARE(w.storedDays()[0].meals[1], QStringLiteral("Stew"));
        QVERIFY(form.DeleteButton->isEnabled());
    }

    void plannerWorksWithoutTheCalendarControl()
    {
        // No registration, and no library beside this program to register: the control cannot be made.
        QVERIFY(QFile::remove(component::ComponentRegistry::defaultFilePath()));
        {
            PlannerWorld w;
            MenuForm& form = w.loadPlanner();
            QVERIFY(!form.Cal->isCreated());
            auto* why = form.findChild<QLabel*>(QStringLiteral("CalUnavailable"));
            QVERIFY(why);
            QVERIFY(why->text().startsWith(QStringLiteral("The calendar is not available.")));

            // The day's menu is still kept; only the calendar's own commands say they cannot work.
            form.Dinner->setPlainText(QStringLiteral("Curry"));
            w.dialogs.expectMessage(QStringLiteral("Menu has been saved/updated"));
            form.SaveMenu();
            QCOMPARE(w.storedDays().value(0).meals[2], QStringLiteral("Curry"));
            w.dialogs.expectMessageContaining(QStringLiteral("Showing the full year failed"));
            QTest::mouseClick(form.FullYearButton, Qt::LeftButton);
            QVERIFY(w.dialogs.allAnswered());
        }
        QVERIFY(ensureCalendarControlRegistered(TestWorld::builtProgramDir()));
    }
};

int runMenuFormTests(int argc, char** argv)
{
    TestMenuForm t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_menuform.moc"
