// The engine layer on a 50,000-recipe cookbook: opening, listing a 5,000-recipe group, single-row
// work, copying rows into the report table, and compaction against a plain file copy.
#include "CookbookGenerator.h"
#include "data/Database.h"
#include "data/SqlText.h"
#include "data/Workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <unistd.h>

using namespace engine;

namespace {

constexpr int kRecipes = 50000;
constexpr int kFirstGroup = 5000;
const QString kGroupSql =
    QStringLiteral("select * from recipes where groupnum = 1 order by name + trim(str(category_code))");

struct Fixture
{
    QTemporaryDir dir;
    QString book;
    Fixture()
    {
        QDir::setCurrent(dir.path());
        book = dir.filePath(QStringLiteral("bench.mdb"));
        QElapsedTimer t;
        t.start();
        CookbookShape shape;
        shape.recipeCount = kRecipes;
        shape.firstGroupCount = kFirstGroup;
        shape.sameNameInFirstGroup = 50;
        CookbookGenerator::writeCookbook(
            QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(QStringLiteral("Recipe70e.mdb")), book,
            shape);
        std::fprintf(stderr, "generated %d recipes in %lld ms (%lld KiB)\n", kRecipes, t.elapsed(),
                     QFile(book).size() / 1024);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_OpenDatabase(benchmark::State& state)
{
    fixture();
    for (auto _ : state) {
        Workspace ws;
        Database db = ws.OpenDatabase(QStringLiteral("bench.mdb"));
        benchmark::DoNotOptimize(db.isOpen());
        ws.Close();
    }
}
BENCHMARK(BM_OpenDatabase)->Unit(benchmark::kMillisecond);

void BM_GroupFirstRow(benchmark::State& state)
{
    fixture();
    Workspace ws;
    Database db = ws.OpenDatabase(QStringLiteral("bench.mdb"));
    for (auto _ : state) {
        Recordset rs = db.OpenRecordset(kGroupSql);
        benchmark::DoNotOptimize(rs.Text(QStringLiteral("Name")));
    }
    ws.Close();
}
BENCHMARK(BM_GroupFirstRow)->Unit(benchmark::kMillisecond);

void BM_GroupStepAllRows(benchmark::State& state)
{
    fixture();
    Workspace ws;
    Database db = ws.OpenDatabase(QStringLiteral("bench.mdb"));
    Recordset rs = db.OpenRecordset(kGroupSql);
    for (auto _ : state) {
        int n = 0;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            benchmark::DoNotOptimize(rs.Text(QStringLiteral("Name")));
            ++n;
        }
        state.counters["rows"] = n;
    }
    ws.Close();
}
BENCHMARK(BM_GroupStepAllRows)->Unit(benchmark::kMillisecond);

void BM_DupNameCheck(benchmark::State& state)
{
    fixture();
    Workspace ws;
    Database db = ws.OpenDatabase(QStringLiteral("bench.mdb"));
    for (auto _ : state) {
        Recordset rs =
            db.OpenRecordset(QStringLiteral("select * from recipes where name = ") +
                             sqlText(QStringLiteral("chicken soup")) + QStringLiteral(" and groupnum = 1"));
        int highest = 0;
        for (; !rs.isEOF(); rs.MoveNext())
            highest = std::max(highest, int(rs.Fields(QStringLiteral("category_code")).toLong()));
        benchmark::DoNotOptimize(highest);
    }
    ws.Close();
}
BENCHMARK(BM_DupNameCheck)->Unit(benchmark::kMicrosecond);

void BM_SingleRowAddEditDelete(benchmark::State& state)
{
    fixture();
    Workspace ws;
    Database db = ws.OpenDatabase(QStringLiteral("bench.mdb"));
    Recordset rs = db.OpenRecordset(kGroupSql);
    for (auto _ : state) {
        rs.AddNew();
        rs.SetField(QStringLiteral("Name"), QStringLiteral("Benchmark Bread"));
        rs.SetField(QStringLiteral("category_code"), 1);
        rs.SetField(QStringLiteral("groupnum"), 1);
        rs.SetField(QStringLiteral("Instructions"), QStringLiteral("Knead."));
        rs.Update();
        rs.Edit();
        rs.SetField(QStringLiteral("Description"), QStringLiteral("Edited"));
        rs.Update();
        rs.Delete();
    }
    ws.Close();
}
BENCHMARK(BM_SingleRowAddEditDelete)->Unit(benchmark::kMicrosecond);

// Saving one recipe as the windows do (one transaction, one changed row), under each way of
// keeping the file complete after a commit. The engine's own choice is "wal + truncating checkpoint";
// the other rows set the journal through pragmas to compare.
struct CommitMode
{
    const char* name;
    const char* setup;
    const char* afterCommit; // run after each commit, or nullptr
};
const CommitMode kCommitModes[] = {
    {"engine default", "", nullptr},
    {"wal, checkpoint every 1000 pages (not complete after commit)",
     "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA wal_autocheckpoint = 1000", nullptr},
    {"wal + passive checkpoint",
     "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA wal_autocheckpoint = 1", nullptr},
    {"wal + truncating checkpoint",
     "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA wal_autocheckpoint = 0",
     "PRAGMA wal_checkpoint(TRUNCATE)"},
    {"rollback journal, full sync", "PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL", nullptr},
    {"rollback journal, normal sync", "PRAGMA journal_mode = DELETE; PRAGMA synchronous = NORMAL", nullptr},
};

void BM_SaveOneRecipe(benchmark::State& state)
{
    fixture();
    const CommitMode& mode = kCommitModes[state.range(0)];
    state.SetLabel(mode.name);
    QFile::remove(QStringLiteral("save.mdb"));
    QFile::copy(QStringLiteral("bench.mdb"), QStringLiteral("save.mdb"));
    Workspace ws;
    Database db = ws.OpenDatabase(QStringLiteral("save.mdb"));
    if (*mode.setup)
        db.ExecuteScript(QString::fromLatin1(mode.setup));
    Recordset rs = db.OpenRecordset(kGroupSql);
    int n = 0;
    for (auto _ : state) {
        Transaction t(db);
        rs.Edit();
        rs.SetField(QStringLiteral("Description"), QStringLiteral("Edited %1").arg(++n));
        rs.Update();
        t.commit();
        if (mode.afterCommit)
            db.ExecuteScript(QString::fromLatin1(mode.afterCommit));
    }
    ws.Close();
    QFile::remove(QStringLiteral("save.mdb"));
}
BENCHMARK(BM_SaveOneRecipe)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_SeekCatalogueRow(benchmark::State& state)
{
    fixture();
    QFile::copy(QDir(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR)).filePath(QStringLiteral("AdminE.sys")),
                QStringLiteral("Admin.sys"));
    QFile::setPermissions(QStringLiteral("Admin.sys"), QFile::ReadOwner | QFile::WriteOwner);
    Workspace ws;
    Database db = ws.OpenDatabase(QStringLiteral("admin.sys"));
    Recordset rs = db.OpenRecordset(QStringLiteral("recipebooks"));
    rs.Index(QStringLiteral("dbname"));
    for (auto _ : state) {
        rs.Seek(QStringLiteral("="), QStringLiteral("recipe20.mdb"));
        benchmark::DoNotOptimize(rs.Text(QStringLiteral("cookbook")));
    }
    ws.Close();
}
BENCHMARK(BM_SeekCatalogueRow)->Unit(benchmark::kMicrosecond);

void BM_CopyRowsIntoReport(benchmark::State& state)
{
    fixture();
    Workspace ws;
    Database db = ws.OpenDatabase(QStringLiteral("bench.mdb"));
    for (auto _ : state) {
        db.Execute(QStringLiteral("delete from report"));
        const int copied = db.Execute(QStringLiteral(
            "INSERT INTO [bench.mdb].report SELECT * FROM Recipes where groupnum <= 3 limit 10000"));
        state.counters["rows"] = copied;
    }
    ws.Close();
}
BENCHMARK(BM_CopyRowsIntoReport)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CopyFile(benchmark::State& state)
{
    fixture();
    for (auto _ : state) {
        QFile::remove(QStringLiteral("copy.mdb"));
        QFile::copy(QStringLiteral("bench.mdb"), QStringLiteral("copy.mdb"));
    }
    QFile::remove(QStringLiteral("copy.mdb"));
}
BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same copy made durable, as compaction makes its result durable before it replaces the original.
void BM_CopyFileFlushed(benchmark::State& state)
{
    fixture();
    for (auto _ : state) {
        QFile::remove(QStringLiteral("copy.mdb"));
        QFile::copy(QStringLiteral("bench.mdb"), QStringLiteral("copy.mdb"));
        QFile copy(QStringLiteral("copy.mdb"));
        copy.open(QIODevice::ReadWrite);
        ::fsync(copy.handle());
    }
    QFile::remove(QStringLiteral("copy.mdb"));
}
BENCHMARK(BM_CopyFileFlushed)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CompactDatabase(benchmark::State& state)
{
    fixture();
    for (auto _ : state) {
        QFile::remove(QStringLiteral("Temp.mdb"));
        Workspace::CompactDatabase(QStringLiteral("bench.mdb"), QStringLiteral("Temp.mdb"));
    }
    QFile::remove(QStringLiteral("Temp.mdb"));
}
BENCHMARK(BM_CompactDatabase)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
