// A database file and its companions as one file: what a killed writer leaves, copies, renames,
// replacements and removals that take the log along, and failures that leave nothing half-done.
#include "DataKit.h"
#include "data/DatabaseFiles.h"
#include "data/EngineError.h"
#include "data/ProgramFolder.h"
#include "data/Salvage.h"

#include <QProcess>

#include <csignal>
#include <sys/resource.h>

using namespace engine;

namespace {

int recipesNamed(const QString& file, const QString& prefix)
{
    return rows(OpenBook(file), QStringLiteral("select * from recipes where name like ?"),
                {Value(prefix + QStringLiteral("%"))});
}

// The file holds exactly the writer's committed recipes, and is sound.
void checkCommitted(const QString& file, int committed)
{
    QCOMPARE(recipesNamed(file, QStringLiteral("Committed")), committed);
    QCOMPARE(recipesNamed(file, QStringLiteral("Uncommitted")), 0);
    QCOMPARE(integrity(file), QStringLiteral("ok"));
}

// Runs the crash writer on `file` and kills it with SIGKILL once it says it is ready.
void killWriter(const QString& file, int committed, const QString& mode)
{
    QProcess writer;
    writer.start(QStringLiteral(ENGINE_WRITER),
                 {file, QStringLiteral("crash"), QString::number(committed), mode});
    QVERIFY(writer.waitForStarted());
    QByteArray said;
    while (!said.contains("ready") && writer.waitForReadyRead(20000))
        said += writer.readAllStandardOutput();
    QVERIFY2(said.contains("ready"), writer.readAllStandardError().constData());
    writer.kill();
    QVERIFY(writer.waitForFinished());
    QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
}

} // namespace

class DatabaseFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_world = std::make_unique<TestWorld>(); }
    void cleanup() { m_world.reset(); }

    void aKilledWriterLeavesCommittedRowsInTheFileAlone_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("killed in the middle of a transaction") << QStringLiteral("mid");
        QTest::newRow("killed after its last commit") << QStringLiteral("after");
    }
    void aKilledWriterLeavesCommittedRowsInTheFileAlone()
    {
        QFETCH(QString, mode);
        const QString book = copyCookbook(*m_world, QStringLiteral("Recipe20.mdb"));
        killWriter(book, 5, mode);
        // In the middle of a transaction the unfinished work reached the log.
        QCOMPARE(DatabaseFiles::hasLeftoverLog(book), mode == u"mid");

        // The file alone, copied without its companions, is a whole backup.
        QVERIFY(QFile::copy(book, m_world->filePath(QStringLiteral("alone.mdb"))));
        for (const QString& file : {QStringLiteral("alone.mdb"), QStringLiteral("Recipe20.mdb")})
            checkCommitted(file, 5);
        QVERIFY(!DatabaseFiles::hasLeftoverLog(book)); // opening folded the leftover in
    }

    // What a cook does by hand after a crash: deletes the cookbook (start-up then copies the
    // template), or puts a backup in its place. The log the crash left must harm neither.
    void aLeftoverLogNeverMeetsAnotherFile()
    {
        pantrova::ProgramFolder folder(m_world->path());
        const QString book = m_world->filePath(QStringLiteral("Recipe20.mdb"));
        const QString backup = m_world->filePath(QStringLiteral("backup.mdb"));
        folder.copyTemplate(QStringLiteral("Recipe70e.mdb"), QStringLiteral("backup.mdb"));
        killWriter(backup, 40, QStringLiteral("after"));
        folder.copyTemplate(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Recipe20.mdb"));

        killWriter(book, 3, QStringLiteral("mid"));
        QVERIFY(QFile::remove(book));
        folder.copyTemplate(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Recipe20.mdb"));
        QCOMPARE(recipesNamed(book, QString()), 0);
        QCOMPARE(integrity(book), QStringLiteral("ok"));

        killWriter(book, 3, QStringLiteral("mid"));
        QVERIFY(QFile::remove(book));
        QVERIFY(QFile::copy(backup, book));
        checkCommitted(book, 40);
    }

    void companionsTravelWithTheirFile()
    {
        const QString a = m_world->filePath(QStringLiteral("a.mdb"));
        const QString b = m_world->filePath(QStringLiteral("b.mdb"));
        const QString c = m_world->filePath(QStringLiteral("c.mdb"));
        writeFile(a, "file a");
        writeFile(a + QStringLiteral("-wal"), "log of a");
        writeFile(a + QStringLiteral("-shm"), "index of a");
        writeFile(b + QStringLiteral("-wal"), "stale log");
        writeFile(b + QStringLiteral("-journal"), "stale journal");

        // A copy carries the log (it may hold what the file lacks), never the stale ones it finds.
        DatabaseFiles::copy(a, b);
        QCOMPARE(readFile(b), QByteArray("file a"));
        QCOMPARE(readFile(b + QStringLiteral("-wal")), QByteArray("log of a"));
        QVERIFY(!QFile::exists(b + QStringLiteral("-journal")));
        QVERIFY(!QFile::exists(b + QStringLiteral("-shm")));
        QCOMPARE(readFile(a + QStringLiteral("-wal")), QByteArray("log of a"));
        QVERIFY_THROWS_EXCEPTION(EngineError, DatabaseFiles::copy(a, b));
        QCOMPARE(DatabaseFiles::size(b), 6);

        writeFile(c + QStringLiteral("-shm"), "stale index");
        DatabaseFiles::rename(a, c);
        QVERIFY(!DatabaseFiles::exists(a));
        QVERIFY(!QFile::exists(a + QStringLiteral("-wal")) && !QFile::exists(a + QStringLiteral("-shm")));
        QCOMPARE(readFile(c + QStringLiteral("-wal")), QByteArray("log of a"));
        QVERIFY(!QFile::exists(c + QStringLiteral("-shm")));
        QVERIFY_THROWS_EXCEPTION(EngineError, DatabaseFiles::rename(b, c)); // c exists

        writeFile(b, "file b");
        QFile::remove(b + QStringLiteral("-wal"));
        DatabaseFiles::replace(b, c);
        QCOMPARE(readFile(c), QByteArray("file b"));
        QVERIFY(!QFile::exists(c + QStringLiteral("-wal"))); // c's old log went with the old c
        QVERIFY(!DatabaseFiles::exists(b));

        writeFile(c + QStringLiteral("-journal"), "journal");
        DatabaseFiles::remove(c);
        for (const QString& companion : DatabaseFiles::companionsOf(c))
            QVERIFY(!QFile::exists(companion));
        QVERIFY(!DatabaseFiles::exists(c));
        DatabaseFiles::remove(c); // already gone: fine
        QCOMPARE(causeOf([&] { DatabaseFiles::copy(c, a); }), EngineError::Cause::Missing);
    }

    void anOpenFileIsNotPulledAway()
    {
        const QString book = copyCookbook(*m_world, QStringLiteral("book.mdb"));
        Workspace ws;
        Database db = ws.OpenDatabase(QStringLiteral("book.mdb"));
        QVERIFY(DatabaseFiles::isOpen(book));
        // An open file must not be touched.
        QCOMPARE(causeOf([&] { DatabaseFiles::remove(book); }), EngineError::Cause::InUse);
        QCOMPARE(causeOf([&] { DatabaseFiles::rename(book, m_world->filePath(QStringLiteral("x.mdb"))); }),
                 EngineError::Cause::InUse);
        QCOMPARE(causeOf([&] {
                     DatabaseFiles::copy(m_world->filePath(QStringLiteral("MenusE.mdb")), book, true);
                 }),
                 EngineError::Cause::InUse);
        QCOMPARE(integrity(book), QStringLiteral("ok"));
        db.Close();
        QVERIFY(!DatabaseFiles::isOpen(book));
        DatabaseFiles::remove(book);
    }

    // A disk that fills up during a copy: the cause is named and no half-written file is left.
    void aFullDiskLeavesNoHalfWrittenCopy()
    {
        const QString target = m_world->filePath(QStringLiteral("Recipe20.mdb"));
        QVERIFY(writeFile(target, "the old file"));
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 8192;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const EngineError::Cause cause = causeOf(
            [&] { DatabaseFiles::copy(m_world->filePath(QStringLiteral("Recipe70e.mdb")), target, true); });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        QCOMPARE(cause, EngineError::Cause::DiskFull);
        QCOMPARE(readFile(target), QByteArray("the old file"));
        QCOMPARE(
            QDir(m_world->path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral("copying")),
            QStringList());
    }

    // Files the program cannot use: the check says so, opening refuses them, and neither writes a
    // byte to them.
    void damagedFilesAreRefusedAndLeftAsTheyWere_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("random bytes") << QByteArray(8192, '\xA5');
        QTest::newRow("text") << QByteArray("Grandma's recipes, typed in by hand.\n").repeated(200);
        const QByteArray whole = readFile(TestWorld::builtProgramDir() + QStringLiteral("/Recipe70e.mdb"));
        QTest::newRow("cut short") << whole.left(whole.size() / 2);
        QByteArray badHeader = whole;
        badHeader[16] = 3; // a page size that cannot be
        QTest::newRow("damaged header") << badHeader;
    }
    void damagedFilesAreRefusedAndLeftAsTheyWere()
    {
        QFETCH(QByteArray, content);
        const QString file = m_world->filePath(QStringLiteral("Admin.sys"));
        QVERIFY(writeFile(file, content));
        const DatabaseCheck check = Workspace::CheckDatabase(QStringLiteral("admin.sys"));
        QCOMPARE(check.verdict, DatabaseCheck::Verdict::Unusable);
        QCOMPARE(check.cause, EngineError::Cause::Damaged);
        QCOMPARE(causeOf([] { (void)OpenBook(QStringLiteral("admin.sys")); }), EngineError::Cause::Damaged);
        QCOMPARE(readFile(file), content);
        QVERIFY(!QFile::exists(file + QStringLiteral("-wal")));
    }

    // A cookbook with one damaged page: the check tells, the rows that can be read are counted and
    // copied into a fresh file, and the damaged file stays as it was.
    void readableRowsOfAPartlyDamagedCookbookAreSaved()
    {
        const QString book = copyCookbook(*m_world, QStringLiteral("book.mdb"));
        {
            OpenBook opened(book);
            Database& db = opened.db;
            Transaction t(db);
            for (int i = 1; i <= 12; ++i)
                db.Execute(
                    QStringLiteral("INSERT INTO recipes (Name, category_code, groupnum, Instructions) "
                                   "VALUES (?, 1, 2, ?)"),
                    {Value(QStringLiteral("Bread %1").arg(i)),
                     Value(QString(3000, u'a') + QStringLiteral("MARKER-%1-").arg(i) + QString(3000, u'b'))});
            db.Execute(QStringLiteral("UPDATE groups SET groupname = 'My Breads' WHERE groupnum = 2"));
            t.commit();
        }
        QCOMPARE(Workspace::CheckDatabase(book).verdict, DatabaseCheck::Verdict::Whole);
        // The table page that holds the row of "Bread 7" is overwritten; its neighbours on that
        // page are lost with it, and only with it.
        QByteArray bytes = readFile(book);
        qsizetype at = -1;
        for (qsizetype from = 0; (from = bytes.indexOf("Bread 7", from)) >= 0; ++from)
            if (bytes.mid(from + 7, 6).contains("aaaa"))
                at = from;
        QVERIFY(at > 0);
        const qsizetype page = at / 4096 * 4096;
        int lost = 0;
        for (qsizetype from = page; (from = bytes.indexOf("Bread ", from)) >= 0 && from < page + 4096; ++from)
            lost += bytes.mid(from + 6, 8).contains("aaaa") ? 1 : 0;
        QVERIFY(lost >= 1);
        bytes.replace(page, 4096, QByteArray(4096, '\xFF'));
        QVERIFY(writeFile(book, bytes));

        const DatabaseCheck check = Workspace::CheckDatabase(book);
        QCOMPARE(check.verdict, DatabaseCheck::Verdict::PartlyDamaged);
        const Salvage::Rows counted = Salvage::countRows(book, QStringLiteral("recipes"));
        QCOMPARE(counted.unreadable, lost);
        QCOMPARE(counted.readable, 12 - lost);

        OpenBook opened(copyCookbook(*m_world, QStringLiteral("fresh.mdb")));
        Database& db = opened.db;
        {
            Transaction t(db);
            QCOMPARE(
                Salvage::copyRows(book, QStringLiteral("groups"), db, QStringLiteral("groupnum")).readable,
                17);
            QCOMPARE(Salvage::copyRows(book, QStringLiteral("recipes"), db).readable, 12 - lost);
            t.commit();
        }
        QCOMPARE(rows(db, QStringLiteral("select * from recipes where groupnum = 2")), 12 - lost);
        QCOMPARE(rows(db, QStringLiteral("select * from groups where groupname = 'my breads'")), 1);
        QCOMPARE(rows(db, QStringLiteral("select * from groups")), 17);
        QCOMPARE(readFile(book), bytes);
    }

private:
    std::unique_ptr<TestWorld> m_world;
};

static const bool added = addDataTest<DatabaseFilesTest>();

#include "tst_databasefiles.moc"
