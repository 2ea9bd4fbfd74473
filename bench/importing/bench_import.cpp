// Importing one MealMaster file of 10,000 recipes: reading it alone, writing it into the current
// group of a fresh cookbook, and the whole "Import Recipes..." command of the main window (file
// chosen, progress, one transaction, the group shown again), on the template cookbook and on a
// 50,000-recipe cookbook whose current group already holds 5,000 recipes.
#include "CookbookGenerator.h"
#include "MealMasterSample.h"
#include "importing/ImportRecipes.h"
#include "importing/MealMaster.h"
#include "importing/RecipeImporter.h"
#include "importing/TextDecoding.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace pantrova;

namespace {

constexpr int kImported = 10000;

QString builtFile(const QString& name)
{
    return QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(name);
}

// Chooses the file and says OK to the summary.
class ChooseFile : public ui::DialogAnswerer
{
public:
    QString file;
    int messageBox(const ui::MessageQuestion&) override { return ui::AnswerOK; }
    std::optional<QString> inputBox(const ui::InputQuestion&) override { return std::nullopt; }
    std::optional<QString> openFile(const ui::FileQuestion&) override { return file; }
    int runModal(QWidget&) override { return 0; }
};

struct Setup
{
    QTemporaryDir dir;
    QTemporaryDir settings;
    QString recipeFile;
    QString bigCookbook; // 50,000 recipes, 5,000 in the first group; made when first asked for

    Setup()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        recipeFile = dir.filePath(QStringLiteral("club.mmf"));
        QFile f(recipeFile);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write the recipe file");
        f.write(mealMasterRecipes(kImported));
        f.close();
        std::fprintf(stderr, "MealMaster file of %d recipes: %lld bytes\n", kImported, f.size());
    }

    const QString& big()
    {
        if (bigCookbook.isEmpty()) {
            CookbookShape shape;
            shape.recipeCount = 50000;
            shape.firstGroupCount = 5000;
            bigCookbook = dir.filePath(QStringLiteral("big.mdb"));
            CookbookGenerator::writeCookbook(builtFile(QStringLiteral("Recipe70e.mdb")), bigCookbook, shape);
        }
        return bigCookbook;
    }

    // A fresh program folder whose current cookbook is a copy of `cookbook`.
    std::unique_ptr<QTemporaryDir> programFolder(const QString& cookbook) const
    {
        auto folder = std::make_unique<QTemporaryDir>();
        QFile::copy(cookbook, folder->filePath(QStringLiteral("recipe20.mdb")));
        QDir::setCurrent(folder->path());
        program().reset();
        program().folder = folder->path();
        program().CurrentCookbookFile = QStringLiteral("recipe20.mdb");
        return folder;
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

void BM_ReadMealMasterFile(benchmark::State& state)
{
    const Setup& s = setup();
    for (auto _ : state) {
        QFile f(s.recipeFile);
        f.open(QIODevice::ReadOnly);
        const importing::ParsedFile parsed = importing::parseMealMaster(importing::recipeText(f.readAll()));
        state.counters["recipes"] = double(parsed.recipes.size());
    }
}
BENCHMARK(BM_ReadMealMasterFile)->Unit(benchmark::kMillisecond)->Iterations(5);

void importThroughTheWindow(benchmark::State& state, const QString& cookbook)
{
    Setup& s = setup();
    ChooseFile answers;
    answers.file = s.recipeFile;
    ui::Dialogs::install(&answers);
    for (auto _ : state) {
        state.PauseTiming();
        const auto folder = s.programFolder(cookbook);
        program().mainWindowCreated.push_back(&ImportRecipes::attachTo);
        auto* window = new RecipeNew;
        window->Form_Load();
        auto* import = window->findChild<ImportRecipes*>();
        const int before = window->RecipeSet.RecordCount();
        state.ResumeTiming();
        import->ImportMenu->trigger();
        state.PauseTiming();
        state.counters["imported"] = window->RecipeSet.RecordCount() - before;
        state.counters["groupRecipes"] = window->RecipeSet.RecordCount();
        program().reset();
        state.ResumeTiming();
    }
    ui::Dialogs::install(nullptr);
}

void BM_ImportThroughWindowIntoTemplateCookbook(benchmark::State& state)
{
    importThroughTheWindow(state, builtFile(QStringLiteral("Recipe70e.mdb")));
}
BENCHMARK(BM_ImportThroughWindowIntoTemplateCookbook)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportThroughWindowIntoLargeCookbook(benchmark::State& state)
{
    importThroughTheWindow(state, setup().big());
}
BENCHMARK(BM_ImportThroughWindowIntoLargeCookbook)->Unit(benchmark::kMillisecond)->Iterations(3);

// The writing alone: numbering, rows, one commit.
void BM_WriteParsedRecipes(benchmark::State& state)
{
    Setup& s = setup();
    const auto sources = RecipeImporter::read({s.recipeFile}, [](const QString&, int, int) { return true; });
    for (auto _ : state) {
        state.PauseTiming();
        const auto folder = s.programFolder(builtFile(QStringLiteral("Recipe70e.mdb")));
        engine::Database db =
            program().Workspace().OpenDatabase(folder->filePath(QStringLiteral("recipe20.mdb")));
        state.ResumeTiming();
        const RecipeImporter::Result r = RecipeImporter::write(db, folder->path(), 1, sources,
                                                               [](const QString&, int, int) { return true; });
        state.PauseTiming();
        state.counters["imported"] = r.imported;
        db.Close();
        program().reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WriteParsedRecipes)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    program().reset();
    return 0;
}
