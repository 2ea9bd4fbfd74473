// The cookbook library's long and frequent work: converting an old-format cookbook of 10,000
// recipes (the checks as the main window runs them, messages answered at once); compacting a
// 50,000-recipe cookbook with the word lists and the menus, beside a plain copy of the same
// files; creating a cookbook; and switching between two cookbooks through the manager until the
// main window shows the other one.
#include "CookbookGenerator.h"
#include "cookbooks/Compaction.h"
#include "cookbooks/CookBook_Form.h"
#include "cookbooks/CookbookChecks.h"
#include "cookbooks/CookbookLibrary.h"
#include "data/DatabaseFiles.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>

using namespace pantrova;

namespace {

constexpr int kOldPerTable = 500; // 20 tables: 10,000 recipes
constexpr int kRecipes = 50000;

QString builtFile(const QString& name)
{
    return QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(name);
}

struct Folder
{
    QTemporaryDir dir;
    Folder()
    {
        for (const char* name : {"Recipe70e.mdb", "UtilityE.mdb", "AdminE.sys", "MenusE.mdb"})
            QFile::copy(builtFile(QString::fromLatin1(name)), path(QString::fromLatin1(name)));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void start() const
    {
        program().reset();
        StartUp::Prepare(ProgramFolder(dir.path()));
        program().SplashMode = false;
    }
};

void BM_ConvertOldCookbook10000(benchmark::State& state)
{
    Folder folder;
    folder.start();
    const QString master = folder.path(QStringLiteral("old.master"));
    CookbookGenerator::writeOldFormatCookbook(master, kOldPerTable, {"Family", "Holidays", "Kids"});
    const QString cookbook = folder.path(QStringLiteral("Recipe20.mdb"));
    const QString backup = folder.path(QStringLiteral("recipe20.70"));
    int recipes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        engine::DatabaseFiles::remove(cookbook);
        engine::DatabaseFiles::remove(backup);
        QFile::copy(master, cookbook);
        ui::ScriptedDialogs answers;
        answers.expectMessageContaining(QStringLiteral("will now be"))
            .expectMessageContaining(QStringLiteral("has been"));
        state.ResumeTiming();

        engine::Database& db = program().Cookbook;
        db = program().Workspace().OpenDatabase(cookbook);
        CookbookChecks::run(db);

        state.PauseTiming();
        recipes = db.OpenRecordset(QStringLiteral("select count(*) as n from recipes"))
                      .Fields(QStringLiteral("n"))
                      .toLong();
        db.Close();
        if (!answers.allAnswered())
            state.SkipWithError("the conversion asked something unexpected");
        state.ResumeTiming();
    }
    state.counters["recipes"] = recipes;
    program().reset();
}

// The three working files of a program folder whose cookbook holds 50,000 recipes.
struct BigFolder : Folder
{
    BigFolder()
    {
        CookbookShape shape;
        shape.recipeCount = kRecipes;
        shape.firstGroupCount = 5000;
        CookbookGenerator::writeCookbook(builtFile(QStringLiteral("Recipe70e.mdb")),
                                         path(QStringLiteral("Recipe20.mdb")), shape);
        QFile::copy(path(QStringLiteral("UtilityE.mdb")), path(QStringLiteral("Utility.mdb")));
        QFile::copy(path(QStringLiteral("MenusE.mdb")), path(QStringLiteral("Menus.mdb")));
        // Three years of planned days.
        engine::Workspace ws;
        engine::Database menus = ws.OpenDatabase(path(QStringLiteral("Menus.mdb")));
        engine::Transaction t(menus);
        for (int d = 0; d < 3 * 365; ++d)
            menus.Execute(
                QStringLiteral("insert into mymenus (menudate, Breakfast, Lunch, Dinner, Other, Dayname, "
                               "autodelete) values (?, ?, ?, ?, ?, ?, ?)"),
                {QDate(2022, 1, 1).addDays(d), QStringLiteral("Pancakes\r\nCoffee"),
                 QStringLiteral("Chicken Soup"), QStringLiteral("Pot Roast\r\nBiscuits"), QString(),
                 QStringLiteral("Monday"), false});
        t.commit();
        menus.Close();
    }
    QStringList files() const
    {
        return {QStringLiteral("Recipe20.mdb"), QStringLiteral("Utility.mdb"), QStringLiteral("Menus.mdb")};
    }
};

BigFolder& bigFolder()
{
    static BigFolder f;
    return f;
}

// A plain copy of the three files, flushed to disk as compaction flushes its copies.
double plainCopyMs(const BigFolder& folder)
{
    QElapsedTimer t;
    t.start();
    for (const QString& f : folder.files())
        engine::DatabaseFiles::copy(folder.path(f), folder.path(QStringLiteral("copy of ") + f));
    const double ms = double(t.nsecsElapsed()) / 1e6;
    for (const QString& f : folder.files())
        QFile::remove(folder.path(QStringLiteral("copy of ") + f));
    return ms;
}

void BM_PlainCopyOfTheWorkingFiles(benchmark::State& state)
{
    BigFolder& folder = bigFolder();
    for (auto _ : state)
        state.SetIterationTime(plainCopyMs(folder) / 1000.0);
}

void BM_CompactTheWorkingFiles(benchmark::State& state)
{
    BigFolder& folder = bigFolder();
    qint64 bytes = 0;
    for (const QString& f : folder.files())
        bytes += QFileInfo(folder.path(f)).size();
    std::vector<double> copies;
    for (int i = 0; i < 3; ++i)
        copies.push_back(plainCopyMs(folder));
    std::sort(copies.begin(), copies.end());
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        Compaction compaction(folder.dir.path(), folder.files());
        if (qEnvironmentVariableIsSet("BENCH_STEPS")) {
            // Where the time goes: wall and processor time of each step.
            auto cpu = [] { return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC; };
            compaction.onStep = [cpu, step = QElapsedTimer(), last = 0.0](const QString& file,
                                                                          Compaction::Step s) mutable {
                if (step.isValid())
                    std::fprintf(stderr, "  %.0f ms wall, %.0f ms cpu\n", double(step.restart()),
                                 cpu() - last);
                else
                    step.start();
                last = cpu();
                std::fprintf(stderr, "%s step %d:", qPrintable(file), int(s));
            };
        }
        compaction.run();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        total += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["MiB"] = double(bytes) / 1048576.0;
    state.counters["copy_ms"] = copies[1];
    state.counters["x_copy"] = total / double(state.iterations()) / copies[1];
}

void BM_CreateCookbook(benchmark::State& state)
{
    Folder folder;
    folder.start();
    CookbookLibrary library(ProgramFolder(folder.dir.path()));
    int n = 0;
    for (auto _ : state) {
        const CookbookLibrary::Outcome made = library.create(QStringLiteral("Cookbook %1").arg(++n));
        if (made.kind != CookbookLibrary::Outcome::Created)
            state.SkipWithError("the cookbook was not created");
    }
    library.close();
    program().reset();
}

void BM_SwitchCookbookUntilShown(benchmark::State& state)
{
    BigFolder& folder = bigFolder();
    folder.start();
    {
        // A second cookbook of 5,000 recipes to switch to and from.
        CookbookLibrary library(ProgramFolder(folder.dir.path()));
        const QString family = folder.path(QStringLiteral("Family.mdb"));
        if (!QFile::exists(family))
            CookbookGenerator::writeCookbook(folder.path(QStringLiteral("Recipe70e.mdb")), family,
                                             CookbookShape{5000, 1000, 0, 5});
        library.create(QStringLiteral("Family"));
    }
    program().checkCookbookFormat = [](engine::Database& db) { CookbookChecks::run(db); };
    program().CurrentCookbookFile = QStringLiteral("recipe20.mdb");
    program().CurrentCookbookName = QStringLiteral("My CookBook");
    auto window = std::make_unique<RecipeNew>();
    window->Form_Load();
    const QString names[2] = {QStringLiteral("Family"), QStringLiteral("My CookBook")};
    int i = 0;
    for (auto _ : state) {
        CookBook_Form form;
        form.Form_Load();
        form.CB_List->setCurrentItem(form.CB_List->findItems(names[i++ % 2], Qt::MatchExactly).value(0));
        form.OpenCB_Click();
        form.Form_Unload();
        window->Form_Activate();
        benchmark::DoNotOptimize(window->Recipe_Name->text());
    }
    state.counters["shown_recipes"] = window->RecipeSet.RecordCount();
    window.reset();
    program().reset();
}

} // namespace

BENCHMARK(BM_ConvertOldCookbook10000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PlainCopyOfTheWorkingFiles)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_CompactTheWorkingFiles)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_CreateCookbook)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_SwitchCookbookUntilShown)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    program().reset();
    return 0;
}
