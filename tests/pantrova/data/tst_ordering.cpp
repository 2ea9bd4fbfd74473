// Our own ordering of text, the same under every locale; files of the first layout brought up to
// date on opening; and cookbooks that a plain SQLite connection, without the engine, can read.
#include "DataKit.h"

#include <QProcess>

#include <clocale>

using namespace engine;

namespace {

// In the order a cook expects: digits before letters, case and accents ignored first, then
// accents, then the exact text; letters without a decomposition (ı, Œ) after the Latin ones.
const QStringList kOrdered = {
    QStringLiteral("10 Minute Soup"), QStringLiteral("7 Layer Dip"), QStringLiteral("angel food"),
    QStringLiteral("Ångström cake"),  QStringLiteral("Apple"),       QStringLiteral("apple"),
    QStringLiteral("Eclair"),         QStringLiteral("eclair"),      QStringLiteral("Éclair"),
    QStringLiteral("Ice cream"),      QStringLiteral("İrmik"),       QStringLiteral("zucchini bread"),
    QStringLiteral("ıspanak"),        QStringLiteral("Œufs")};

QStringList shuffled()
{
    QStringList names = kOrdered;
    std::reverse(names.begin(), names.end());
    names.move(3, 9);
    return names;
}

QStringList groupList(Database& db)
{
    QStringList out;
    Recordset rs = db.OpenRecordset(
        QStringLiteral("select * from recipes where groupnum = 1 order by name + trim(str(category_code))"));
    for (; !rs.isEOF(); rs.MoveNext())
        out.append(rs.Text(QStringLiteral("Name")));
    return out;
}

// Runs the engine writer under a locale that is not this process's.
QString runWriter(const QString& locale, const QStringList& args)
{
    QProcess writer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_COLLATE", "LC_CTYPE", "LANG", "LANGUAGE"})
        env.insert(QString::fromLatin1(name), locale);
    writer.setProcessEnvironment(env);
    writer.start(QStringLiteral(ENGINE_WRITER), args);
    if (!writer.waitForFinished(60000) || writer.exitCode() != 0)
        return QStringLiteral("writer failed: ") + QString::fromUtf8(writer.readAllStandardError());
    return QString::fromUtf8(writer.readAllStandardOutput());
}

// A cookbook as the first layout wrote it: text columns declared with the program's own collation
// under its first name, and its indexes built in that collation's order (É after z).
void writeFirstLayoutCookbook(const QString& path, const QStringList& names)
{
    Workspace ws;
    Database db = ws.CreateDatabase(path);
    QString script = QStringLiteral(
        "BEGIN;"
        "CREATE TABLE sections (section SMALLINT, sectionname TEXT(20) COLLATE UNICASE);"
        "CREATE TABLE groups (groupnum SMALLINT, groupname TEXT(20) COLLATE UNICASE, section SMALLINT);"
        "CREATE TABLE recipes (Name TEXT(50) COLLATE UNICASE, category_code INTEGER, groupnum SMALLINT,"
        " Instructions LONGTEXT COLLATE UNICASE);"
        "CREATE INDEX pv_recipes_by_group ON recipes(groupnum, Name, category_code);"
        "CREATE TABLE Ingredient (Ingredient TEXT(255) COLLATE UNICASE);"
        "CREATE INDEX ix_Ingredient_Ingredient ON Ingredient(Ingredient);"
        "INSERT INTO sections VALUES (1, 'Main Dishes');"
        "INSERT INTO groups VALUES (1, 'Beef', 1);");
    for (const QString& name : names)
        script += QStringLiteral("INSERT INTO recipes VALUES ('%1', 1, 1, 'Stir.');"
                                 "INSERT INTO Ingredient VALUES ('%1');")
                      .arg(name);
    script += QStringLiteral("PRAGMA user_version = 1; COMMIT;");
    db.ExecuteScript(script);
}

} // namespace

class OrderingTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_world = std::make_unique<TestWorld>();
        copyCookbook(*m_world, QStringLiteral("book.mdb"));
    }
    void cleanup() { m_world.reset(); }

    void textSortsAsACookExpects()
    {
        OpenBook book(QStringLiteral("book.mdb"));
        Database& db = book.db;
        for (const QString& name : shuffled())
            db.Execute(QStringLiteral("INSERT INTO recipes (Name, category_code, groupnum) VALUES (?, 1, 1)"),
                       {Value(name)});
        QCOMPARE(groupList(db), kOrdered);
        // WHERE ignores case, not accents; a table-type index finds by the same rule.
        auto count = [&](const QString& name) {
            return rows(db, QStringLiteral("select * from recipes where name = ?"), {Value(name)});
        };
        QCOMPARE(count(QStringLiteral("ECLAIR")), 2);
        QCOMPARE(count(QStringLiteral("éCLAIR")), 1);
        QCOMPARE(count(QStringLiteral("İRMIK")), 1);
        QCOMPARE(count(QStringLiteral("IRMIK")), 0); // İ is I with a dot above, an accent
        QCOMPARE(rows(db, QStringLiteral("select * from recipes where [Name] >= 'e' and name < 'f'")), 3);
    }

    // The same cookbook written under one locale and read under another: same order, and the
    // stored indexes are valid under both.
    void orderingDoesNotDependOnTheLocale()
    {
        const QString book = m_world->filePath(QStringLiteral("book.mdb"));
        QCOMPARE(
            runWriter(QStringLiteral("tr_TR.UTF-8"), QStringList{book, QStringLiteral("add")} + shuffled()),
            QString());
        const QString listedInGerman =
            runWriter(QStringLiteral("de_DE.UTF-8"), {book, QStringLiteral("list")});
        QCOMPARE(listedInGerman.split(u'\n', Qt::SkipEmptyParts), kOrdered);

        const QByteArray previous = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, "C");
        QCOMPARE(integrity(book), QStringLiteral("ok"));
        QCOMPARE(groupList(OpenBook(book)), kOrdered);
        std::setlocale(LC_ALL, previous.constData());
        QCOMPARE(PlainConnection(book).column("PRAGMA integrity_check"), QStringList{QStringLiteral("ok")});
    }

    // A file of the first layout is brought up to date when it is opened: in one step, all rows kept,
    // its indexes rebuilt, and from then on readable by any tool.
    void aFirstLayoutFileIsBroughtUpToDateOnOpening()
    {
        const QString old = m_world->filePath(QStringLiteral("old.mdb"));
        writeFirstLayoutCookbook(old, shuffled());
        QVERIFY(
            PlainConnection(old).column("SELECT count(*) FROM recipes").constFirst().startsWith(u"error"));

        Workspace ws;
        Database db = ws.OpenDatabase(old);
        QCOMPARE(db.SchemaVersion(), 2);
        QCOMPARE(groupList(db), kOrdered);
        Recordset words = db.OpenRecordset(QStringLiteral("Ingredient"));
        words.Index(QStringLiteral("Ingredient"));
        words.Seek(QStringLiteral("="), QStringLiteral("zucchini BREAD"));
        QVERIFY(!words.NoMatch());
        QCOMPARE(words.AbsolutePosition(), kOrdered.indexOf(QStringLiteral("zucchini bread")));
        ws.Close();

        PlainConnection plain(old);
        QCOMPARE(plain.column("SELECT count(*) FROM sqlite_master WHERE sql LIKE '%UNICASE%'"),
                 QStringList{QStringLiteral("0")});
        QCOMPARE(plain.column("PRAGMA integrity_check"), QStringList{QStringLiteral("ok")});
        QCOMPARE(plain.column("SELECT count(*) FROM recipes"), QStringList{QString::number(kOrdered.size())});
    }

private:
    std::unique_ptr<TestWorld> m_world;
};

static const bool added = addDataTest<OrderingTest>();

#include "tst_ordering.moc"
