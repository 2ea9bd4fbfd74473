// The start-up routine plus the main window's load until the first recipe is shown (the splash's
// timer ticks left out), on the template cookbook and on a 50,000-recipe cookbook whose first group
// holds 5,000 recipes; then, in that group, switching letter, stepping to the next recipe and
// switching group. Prints the process's peak memory at the end.
//
// BENCH_COVERING_INDEX=1 adds an index over (groupnum, Name, category_code) to the generated
// cookbook, to measure what such an index in the template would gain for group switches;
// BENCH_CACHE_MIB=<n> gives the open cookbook an n MiB page cache for the browsing benchmarks.
#include "CookbookGenerator.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "recipes/LetterIndex.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/FlexGrid.h"
#include "ui/LetterStrip.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace pantrova;

namespace {

constexpr int kRecipes = 50000;
constexpr int kFirstGroup = 5000;

QString builtFile(const QString& name)
{
    return QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(name);
}

// A program folder holding the four templates; optionally a generated default cookbook.
struct Folder
{
    QTemporaryDir dir;
    explicit Folder(bool big)
    {
        for (const char* name : {"Recipe70e.mdb", "UtilityE.mdb", "AdminE.sys", "MenusE.mdb"})
            QFile::copy(builtFile(QString::fromLatin1(name)), dir.filePath(QString::fromLatin1(name)));
        if (big) {
            QElapsedTimer t;
            t.start();
            CookbookShape shape;
            shape.recipeCount = kRecipes;
            shape.firstGroupCount = kFirstGroup;
            shape.sameNameInFirstGroup = 50;
            CookbookGenerator::writeCookbook(builtFile(QStringLiteral("Recipe70e.mdb")),
                                             dir.filePath(QStringLiteral("Recipe20.mdb")), shape);
            std::fprintf(stderr, "generated %d recipes in %lld ms\n", kRecipes, t.elapsed());
            if (qEnvironmentVariableIsSet("BENCH_COVERING_INDEX")) {
                engine::Workspace ws;
                engine::Database db = ws.OpenDatabase(dir.filePath(QStringLiteral("Recipe20.mdb")));
                db.Execute(
                    QStringLiteral("create index bench_cover on recipes (groupnum, Name, category_code)"));
                db.Close();
                std::fprintf(stderr, "with an index over group, name and number\n");
            }
        }
    }
};

Folder& templateFolder()
{
    static Folder f(false);
    return f;
}

Folder& bigFolder()
{
    static Folder f(true);
    return f;
}

// Start-up routine and main-window load; returns the loaded window.
std::unique_ptr<RecipeNew> startAndLoad(const Folder& folder)
{
    program().reset();
    StartUp::Prepare(ProgramFolder(folder.dir.path()));
    program().SplashMode = false;
    auto window = std::make_unique<RecipeNew>();
    window->Form_Load();
    return window;
}

void startUp(benchmark::State& state, Folder& folder)
{
    for (auto _ : state) {
        std::unique_ptr<RecipeNew> window = startAndLoad(folder);
        benchmark::DoNotOptimize(window->Recipe_Name->text());
        state.PauseTiming();
        window.reset();
        program().reset();
        state.ResumeTiming();
    }
}

void BM_StartUpTemplateCookbook(benchmark::State& state)
{
    startUp(state, templateFolder());
}

void BM_StartUp50000Recipes(benchmark::State& state)
{
    startUp(state, bigFolder());
}

struct Browsing
{
    std::unique_ptr<RecipeNew> window = startAndLoad(bigFolder());
};

Browsing& browsing()
{
    static Browsing b;
    static bool tuned = false;
    if (!tuned && qEnvironmentVariableIsSet("BENCH_CACHE_MIB")) {
        // What a larger page cache for the open cookbook would gain (the engine keeps SQLite's default).
        program().Cookbook.Execute(QStringLiteral("PRAGMA cache_size = -") +
                                   QString::number(qEnvironmentVariableIntValue("BENCH_CACHE_MIB") * 1024));
        std::fprintf(stderr, "with a %d MiB page cache\n", qEnvironmentVariableIntValue("BENCH_CACHE_MIB"));
    }
    tuned = true;
    return b;
}

void BM_SwitchLetter(benchmark::State& state)
{
    RecipeNew& w = *browsing().window;
    QList<int> letters;
    for (int k = 0; k < 26; ++k)
        if (w.Toolbar2->visibleLook(k) != ui::LetterArt::Look::NoData)
            letters << 3 * k + 1;
    qsizetype i = 0;
    for (auto _ : state) {
        const int base = letters[i++ % letters.size()];
        // Whichever of the letter's normal or active buttons is showing.
        w.Toolbar2_ButtonClick(w.Toolbar2->isButtonVisible(base) ? base : base + 1);
    }
    state.counters["letters"] = double(letters.size());
    state.counters["listed"] = double(w.ListNames.size());
}

void BM_NextRecipe(benchmark::State& state)
{
    RecipeNew& w = *browsing().window;
    QAction* next = w.Toolbar1Button(6);
    for (auto _ : state) {
        next->trigger();
        if (w.RecipeSet.AbsolutePosition() + 1 >= w.RecipeSet.RecordCount()) {
            state.PauseTiming();
            w.ShowFirstRecipe();
            state.ResumeTiming();
        }
    }
}

void BM_SwitchGroup(benchmark::State& state)
{
    // Timed: choosing the 5,000-recipe group while another group is shown.
    RecipeNew& w = *browsing().window;
    for (auto _ : state) {
        state.PauseTiming();
        w.GroupGrid->setRow(2);
        qint16 left = 1;
        w.SelectGroup(left);
        w.GroupGrid->setRow(1);
        state.ResumeTiming();
        w.SelectGroup(left);
    }
    state.counters["recipes"] = double(w.RecipeSet.RecordCount());
}

long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

BENCHMARK(BM_StartUpTemplateCookbook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp50000Recipes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchLetter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextRecipe)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchGroup)->Unit(benchmark::kMillisecond);

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
    std::fprintf(stderr, "peak memory of the process: %.1f MiB\n", double(peakKiB()) / 1024.0);
    browsing().window.reset();
    program().reset();
    return 0;
}
