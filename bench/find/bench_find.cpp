// Finding recipes in a generated cookbook of 100,000 recipes:
// - building the search index of a cookbook that has none (what the first search of an older file
//   does), with the number of progress reports;
// - a one-word and a three-word search through the find window until the results are listed: the
//   search, the list's model filled, and the first screen of rows painted with their excerpts;
//   the engine's search alone for reference, and a two-letter beginning and a phrase besides;
// - a save of changed ingredients, with and without the index: the difference is what the index
//   adds to a save.
#include "CookbookGenerator.h"
#include "data/DatabaseFiles.h"
#include "data/ProgramFolder.h"
#include "data/RecipeSearch.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "find/FindForm.h"
#include "find/FoundRecipesModel.h"
#include "recipes/RecipeNew.h"
#include "recipes/RecipeStore.h"
#include "startup/Program.h"
#include "startup/StartUp.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace pantrova;

namespace {

constexpr int kRecipes = 100000;
constexpr int kFirstGroup = 1000;

QString builtFile(const QString& name)
{
    return QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(name);
}

// A program folder holding the generated cookbook as "Recipe20.mdb" (indexed by the build benchmark)
// and an unindexed copy for the saves without an index.
struct Fixture
{
    QTemporaryDir dir;
    QTemporaryDir settings;
    QString plain; // the generated cookbook, never indexed
    RecipeNew* window = nullptr;
    FindForm* form = nullptr;

    Fixture()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        for (const char* name : {"Recipe70e.mdb", "UtilityE.mdb", "AdminE.sys", "MenusE.mdb"})
            QFile::copy(builtFile(QString::fromLatin1(name)), dir.filePath(QString::fromLatin1(name)));
        QElapsedTimer t;
        t.start();
        CookbookShape shape;
        shape.recipeCount = kRecipes;
        shape.firstGroupCount = kFirstGroup;
        plain = dir.filePath(QStringLiteral("Plain.mdb"));
        CookbookGenerator::writeCookbook(builtFile(QStringLiteral("Recipe70e.mdb")), plain, shape);
        std::fprintf(stderr, "cookbook of %d recipes written in %lld ms (%lld MB)\n", kRecipes, t.elapsed(),
                     engine::DatabaseFiles::size(plain) >> 20);
        engine::DatabaseFiles::copy(plain, dir.filePath(QStringLiteral("Recipe20.mdb")));
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        StartUp::Prepare(ProgramFolder(dir.path()));
        program().SplashMode = false;
    }

    // The main window and its find window, once the cookbook has its index.
    FindForm& find()
    {
        if (!form) {
            window = new RecipeNew;
            program().mainWindow = window;
            window->Form_Load();
            window->show();
            form = FindForm::Open(*window);
            form->SearchText->setText(QStringLiteral("x"));
            form->Search();
        }
        return *form;
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_BuildIndex(benchmark::State& state)
{
    Fixture& f = fixture();
    int reports = 0;
    for (auto _ : state) {
        state.PauseTiming();
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(f.dir.filePath(QStringLiteral("Recipe20.mdb")));
        reports = 0;
        state.ResumeTiming();
        engine::RecipeSearch::build(db, [&](int, int) { ++reports; });
        state.PauseTiming();
        ws.Close();
        state.ResumeTiming();
    }
    state.counters["recipes"] = kRecipes;
    state.counters["progressReports"] = reports;
    state.counters["fileMB"] =
        double(engine::DatabaseFiles::size(f.dir.filePath(QStringLiteral("Recipe20.mdb")))) / (1 << 20);
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kSecond)->Iterations(2);

// Types the words into the find window and runs the search its pause would run, until the rows
// on screen are painted with their excerpts.
void searchThroughTheWindow(benchmark::State& state, const QString& words)
{
    FindForm& form = fixture().find();
    int found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.SearchText->setText(words);
        state.ResumeTiming();
        form.Search();
        form.Results->viewport()->grab(); // paints the visible rows, reading their excerpts
        found = form.results().rowCount();
    }
    state.counters["listed"] = found;
}

void BM_ListOneWord(benchmark::State& state)
{
    searchThroughTheWindow(state, QStringLiteral("garlic"));
}
BENCHMARK(BM_ListOneWord)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_ListThreeWords(benchmark::State& state)
{
    searchThroughTheWindow(state, QStringLiteral("beef onion simmer"));
}
BENCHMARK(BM_ListThreeWords)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_ListTwoLetterBeginning(benchmark::State& state)
{
    searchThroughTheWindow(state, QStringLiteral("sa"));
}
BENCHMARK(BM_ListTwoLetterBeginning)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_ListPhrase(benchmark::State& state)
{
    searchThroughTheWindow(state, QStringLiteral("\"golden brown\""));
}
BENCHMARK(BM_ListPhrase)->Unit(benchmark::kMillisecond)->Iterations(50);

void engineSearch(benchmark::State& state, const QString& words)
{
    fixture().find();
    int found = 0;
    for (auto _ : state)
        found = int(engine::RecipeSearch::find(program().Cookbook, words, 200).recipes.size());
    state.counters["found"] = found;
}

void BM_EngineOneWord(benchmark::State& state)
{
    engineSearch(state, QStringLiteral("garlic"));
}
BENCHMARK(BM_EngineOneWord)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_EngineThreeWords(benchmark::State& state)
{
    engineSearch(state, QStringLiteral("beef onion simmer"));
}
BENCHMARK(BM_EngineThreeWords)->Unit(benchmark::kMillisecond)->Iterations(50);

// Saves changed ingredients of the first group's recipes in turn, as the editor saves them.
void saveRecipes(benchmark::State& state, const QString& file)
{
    engine::Workspace ws;
    engine::Database db = ws.OpenDatabase(file);
    engine::Recordset recipes = db.OpenRecordset(QStringLiteral("select * from recipes where groupnum = 1"));
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (recipes.isEOF())
            recipes.MoveFirst();
        RecipeText text;
        text.name = recipes.Text(QStringLiteral("Name"));
        text.description = recipes.Text(QStringLiteral("Description"));
        text.ingrediants =
            recipes.Text(QStringLiteral("Ingrediants")) + QStringLiteral("1 pinch saffron %1\r\n").arg(++i);
        text.instructions = recipes.Text(QStringLiteral("Instructions"));
        const engine::Bookmark row = recipes.bookmark();
        state.ResumeTiming();
        RecipeStore::save(db, recipes, false, row, text, 1);
        state.PauseTiming();
        recipes.MoveNext();
        state.ResumeTiming();
    }
    ws.Close();
}

void BM_SaveWithoutIndex(benchmark::State& state)
{
    saveRecipes(state, fixture().plain);
}
BENCHMARK(BM_SaveWithoutIndex)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_SaveWithIndex(benchmark::State& state)
{
    fixture().find(); // built by then
    saveRecipes(state, fixture().dir.filePath(QStringLiteral("Recipe20.mdb")));
}
BENCHMARK(BM_SaveWithIndex)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete fixture().window;
    program().reset();
    return 0;
}
