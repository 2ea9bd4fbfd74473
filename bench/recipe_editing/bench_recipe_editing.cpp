// Saving and deleting recipes in the main window on a group of 5,000 recipes, 50 of them sharing one
// name: each figure includes the numbering, the write, and the refresh of the recipe list, the
// letter strip and the page.
#include "CookbookGenerator.h"
#include "recipes/RecipeEditor.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"
#include "ui/PlainTextBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace pantrova;

namespace {

constexpr int kGroupRecipes = 5000;

// Says Yes to every question, so a delete goes ahead without a person.
class AnswerYes : public ui::DialogAnswerer
{
public:
    int messageBox(const ui::MessageQuestion&) override { return ui::AnswerYes; }
    std::optional<QString> inputBox(const ui::InputQuestion&) override { return std::nullopt; }
    std::optional<QString> openFile(const ui::FileQuestion&) override { return std::nullopt; }
    int runModal(QWidget&) override { return 0; }
};

struct Fixture
{
    QTemporaryDir dir;
    QTemporaryDir settings;
    AnswerYes answers;
    RecipeNew* window = nullptr;

    Fixture()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QDir::setCurrent(dir.path());
        ui::Dialogs::install(&answers);
        QElapsedTimer t;
        t.start();
        CookbookShape shape;
        shape.recipeCount = kGroupRecipes + 500;
        shape.firstGroupCount = kGroupRecipes;
        shape.sameNameInFirstGroup = 50;
        CookbookGenerator::writeCookbook(
            QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(QStringLiteral("Recipe70e.mdb")),
            dir.filePath(QStringLiteral("bench.mdb")), shape);
        program().folder = dir.path();
        program().CurrentCookbookFile = QStringLiteral("bench.mdb");
        window = new RecipeNew;
        window->Form_Load();
        std::fprintf(stderr, "cookbook of %d recipes (%d in the shown group) ready in %lld ms\n",
                     shape.recipeCount, window->RecipeSet.RecordCount(), t.elapsed());
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void addChickenSoup(Fixture& f)
{
    f.window->editor().AddRecipe();
    f.window->Recipe_Name->setText(QStringLiteral("Chicken Soup"));
    f.window->Instructions->setPlainText(QStringLiteral("Simmer for an hour."));
    f.window->editor().SaveRecipeCommand();
}

void BM_SaveNewRecipeWithSameName(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        addChickenSoup(f);
    state.counters["number"] = f.window->Text1->text().mid(2).toDouble();
    state.counters["groupRecipes"] = f.window->RecipeSet.RecordCount();
}
BENCHMARK(BM_SaveNewRecipeWithSameName)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_SaveRenamedRecipe(benchmark::State& state)
{
    Fixture& f = fixture();
    int i = 0;
    for (auto _ : state) {
        f.window->Recipe_Name->setText(QStringLiteral("Chicken Soup Deluxe %1").arg(++i));
        f.window->editor().SaveRecipeCommand();
    }
}
BENCHMARK(BM_SaveRenamedRecipe)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_DeleteRecipe(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        addChickenSoup(f);
        state.ResumeTiming();
        f.window->editor().DeleteRecipe();
    }
    state.counters["groupRecipes"] = f.window->RecipeSet.RecordCount();
}
BENCHMARK(BM_DeleteRecipe)->Unit(benchmark::kMillisecond)->Iterations(30);

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
