#pragma once

// The world of one planner test: a started program in a temporary folder (templates copied, the
// menus database made), the planner's hooks registered as the program registers them, scripted
// dialogs, and helpers that read and write the menus file behind the planner's back.
#include "TestWorld.h"
#include "component/ComponentRegistry.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Recordset.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "planner/CalendarHost.h"
#include "planner/MealPlanner.h"
#include "planner/MenuForm.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/ScriptedDialogs.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

struct StoredDay
{
    QDate day;
    double rawDay = 0; // as stored, to see that no time of day creeps in
    QStringList meals;
    QString dayName;
    bool autodelete = false;
};

inline ui::ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

// The component registry lives in the user's configuration folder: one of our own, under `home`,
// with the real calendar control registered from the built program folder.
inline void registerCalendarControlUnder(const QTemporaryDir& home)
{
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(component::ComponentRegistry::defaultFilePath().startsWith(home.path()));
    QString why;
    QVERIFY2(pantrova::ensureCalendarControlRegistered(TestWorld::builtProgramDir(), &why), qPrintable(why));
}

// Shows `day` in the planner, as a move in its calendar does.
inline void showDay(pantrova::MenuForm& form, QDate day)
{
    pantrova::program().CurrentMenuDate = day;
    form.Set_Date();
}

class PlannerWorld
{
public:
    TestWorld world;
    ui::ScriptedDialogs dialogs{failTest()};
    std::unique_ptr<pantrova::RecipeNew> window;

    PlannerWorld()
    {
        using namespace pantrova;
        program().reset();
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        StartUp::Prepare(ProgramFolder(world.path()));
        Program& p = program();
        p.SplashMode = false;
        p.loadPlanner = MealPlanner::Load;
        p.unloadPlanner = MealPlanner::Unload;
        p.mainWindowCreated.push_back(MealPlanner::AttachPanel);
    }
    ~PlannerWorld()
    {
        window.reset();
        pantrova::program().reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString menusFile() const { return world.filePath(QStringLiteral("Menus.mdb")); }

    // The planner alone, loaded as the main window would load it.
    pantrova::MenuForm& loadPlanner()
    {
        pantrova::program().MainWindowActive = true;
        pantrova::MealPlanner::Load();
        pantrova::MenuForm* form = pantrova::MealPlanner::Form();
        if (!form)
            qFatal("the planner did not load");
        return *form;
    }

    // The main window over the template cookbook, with the planner loaded by its load.
    pantrova::RecipeNew& openMainWindow()
    {
        window = std::make_unique<pantrova::RecipeNew>();
        pantrova::program().mainWindow = window.get();
        window->Form_Load();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
        return *window;
    }

    void seed(QDate day, const QStringList& meals, bool autodelete = false,
              const QString& dayName = QStringLiteral("Someday"))
    {
        run([&](engine::Database& db) {
            db.Execute(
                QStringLiteral("insert into mymenus (menudate, Breakfast, Lunch, Dinner, Other, Dayname, "
                               "autodelete) values (?, ?, ?, ?, ?, ?, ?)"),
                {engine::Value(day), meals.value(0), meals.value(1), meals.value(2), meals.value(3), dayName,
                 autodelete});
        });
    }

    QList<StoredDay> storedDays()
    {
        QList<StoredDay> days;
        run([&](engine::Database& db) {
            engine::Recordset rs =
                db.OpenRecordset(QStringLiteral("select * from mymenus order by menudate"));
            for (; !rs.isEOF(); rs.MoveNext()) {
                StoredDay d;
                d.rawDay = rs.Fields(QStringLiteral("menudate")).toAutomationDate();
                d.day = rs.Fields(QStringLiteral("menudate")).toDate();
                for (const char* meal : {"Breakfast", "Lunch", "Dinner", "Other"})
                    d.meals << rs.Text(QString::fromLatin1(meal));
                d.dayName = rs.Text(QStringLiteral("Dayname"));
                d.autodelete = rs.Fields(QStringLiteral("autodelete")).toBool();
                days << d;
            }
            rs.Close();
        });
        return days;
    }

    template <class Work> void run(Work work)
    {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(menusFile());
        work(db);
        db.Close();
    }
};

// The calendar view inside a control or popup window.
inline QWidget* monthCalendarIn(QWidget* window)
{
    if (!window)
        return nullptr;
    for (QWidget* child : window->findChildren<QWidget*>())
        if (QLatin1String(child->metaObject()->className()) == QLatin1String("vorrin::MonthCalendar"))
            return child;
    return nullptr;
}

// Clicks across an open popup's calendar until a click lands on a date, which picks it and
// closes the popup.
inline void pickSomeDateIn(QWidget& popup)
{
    popup.show();
    QWidget* calendar = monthCalendarIn(&popup);
    QVERIFY(calendar);
    for (int attempt = 0; attempt < 30 && popup.isVisible(); ++attempt) {
        const QPoint at(calendar->width() * (3 + attempt % 3) / 8,
                        calendar->height() * (4 + attempt % 2) / 8);
        QTest::mouseClick(calendar, Qt::LeftButton, {}, at);
    }
    QVERIFY(!popup.isVisible());
}
