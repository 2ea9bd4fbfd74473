// Reports on generated cookbooks.
//
// On a 50,000-recipe cookbook: "Display Report" for the whole cookbook up to the filled report
// table, and loading the selection window (its grids list every recipe). On documents: laying out
// the names of 1,000 recipes, writing them as PDF, turning a page of the preview (drawn the way
// the screen draws it), and a document of 10,000 pages with the memory it holds.
//
// Memory counters: rss_MiB is the process's resident memory after the run, peak_MiB its highest
// so far; run one benchmark per process (--benchmark_filter) for a clean peak.
#include "CookbookGenerator.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "print/Document.h"
#include "print/PdfExport.h"
#include "print/PreviewWidget.h"
#include "print/VSPrinter.h"
#include "recipes/RecipeNew.h"
#include "reports/Print_Form.h"
#include "reports/ReportTable.h"
#include "startup/Program.h"
#include "startup/StartUp.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace pantrova;

namespace {

QString builtFile(const QString& name)
{
    return QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(name);
}

long statusKiB(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    return -1;
}

void memoryCounters(benchmark::State& state)
{
    state.counters["rss_MiB"] = double(statusKiB("VmRSS:")) / 1024;
    state.counters["peak_MiB"] = double(statusKiB("VmHWM:")) / 1024;
}

// A program folder with the templates and a generated cookbook of `recipes` recipes, started as the
// program starts, with the main window loaded.
struct Kitchen
{
    QTemporaryDir dir;
    std::unique_ptr<RecipeNew> window;

    explicit Kitchen(int recipes)
    {
        for (const char* name : {"Recipe70e.mdb", "UtilityE.mdb", "AdminE.sys", "MenusE.mdb"})
            QFile::copy(builtFile(QString::fromLatin1(name)), dir.filePath(QString::fromLatin1(name)));
        QElapsedTimer t;
        t.start();
        CookbookShape shape;
        shape.recipeCount = recipes;
        shape.firstGroupCount = recipes / 10;
        CookbookGenerator::writeCookbook(builtFile(QStringLiteral("Recipe70e.mdb")),
                                         dir.filePath(QStringLiteral("Recipe20.mdb")), shape);
        std::fprintf(stderr, "generated %d recipes in %lld ms\n", recipes, t.elapsed());
        program().reset();
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0")); // no what's-new page
        StartUp::Prepare(ProgramFolder(dir.path()));
        program().SplashMode = false;
        window = std::make_unique<RecipeNew>();
        window->Form_Load();
    }
    ~Kitchen()
    {
        window.reset();
        program().reset();
    }
};

Kitchen& bigKitchen()
{
    static Kitchen k(50000);
    return k;
}

void BM_FillReportWholeCookbook50000(benchmark::State& state)
{
    Kitchen& k = bigKitchen();
    ReportScope scope;
    scope.option = 3;
    ReportTable table(program().Cookbook, program().CurrentCookbookFile);
    for (auto _ : state)
        table.Fill(scope);
    engine::Recordset rows = program().Cookbook.OpenRecordset(QStringLiteral("select name from report"));
    state.counters["rows"] = double(rows.RecordCount());
    (void)k;
}

void BM_LoadSelectionWindow50000(benchmark::State& state)
{
    Kitchen& k = bigKitchen();
    for (auto _ : state) {
        Print_Form form(*k.window);
        form.Form_Load();
        benchmark::DoNotOptimize(form.FormWidth());
    }
    memoryCounters(state);
}

// The names of `count` recipes, each followed by two blank lines, down two columns: the shape of the
// names-only list.
void writeNames(print::Document& doc, int count)
{
    doc.clear();
    doc.setPaper(QPageSize(QPageSize::Letter));
    doc.setColumns(2);
    for (auto setMargin : {&print::Document::setMarginLeft, &print::Document::setMarginRight,
                           &print::Document::setMarginTop, &print::Document::setMarginBottom})
        (doc.*setMargin)(770);
    doc.start();
    for (int i = 0; i < count; ++i) {
        doc.setTextAlign(print::AlignLeft);
        doc.setFontName(QStringLiteral("arial"));
        doc.paragraph(CookbookGenerator::recipeName(i * 7919));
        doc.paragraph(QStringLiteral("\n"));
        doc.paragraph(QStringLiteral("\n"));
    }
    doc.end();
}

void BM_LayOutNames1000(benchmark::State& state)
{
    print::Document doc;
    for (auto _ : state)
        writeNames(doc, 1000);
    state.counters["pages"] = doc.pageCount();
}

void BM_NamesPdf1000(benchmark::State& state)
{
    print::Document doc;
    writeNames(doc, 1000);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("names.pdf"));
    for (auto _ : state)
        print::PdfExport::write(doc, file);
    state.counters["pages"] = doc.pageCount();
    state.counters["KiB"] = double(QFile(file).size()) / 1024;
}

// A full page of recipe text on each of `pages` pages.
void writePages(print::Document& doc, int pages)
{
    doc.clear();
    doc.setPaper(QPageSize(QPageSize::Letter));
    doc.start();
    const QString text = QStringLiteral(
        "Whisk the flour, sugar and salt together; rub in the cold butter until it looks like coarse crumbs, "
        "then stir in the milk and egg just until a soft dough forms. ");
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            doc.newPage();
        doc.setFontSize(18.25);
        doc.setTextAlign(print::AlignCenter);
        doc.paragraph(CookbookGenerator::recipeName(p));
        doc.setFontSize(11.25);
        doc.setTextAlign(print::AlignLeft);
        while (doc.currentPage() == p + 1 && doc.currentY() < doc.pageHeight() - 3000)
            doc.paragraph(text + text);
    }
    doc.end();
}

void BM_PreviewPageTurn(benchmark::State& state)
{
    print::VSPrinter printer;
    writePages(printer.document(), 50);
    printer.resize(800, 1000);
    QImage screen(printer.preview()->size(), QImage::Format_ARGB32_Premultiplied);
    int page = 1;
    for (auto _ : state) {
        page = page % printer.pageCount() + 1;
        printer.setPreviewPage(page);
        QPainter painter(&screen);
        printer.preview()->render(&painter);
    }
}

void BM_Document10000Pages(benchmark::State& state)
{
    const long before = statusKiB("VmRSS:");
    int pages = 0;
    long held = 0;
    for (auto _ : state) {
        auto doc = std::make_unique<print::Document>();
        writePages(*doc, 10000);
        pages = doc->pageCount();
        held = statusKiB("VmRSS:") - before;
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["held_MiB"] = double(held) / 1024;
    memoryCounters(state);
}

} // namespace

BENCHMARK(BM_FillReportWholeCookbook50000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadSelectionWindow50000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LayOutNames1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NamesPdf1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewPageTurn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Document10000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
