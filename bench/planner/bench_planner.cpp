// The meal planner over ten years of daily menus (3,650 days, 1,000 of them past and marked for
// automatic deletion), with the real calendar control loaded through the component registry.
//
// Targets: loading the planner (menus database, calendar control with its settings, purge of the
// past menus, today's menu on show) under 50 ms; showing another day, saving a day, and adding
// the shown recipe to a meal from the main window each under 16 ms.
#include "data/Database.h"
#include "data/Value.h"
#include "data/Workspace.h"
#include "planner/CalendarHost.h"
#include "planner/MealPlanner.h"
#include "planner/MenuForm.h"
#include "planner/MenuPlannerPanel.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace pantrova;

namespace {

constexpr int kDays = 3650;
constexpr int kPastMarked = 1000;

// Says OK to every question, so a save's confirmation needs no person.
class AnswerOK : public ui::DialogAnswerer
{
public:
    int messageBox(const ui::MessageQuestion&) override { return ui::AnswerOK; }
    std::optional<QString> inputBox(const ui::InputQuestion&) override { return std::nullopt; }
    std::optional<QString> openFile(const ui::FileQuestion&) override { return std::nullopt; }
    int runModal(QWidget&) override { return 0; }
};

QString mealText(int day, const char* meal)
{
    return QStringLiteral("** %1 of day %2 **\n2 cups flour\n1 tsp salt\n3 eggs\n1 cup milk\n"
                          "** Green salad **\nDressing on the side")
        .arg(QLatin1String(meal))
        .arg(day);
}

struct Fixture
{
    QTemporaryDir dir;
    QTemporaryDir home;
    QTemporaryDir settings;
    AnswerOK answers;
    QString tenYears; // the pristine menus file, copied in before each load
    RecipeNew* window = nullptr;
    QDate firstDay;

    Fixture()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        ui::Dialogs::install(&answers);
        const QDir built(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR));
        QString why;
        if (!ensureCalendarControlRegistered(built.path(), &why))
            qFatal("cannot register the calendar control: %s", qPrintable(why));
        QFile::copy(built.filePath(QStringLiteral("Recipe70e.mdb")),
                    dir.filePath(QStringLiteral("recipe20.mdb")));
        tenYears = dir.filePath(QStringLiteral("ten-years.mdb"));
        QFile::copy(built.filePath(QStringLiteral("MenusE.mdb")), tenYears);
        QFile::setPermissions(tenYears, QFile::ReadOwner | QFile::WriteOwner);
        writeTenYears();
        QDir::setCurrent(dir.path());

        Program& p = program();
        p.folder = dir.path();
        p.CurrentCookbookFile = QStringLiteral("recipe20.mdb");
        p.loadPlanner = MealPlanner::Load;
        p.unloadPlanner = MealPlanner::Unload;
        p.mainWindowCreated.push_back(MealPlanner::AttachPanel);
        freshMenus();
        window = new RecipeNew;
        p.mainWindow = window;
        window->Form_Load();
        window->show();
        if (!MealPlanner::Form())
            qFatal("the planner did not load");
    }

    // Half the days lie behind today, half ahead; the most recent 1,000 past days are marked.
    void writeTenYears()
    {
        const QDate today = QDate::currentDate();
        firstDay = today.addDays(-kDays / 2);
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(tenYears);
        engine::Transaction t(db);
        for (int i = 0; i < kDays; ++i) {
            const QDate day = firstDay.addDays(i);
            const bool marked = day < today && day >= today.addDays(-kPastMarked);
            db.Execute(
                QStringLiteral("insert into mymenus (menudate, Breakfast, Lunch, Dinner, Other, Dayname, "
                               "autodelete) values (?, ?, ?, ?, ?, ?, ?)"),
                {engine::Value(day), mealText(i, "Breakfast"), mealText(i, "Lunch"), mealText(i, "Dinner"),
                 QString(), QStringLiteral("Someday"), marked});
        }
        t.commit();
        db.Close();
    }

    void freshMenus()
    {
        const QString menus = dir.filePath(QStringLiteral("Menus.mdb"));
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(menus + QLatin1String(suffix));
        QFile::copy(tenYears, menus);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_LoadPlannerWithPurge(benchmark::State& state)
{
    Fixture& f = fixture();
    int left = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MealPlanner::Unload();
        f.freshMenus();
        state.ResumeTiming();
        MealPlanner::Load();
        state.PauseTiming();
        left = MealPlanner::Form()->store().recordCount();
        state.ResumeTiming();
    }
    state.counters["recordsAfterPurge"] = left;
}
BENCHMARK(BM_LoadPlannerWithPurge)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowAnotherDay(benchmark::State& state)
{
    Fixture& f = fixture();
    MenuForm* form = MealPlanner::Form();
    int i = 0;
    for (auto _ : state) {
        program().CurrentMenuDate = f.firstDay.addDays(kDays - 1 - (i++ * 37) % 1500);
        form->Set_Date();
    }
    benchmark::DoNotOptimize(form->Breakfast->toPlainText().size());
}
BENCHMARK(BM_ShowAnotherDay)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveDay(benchmark::State& state)
{
    MealPlanner::Form()->Set_Date();
    MenuForm* form = MealPlanner::Form();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form->Other->setPlainText(QStringLiteral("Snack %1").arg(i++));
        state.ResumeTiming();
        form->SaveMenu();
    }
}
BENCHMARK(BM_SaveDay)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AddRecipeToMeal(benchmark::State& state)
{
    Fixture& f = fixture();
    MenuForm* form = MealPlanner::Form();
    MenuPlannerPanel* panel = MenuPlannerPanel::of(f.window);
    // Each run on a day of its own, so no run finds the recipe added by the one before.
    static int run = 0;
    program().CurrentMenuDate = QDate::currentDate().addDays(10 + run++);
    form->Set_Date();
    const QString dinner = form->Dinner->toPlainText();
    f.window->Recipe_Name->setText(QStringLiteral("Lasagna"));
    f.window->Text1->clear();
    program().CurrentMeal = 2;
    for (auto _ : state) {
        state.PauseTiming();
        form->Dinner->setPlainText(dinner);
        state.ResumeTiming();
        panel->MenuAddButton_Click();
    }
    if (!form->Dinner->toPlainText().endsWith(QStringLiteral("** Lasagna **")))
        state.SkipWithError("the recipe was not added");
}
BENCHMARK(BM_AddRecipeToMeal)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The component registry lives in the user's configuration folder: one of our own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    program().reset();
    return 0;
}
