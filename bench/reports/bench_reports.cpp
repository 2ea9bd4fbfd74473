// Reports on generated cookbooks.
//
// On a 50,000-recipe cookbook: "Display Report" for the whole cookbook up to the filled report
// table, and loading the selection window (its grids list every recipe). On documents: laying out
// the names of 1,000 recipes, writing them as PDF, turning a page of the preview (drawn the way
// the screen draws it), and a document of 10,000 pages with the memory it holds.
//
// The full recipe report with serving figures, on cookbooks where one recipe in ten has a photo
// (800 by 600 JPEG files): from "Display Report" to the finished preview and on to a PDF file, for
// 1,000 and 10,000 recipes, and the HTML export of 1,000.
//
// Memory counters: rss_MiB is the process's resident memory after the run, peak_MiB its highest
// so far; run one benchmark per process (--benchmark_filter) for a clean peak.
#include "CookbookGenerator.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "print/Document.h"
#include "print/HtmlExport.h"
#include "print/PdfExport.h"
#include "print/PreviewWidget.h"
#include "print/VSPrinter.h"
#include "recipes/RecipeNew.h"
#include "reports/Print_Form.h"
#include "reports/ReportTable.h"
#include "reports/ReportWindowForm.h"
#include "startup/Program.h"
#include "startup/StartUp.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
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

std::unique_ptr<Kitchen>& currentKitchen()
{
    static std::unique_ptr<Kitchen> k;
    return k;
}

// The windows go before the application does.
void releaseKitchen()
{
    currentKitchen().reset();
}

// One cookbook at a time: asking for another size replaces the one before.
Kitchen& kitchen(int recipes, bool pictures = false)
{
    std::unique_ptr<Kitchen>& k = currentKitchen();
    static int size = 0;
    if (!k || size != recipes) {
        k.reset();
        k = std::make_unique<Kitchen>(recipes);
        size = recipes;
        if (pictures) {
            // One recipe in ten refers to one of a hundred photos.
            const QDir pics(k->dir.filePath(QStringLiteral("PICS")));
            for (int i = 0; i < 100; ++i) {
                QImage photo(800, 600, QImage::Format_RGB32);
                photo.fill(QColor::fromHsv(i * 3 % 360, 120, 200));
                QPainter p(&photo);
                p.setBrush(QColor::fromHsv(i * 7 % 360, 200, 150));
                p.drawEllipse(QRect(100 + i, 80, 500, 420));
                p.end();
                photo.save(pics.filePath(QStringLiteral("dish%1.jpg").arg(i)), "JPEG", 85);
            }
            program().Cookbook.Execute(QStringLiteral("update recipes set Picture = case when rowid % 10 = 0 "
                                                      "then 'pics\\dish' || (rowid / 10 % 100) || "
                                                      "'.jpg' else '' end"));
        }
    }
    return *k;
}

Kitchen& bigKitchen()
{
    return kitchen(50000);
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

// "Display Report" for the whole cookbook with serving information: the report table filled and
// the report window loaded with its document; then, when `pdf` is set, the PDF written.
void fullReport(benchmark::State& state, int recipes, bool pdf, bool html = false)
{
    Kitchen& k = kitchen(recipes, true);
    Print_Form selection(*k.window);
    selection.Report_Option[3]->setChecked(true);
    selection.ServingInfo->setChecked(true);
    selection.HTMLCheck1->setChecked(html);
    QTemporaryDir out;
    int pages = 0;
    for (auto _ : state) {
        ReportTable(program().Cookbook, program().CurrentCookbookFile).Fill(selection.CurrentScope());
        ReportWindowForm window(selection);
        window.Form_Load();
        if (pdf)
            window.VSPrinter1->saveAsPdf(out.filePath(QStringLiteral("report.pdf")));
        pages = window.VSPrinter1->pageCount();
    }
    state.counters["pages"] = pages;
    if (pdf)
        state.counters["pdf_MiB"] =
            double(QFile(out.filePath(QStringLiteral("report.pdf"))).size()) / (1024 * 1024);
    memoryCounters(state);
}

void BM_FullReportPreview1000(benchmark::State& state)
{
    fullReport(state, 1000, false);
}

void BM_FullReportPdf1000(benchmark::State& state)
{
    fullReport(state, 1000, true);
}

void BM_FullReportPreview10000(benchmark::State& state)
{
    fullReport(state, 10000, false);
}

void BM_FullReportPdf10000(benchmark::State& state)
{
    fullReport(state, 10000, true);
}

// The PDF of a built 1,000-recipe report on its own.
void BM_PdfWriteOnly1000(benchmark::State& state)
{
    Kitchen& k = kitchen(1000, true);
    Print_Form selection(*k.window);
    selection.Report_Option[3]->setChecked(true);
    selection.ServingInfo->setChecked(true);
    ReportTable(program().Cookbook, program().CurrentCookbookFile).Fill(selection.CurrentScope());
    ReportWindowForm window(selection);
    window.Form_Load();
    QTemporaryDir out;
    for (auto _ : state)
        window.VSPrinter1->saveAsPdf(out.filePath(QStringLiteral("report.pdf")));
    state.counters["pages"] = window.VSPrinter1->pageCount();
}

void BM_HtmlExport1000(benchmark::State& state)
{
    Kitchen& k = kitchen(1000, true);
    Print_Form selection(*k.window);
    selection.Report_Option[3]->setChecked(true);
    selection.ServingInfo->setChecked(true);
    ReportTable(program().Cookbook, program().CurrentCookbookFile).Fill(selection.CurrentScope());
    ReportWindowForm window(selection);
    window.Form_Load();
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("recipe.htm"));
    for (auto _ : state)
        print::HtmlExport::write(window.VSPrinter1->document(), file);
    state.counters["KiB"] = double(QFile(file).size()) / 1024;
}

} // namespace

BENCHMARK(BM_FillReportWholeCookbook50000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadSelectionWindow50000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LayOutNames1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NamesPdf1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewPageTurn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Document10000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FullReportPreview1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullReportPdf1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PdfWriteOnly1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HtmlExport1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullReportPreview10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FullReportPdf10000)->Unit(benchmark::kMillisecond)->Iterations(1);

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
    releaseKitchen();
    return 0;
}
