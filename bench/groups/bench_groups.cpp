// On a 50,000-recipe cookbook whose first group holds 5,000 recipes (50 of them "Chicken Soup"):
// adding a group through its dialog and showing the section again with its first group; moving a
// "Chicken Soup" from another section into that group and showing it there; and inserting an
// ingredient line with a new word into a word list of 5,000 entries, which refills that list.
// Each figure is the whole command as the cook meets it, dialogs answered at once.
#include "CookbookGenerator.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "groups/GroupCommands.h"
#include "groups/MoverecipeForm.h"
#include "groups/NameForm.h"
#include "ingredients/IngrediantForm.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/Dialogs.h"
#include "ui/FlexGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

using namespace pantrova;

namespace {

constexpr int kRecipes = 50000;
constexpr int kFirstGroup = 5000;
constexpr int kWords = 5000;
constexpr int kSoups = 17; // the group the moved recipe starts in, in section 3

QString builtFile(const QString& name)
{
    return QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(name);
}

// Answers the dialogs as a quick cook would: names the new group, picks the move's target, and
// acknowledges every message.
class Cook : public ui::DialogAnswerer
{
public:
    QString groupName;
    QString targetSection;
    QString targetGroup;

    int messageBox(const ui::MessageQuestion&) override { return ui::AnswerYes; }
    std::optional<QString> inputBox(const ui::InputQuestion&) override { return std::nullopt; }
    std::optional<QString> openFile(const ui::FileQuestion&) override { return std::nullopt; }
    int runModal(QWidget& window) override
    {
        if (auto* names = qobject_cast<NameForm*>(&window)) {
            names->Text1->setText(groupName);
            names->ApplyButton->click();
        } else if (auto* move = qobject_cast<MoverecipeForm*>(&window)) {
            move->SectionCombo->setCurrentIndex(move->SectionCombo->findText(targetSection));
            emit move->SectionCombo->activated(move->SectionCombo->currentIndex());
            move->GroupCombo->setCurrentIndex(move->GroupCombo->findText(targetGroup));
            emit move->GroupCombo->activated(move->GroupCombo->currentIndex());
            move->MoveButton->click();
        }
        return 0;
    }
};

struct Fixture
{
    QTemporaryDir dir;
    QTemporaryDir settings;
    Cook cook;
    RecipeNew* window = nullptr;

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
        shape.sameNameInFirstGroup = 50;
        CookbookGenerator::writeCookbook(builtFile(QStringLiteral("Recipe70e.mdb")),
                                         dir.filePath(QStringLiteral("Recipe20.mdb")), shape);
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        StartUp::Prepare(ProgramFolder(dir.path()));
        program().SplashMode = false;

        // One word list of 5,000 entries.
        engine::Workspace ws;
        engine::Database words = ws.OpenDatabase(dir.filePath(QStringLiteral("Utility.mdb")));
        {
            engine::Transaction tr(words);
            for (int i = 0; i < kWords; ++i)
                words.Execute(QStringLiteral("insert into Ingredient (Ingredient) values (?)"),
                              {QStringLiteral("pantry item %1").arg(i, 5, 10, QLatin1Char('0'))});
            tr.commit();
        }
        words.Close();

        ui::Dialogs::install(&cook);
        program().mainWindowCreated.push_back([](QWidget* w) {
            GroupCommands::attach(*static_cast<RecipeNew*>(w));
            IngrediantForm::attach(*static_cast<RecipeNew*>(w));
        });
        window = new RecipeNew;
        program().mainWindow = window;
        window->Form_Load();
        std::fprintf(stderr, "cookbook of %d recipes (%d in the shown group) ready in %lld ms\n", kRecipes,
                     window->RecipeSet.RecordCount(), t.elapsed());
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void showGroup(RecipeNew& w, quint8 section, const QString& group)
{
    if (program().CurrentSection != section) {
        w.ShowSection(section);
    }
    for (int r = 1; r < w.GroupGrid->rows(); ++r)
        if (w.GroupGrid->textMatrix(r, 1) == group)
            w.GroupGrid->setRow(r);
    qint16 left = 1;
    w.SelectGroup(left);
}

void BM_AddGroupAndShowItsSection(benchmark::State& state)
{
    Fixture& f = fixture();
    int i = 0;
    for (auto _ : state) {
        f.cook.groupName = QStringLiteral("Bench group %1").arg(++i);
        f.window->AddGroupMenu->trigger();
    }
    state.counters["groupRecipes"] = f.window->RecipeSet.RecordCount();
    state.counters["groups"] = f.window->GroupGrid->rows() - 1;
}
BENCHMARK(BM_AddGroupAndShowItsSection)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_MoveRecipeIntoLargeGroupAndShowIt(benchmark::State& state)
{
    Fixture& f = fixture();
    RecipeNew& w = *f.window;
    f.cook.targetSection = QStringLiteral("Main Dishes");
    f.cook.targetGroup = QStringLiteral("Beef");
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh "Chicken Soup" shown in Soups, another section.
        program().Cookbook.Execute(QStringLiteral("insert into recipes (Name, category_code, groupnum, "
                                                  "Description, Picture) values ('Chicken Soup', 1, ?, "
                                                  "'Bench', '')"),
                                   {kSoups});
        showGroup(w, 3, QStringLiteral("Soups"));
        w.FindRecipe(1, QStringLiteral("Chicken Soup"));
        w.ShowCurrentRecipe();
        state.ResumeTiming();
        w.Move_Menu->trigger();
    }
    state.counters["number"] = w.Text1->text().mid(2).toDouble();
    state.counters["groupRecipes"] = w.RecipeSet.RecordCount();
}
BENCHMARK(BM_MoveRecipeIntoLargeGroupAndShowIt)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_InsertIngredientLineWithNewWord(benchmark::State& state)
{
    Fixture& f = fixture();
    RecipeNew& w = *f.window;
    IngrediantForm::I_Button_Click(w);
    IngrediantForm* helper = IngrediantForm::of(w);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        helper->Amount_List->setEditText(QStringLiteral("2"));
        helper->Measure_List->setEditText(QStringLiteral("cups"));
        helper->Ingredient_List->setEditText(QStringLiteral("new pantry word %1").arg(++i));
        state.ResumeTiming();
        helper->I_Add_Button->click();
    }
    state.counters["listEntries"] = helper->Ingredient_List->count();
    state.counters["ingredientChars"] = w.Ingrediants->toPlainText().size();
}
BENCHMARK(BM_InsertIngredientLineWithNewWord)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ui::Dialogs::install(nullptr);
    program().reset();
    return 0;
}
