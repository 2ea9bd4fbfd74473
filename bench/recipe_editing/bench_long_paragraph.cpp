// Showing and saving a recipe whose instructions are one paragraph of 1 MB or 10 MB of text (no
// line break anywhere), in a main window that is on screen.
//
// Showing: choosing the recipe in the list, opening its "Instructions" tab and painting the window.
// Saving: typing one character into the instructions, Save, and painting the window.
// Typing at the end: going to the end of the text (Ctrl+End) and typing a character there, which
// lays out the whole paragraph once.
// Each benchmark reports the process's peak memory while it ran ("peakMiB").
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "recipes/LetterIndex.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"
#include "ui/PlainTextBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace pantrova;

namespace {

const QString kShort = QStringLiteral("Apple crumble");

QString paragraphName(int megabytes)
{
    return QStringLiteral("Paragraph of %1 MB").arg(megabytes);
}

// Words of a recipe, strung into one paragraph of `chars` characters.
QString oneParagraph(qsizetype chars)
{
    static const char* words[] = {"Stir", "the",    "onions", "gently", "until",   "golden,",
                                  "then", "add",    "garlic", "and",    "simmer.", "Season",
                                  "to",   "taste;", "cover",  "for",    "ten",     "minutes."};
    QString text;
    text.reserve(chars + 16);
    unsigned i = 0;
    while (text.size() < chars) {
        text += QLatin1String(words[(i * 7 + i / 5) % (sizeof words / sizeof *words)]);
        text += u' ';
        ++i;
    }
    text.truncate(chars);
    return text;
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

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Typing left on the page is given up when the benchmark moves on, so nothing but the timed save
// is ever saved.
class AnswerNo : public ui::DialogAnswerer
{
public:
    int messageBox(const ui::MessageQuestion&) override { return ui::AnswerNo; }
    std::optional<QString> inputBox(const ui::InputQuestion&) override { return std::nullopt; }
    std::optional<QString> openFile(const ui::FileQuestion&) override { return std::nullopt; }
    int runModal(QWidget&) override { return 0; }
};

struct Fixture
{
    QTemporaryDir dir;
    AnswerNo answers;
    std::unique_ptr<RecipeNew> window;

    Fixture()
    {
        ui::Dialogs::install(&answers);
        const QString cookbook = dir.filePath(QStringLiteral("bench.mdb"));
        QFile::copy(
            QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(QStringLiteral("Recipe70e.mdb")),
            cookbook);
        QFile(cookbook).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        {
            engine::Workspace ws;
            engine::Database db = ws.OpenDatabase(cookbook);
            const QString insert = QStringLiteral(
                "insert into recipes (Name, category_code, groupnum, Description, Ingrediants, "
                "Instructions) values (?, 1, 1, 'A test of long text.', '', ?)");
            db.Execute(insert, {kShort, QStringLiteral("Bake for forty minutes.")});
            for (int mb : {1, 10})
                db.Execute(insert, {paragraphName(mb), oneParagraph(qsizetype(mb) << 20)});
            engine::Recordset sizes = db.OpenRecordset(
                QStringLiteral("select Name, length(Instructions) as chars from recipes order by Name"));
            for (; !sizes.isEOF(); sizes.MoveNext())
                std::fprintf(stderr, "%s: %lld characters of instructions\n",
                             qPrintable(sizes.Text(QStringLiteral("Name"))),
                             sizes.Fields(QStringLiteral("chars")).toLong());
            db.Close();
        }
        QDir::setCurrent(dir.path());
        program().folder = dir.path();
        program().CurrentCookbookFile = QStringLiteral("bench.mdb");
        program().CurrentCookbookName = QStringLiteral("Bench");
        window = std::make_unique<RecipeNew>();
        window->Form_Load();
        window->show();
        QApplication::processEvents();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void showRecipe(RecipeNew& w, const QString& name)
{
    QString letter = LetterIndex::letterOf(name);
    w.Toolbar2_ButtonClick(LetterIndex::baseButtonOf(letter) + (w.CurrentLetter == letter ? 1 : 0));
    w.Recipe_List_Click(int(w.ListNames.indexOf(name)));
}

void paint(RecipeNew& w)
{
    QApplication::processEvents();
    w.repaint();
}

void press(QWidget* box, Qt::Key key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(box, &event);
}

void BM_ShowRecipe(benchmark::State& state)
{
    const int mb = int(state.range(0));
    RecipeNew& w = *fixture().window;
    resetPeak();
    for (auto _ : state) {
        state.PauseTiming();
        showRecipe(w, kShort);
        paint(w);
        state.ResumeTiming();
        showRecipe(w, paragraphName(mb));
        w.SSTab1->setCurrentIndex(2);
        paint(w);
    }
    state.counters["chars"] = double(w.Instructions->toPlainText().size());
    state.counters["peakMiB"] = double(peakKiB()) / 1024.0;
}
BENCHMARK(BM_ShowRecipe)->Name("BM_ShowRecipe/1MB")->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ShowRecipe)->Name("BM_ShowRecipe/10MB")->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SaveRecipe(benchmark::State& state)
{
    const int mb = int(state.range(0));
    RecipeNew& w = *fixture().window;
    showRecipe(w, paragraphName(mb));
    w.SSTab1->setCurrentIndex(2);
    paint(w);
    resetPeak();
    for (auto _ : state) {
        press(w.Instructions, Qt::Key_Home, Qt::ControlModifier);
        press(w.Instructions, Qt::Key_Period, {}, QStringLiteral("."));
        w.SaveRecipeCommand();
        w.SSTab1->setCurrentIndex(2);
        paint(w);
    }
    state.counters["chars"] = double(w.Instructions->toPlainText().size());
    state.counters["peakMiB"] = double(peakKiB()) / 1024.0;
}
BENCHMARK(BM_SaveRecipe)->Name("BM_SaveRecipe/1MB")->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SaveRecipe)->Name("BM_SaveRecipe/10MB")->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_TypeAtTheEnd(benchmark::State& state)
{
    const int mb = int(state.range(0));
    RecipeNew& w = *fixture().window;
    resetPeak();
    for (auto _ : state) {
        state.PauseTiming();
        showRecipe(w, kShort);
        showRecipe(w, paragraphName(mb));
        w.SSTab1->setCurrentIndex(2);
        paint(w);
        state.ResumeTiming();
        press(w.Instructions, Qt::Key_End, Qt::ControlModifier);
        press(w.Instructions, Qt::Key_Period, {}, QStringLiteral("."));
        paint(w);
    }
    state.counters["peakMiB"] = double(peakKiB()) / 1024.0;
}
BENCHMARK(BM_TypeAtTheEnd)->Name("BM_TypeAtTheEnd/1MB")->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeAtTheEnd)
    ->Name("BM_TypeAtTheEnd/10MB")
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture().window.reset();
    program().reset();
    return 0;
}
