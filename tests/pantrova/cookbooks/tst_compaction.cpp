// Compacting the current cookbook, the word lists and the menus: through the main window's menu,
// and the file steps on their own with failures injected between them.

#include "CookbookGenerator.h"
#include "CookbookKitchen.h"

#include "cookbooks/CompactMenu.h"
#include "cookbooks/Compaction.h"
#include "ui/FlexGrid.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>

using namespace pantrova;

namespace {

const QString kFailed = QStringLiteral("There was an error compacting Database");

// A cookbook with room to reclaim: 400 recipes written, 300 of them deleted again; and word
// lists that grew and shrank the same way.
void fillAndThin(CookbookKitchen& k)
{
    CookbookGenerator::writeCookbook(k.path(QStringLiteral("Recipe70e.mdb")),
                                     k.path(QStringLiteral("Recipe20.mdb")), CookbookShape{400, 40, 0, 11});
    k.execute(QStringLiteral("Recipe20.mdb"), QStringLiteral("delete from recipes where groupnum <> 1"));
    engine::Workspace ws;
    engine::Database words = ws.OpenDatabase(k.path(QStringLiteral("Utility.mdb")));
    engine::Transaction grow(words);
    for (int i = 0; i < 300; ++i)
        words.Execute(QStringLiteral("insert into Ingredient (Ingredient) values (?)"),
                      {QStringLiteral("spare ingredient number %1 with a long name to take room").arg(i)});
    grow.commit();
    words.Execute(QStringLiteral("delete from Ingredient where Ingredient like 'spare%'"));
    words.Close();
}

qint64 sizeOf(const CookbookKitchen& k, const QString& file)
{
    return QFileInfo(k.path(file)).size();
}

struct PlannerSpy
{
    int loads = 0;
    int unloads = 0;
    bool activeWhileUnloading = true;

    explicit PlannerSpy(Program& p)
    {
        p.loadPlanner = [this] { ++loads; };
        p.unloadPlanner = [this, &p] {
            ++unloads;
            activeWhileUnloading = p.MainWindowActive;
        };
    }
};

} // namespace

class TestCompaction : public QObject
{
    Q_OBJECT

private slots:
    void init() { program().reset(); }
    void cleanup() { program().reset(); }

    void compactingShrinksTheFilesKeepsEveryRowAndShowsSectionOne()
    {
        CookbookKitchen k;
        fillAndThin(k);
        writeFile(k.path(QStringLiteral("Temp.mdb")), "left by an earlier run");
        writeFile(k.path(QStringLiteral("Temp.mdb-wal")), "and its log");
        PlannerSpy planner(program());
        RecipeNew& w = k.open();
        w.SectionGrid->setRow(2);
        w.SectionGrid_Click();
        QVERIFY(program().CurrentSection != 1);
        const qint64 cookbookBefore = sizeOf(k, QStringLiteral("Recipe20.mdb"));
        const qint64 wordsBefore = sizeOf(k, QStringLiteral("Utility.mdb"));
        const int words = k.count(QStringLiteral("Utility.mdb"), QStringLiteral("Ingredient"));

        // Cancelling the warning closes nothing.
        ui::ScriptedDialogs script(failTest());
        script.expectMessage(
            QStringLiteral("WARNING: You should make a copy of the files \nRECIPE20.MDB\nUTILITY.MDB\n"
                           "MENUS.MDB\nbefore running this option.\nRefer to help on Compacting Files."),
            ui::AnswerCancel);
        w.Compact_Menu->trigger();
        QVERIFY(script.allAnswered());
        QCOMPARE(script.messagesAsked().value(0).buttons, ui::MsgButtons::OKCancel);
        QVERIFY(program().Cookbook.isOpen());
        QCOMPARE(planner.unloads, 0);
        QVERIFY(w.isEnabled());
        QCOMPARE(sizeOf(k, QStringLiteral("Recipe20.mdb")), cookbookBefore);

        script.expectMessageContaining(QStringLiteral("WARNING"), ui::AnswerOK);
        w.Compact_Menu->trigger();
        QVERIFY(script.allAnswered()); // no failure message

        QVERIFY(sizeOf(k, QStringLiteral("Recipe20.mdb")) < cookbookBefore / 2);
        QVERIFY(sizeOf(k, QStringLiteral("Utility.mdb")) < wordsBefore);
        QCOMPARE(k.count(QStringLiteral("Recipe20.mdb"), QStringLiteral("recipes")), 40);
        QCOMPARE(k.count(QStringLiteral("Utility.mdb"), QStringLiteral("Ingredient")), words);
        for (const QString& leftover : {QStringLiteral("Temp.mdb"), QStringLiteral("Temp.mdb-wal")})
            QVERIFY2(!QFile::exists(k.path(leftover)), qPrintable(leftover));

        QCOMPARE(planner.unloads, 1);
        QVERIFY(!planner.activeWhileUnloading);
        QCOMPARE(planner.loads, 2); // at load, and again after compacting
        QVERIFY(program().MainWindowActive);
        QVERIFY(w.isEnabled());
        QCOMPARE(program().CurrentSection, quint8(1));
        QCOMPARE(w.GroupGrid->row(), 1);
        QCOMPARE(program().CurrentGroup, qint16(1));
        QCOMPARE(w.Recipe_List->count() > 0, true);
        QVERIFY(program().Cookbook.isOpen());
    }

    void aFileThatCannotBeCompactedLeavesEveryFileWholeAndTheWindowWorking()
    {
        CookbookKitchen k;
        fillAndThin(k);
        const QByteArray damaged("this word list was damaged by a disk error");
        writeFile(k.path(QStringLiteral("Utility.mdb")), damaged);
        const QByteArray menus = fileHash(k.path(QStringLiteral("Menus.mdb")));
        PlannerSpy planner(program());
        RecipeNew& w = k.open();

        ui::ScriptedDialogs script(failTest());
        script.expectMessageContaining(QStringLiteral("WARNING"), ui::AnswerOK)
            .expectMessageContaining(kFailed);
        w.Compact_Menu->trigger();
        QVERIFY(script.allAnswered());
        const QString text = script.messagesAsked().value(1).text;
        QVERIFY2(text.startsWith(kFailed), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Compacted: RECIPE20.MDB.")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Left as they were: UTILITY.MDB, MENUS.MDB.")),
                 qPrintable(text));

        QCOMPARE(k.count(QStringLiteral("Recipe20.mdb"), QStringLiteral("recipes")), 40);
        QFile words(k.path(QStringLiteral("Utility.mdb")));
        QVERIFY(words.open(QIODevice::ReadOnly));
        QCOMPARE(words.readAll(), damaged);
        QCOMPARE(fileHash(k.path(QStringLiteral("Menus.mdb"))), menus);
        QVERIFY(!QFile::exists(k.path(QStringLiteral("Temp.mdb"))));

        // The window goes on: the cookbook is open again, the planner back, the recipes listed.
        QVERIFY(w.isEnabled());
        QVERIFY(program().Cookbook.isOpen());
        QCOMPARE(planner.loads, 2);
        QCOMPARE(program().CurrentSection, quint8(1));
        QVERIFY(w.Recipe_List->count() > 0);
    }

    void aFailureBetweenTheStepsLeavesTheOriginalInPlace_data()
    {
        QTest::addColumn<int>("failingFile");
        QTest::addColumn<int>("failingStep");
        QTest::newRow("first file, before compacting") << 0 << int(Compaction::Step::Compacting);
        QTest::newRow("second file, before checking") << 1 << int(Compaction::Step::Checking);
        QTest::newRow("second file, before the rename") << 1 << int(Compaction::Step::Replacing);
        QTest::newRow("last file, before the rename") << 2 << int(Compaction::Step::Replacing);
    }

    void aFailureBetweenTheStepsLeavesTheOriginalInPlace()
    {
        QFETCH(int, failingFile);
        QFETCH(int, failingStep);
        CookbookKitchen k;
        fillAndThin(k);
        const QStringList files = {QStringLiteral("recipe20.mdb"), QStringLiteral("Utility.mdb"),
                                   QStringLiteral("menus.mdb")};
        QList<QByteArray> before;
        for (const QString& f : files)
            before << fileHash(engine::Workspace::resolvePath(k.path(f)));

        Compaction compaction(k.world.path(), files);
        compaction.onStep = [&](const QString& file, Compaction::Step step) {
            if (file == files[failingFile] && int(step) == failingStep)
                throw std::runtime_error("the disk is full");
        };
        QString stoppedAt;
        try {
            compaction.run();
        } catch (const Compaction::Failed& e) {
            stoppedAt = e.file();
            QCOMPARE(e.reason(), QStringLiteral("the disk is full"));
        }
        QCOMPARE(stoppedAt, files[failingFile]);
        QCOMPARE(compaction.compacted(), files.mid(0, failingFile));
        for (int i = failingFile; i < files.size(); ++i)
            QCOMPARE(fileHash(engine::Workspace::resolvePath(k.path(files[i]))), before[i]);
        QVERIFY(!QFile::exists(k.path(QStringLiteral("Temp.mdb"))));
        QCOMPARE(k.count(QStringLiteral("Recipe20.mdb"), QStringLiteral("recipes")), 40);
        QVERIFY(k.count(QStringLiteral("Utility.mdb"), QStringLiteral("Ingredient")) > 0);
    }
};

int runCompactionTests(int argc, char** argv)
{
    TestCompaction t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_compaction.moc"
