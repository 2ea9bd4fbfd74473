// The checks run on every opened cookbook: conversion of old-format cookbooks and the numeric
// serving and nutrition fields.

#include "CookbookGenerator.h"
#include "CookbookKitchen.h"

#include <QComboBox>
#include <QDir>

using namespace pantrova;

namespace {

const QString kAnnounce =
    QStringLiteral("The Cookbook being opened has not been converted\nto version 7.x. The "
                   "Cookbook will now be converetd.\n\nThe old version file will be saved as: ");
const QString kConverted = QStringLiteral("The Cookbook has been converted to version 7.x.");

void writeOld(CookbookKitchen& k, const QStringList& personal, const QStringList& tables = {})
{
    CookbookGenerator::writeOldFormatCookbook(k.path(QStringLiteral("Recipe20.mdb")), 3, personal, tables);
}

// Opening and closing through the engine once settles a file written elsewhere, so later
// comparisons see only what the checks do.
void settle(const QString& path)
{
    engine::Workspace ws;
    ws.OpenDatabase(path).Close();
}

QList<QByteArray> hashesOf(const CookbookKitchen& k)
{
    QList<QByteArray> hashes;
    for (const QString& f : k.files())
        hashes << fileHash(k.path(f));
    return hashes;
}

engine::Field fieldOf(const CookbookKitchen& k, const QString& table, const QString& field)
{
    engine::Workspace ws;
    engine::Database db = ws.OpenDatabase(k.path(QStringLiteral("Recipe20.mdb")));
    engine::TableDef def = db.TableDefs(table);
    engine::Field f = def.HasField(field) ? def.FieldInfo(field) : engine::Field{};
    db.Close();
    return f;
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void init() { program().reset(); }
    void cleanup() { program().reset(); }

    void aCurrentCookbookOpensWithoutAMessageAndWithoutAWrite()
    {
        CookbookKitchen k;
        settle(k.path(QStringLiteral("Recipe20.mdb")));
        const QStringList files = k.files();
        const QList<QByteArray> hashes = hashesOf(k);
        ui::ScriptedDialogs script(failTest());
        k.open();
        k.window.reset();
        QVERIFY(script.allAnswered());
        QCOMPARE(k.files(), files);
        QCOMPARE(hashesOf(k), hashes);
    }

    void anOldCookbookIsConvertedAndItsBackupKept()
    {
        CookbookKitchen k;
        writeOld(k, {QStringLiteral("Mom's \"Best\""), QStringLiteral("Holiday"), QStringLiteral("Kids")});
        ui::ScriptedDialogs script(failTest());
        script.expectMessage(kAnnounce + QStringLiteral("recipe20.70")).expectMessage(kConverted);
        RecipeNew& w = k.open();
        QVERIFY(script.allAnswered());
        QCOMPARE(script.messagesAsked().value(0).icon, ui::MsgIcon::Information);

        // The backup holds the old cookbook as it was.
        QCOMPARE(k.count(QStringLiteral("recipe20.70"), QStringLiteral("Beef")), 3);
        QCOMPARE(k.count(QStringLiteral("recipe20.70"), QStringLiteral("Misc")), 3);
        QCOMPARE(k.column(QStringLiteral("recipe20.70"), QStringLiteral("select personal1 from pnames"),
                          QStringLiteral("personal1")),
                 QStringList{"Mom's \"Best\""});

        // The cookbook holds every old recipe in its category's group, names cleaned.
        const QString cookbook = QStringLiteral("Recipe20.mdb");
        QCOMPARE(k.count(cookbook, QStringLiteral("recipes")), 60);
        QCOMPARE(k.column(cookbook,
                          QStringLiteral("select Name from recipes where groupnum = 1 order by Name"),
                          QStringLiteral("Name")),
                 (QStringList{"Beef No. 1s", "Beef No. 2s", "Beef No. 3s"}));
        QCOMPARE(k.column(cookbook,
                          QStringLiteral("select Name from recipes where groupnum = 20 order by Name"),
                          QStringLiteral("Name"))
                     .value(0),
                 QStringLiteral("Misc No. 1s"));
        QVERIFY(k.column(cookbook,
                         QStringLiteral(
                             "select Name from recipes where not isnumeric(groupnum) or groupnum < 1 or "
                             "groupnum > 20"),
                         QStringLiteral("Name"))
                    .isEmpty());
        QCOMPARE(
            k.column(cookbook,
                     QStringLiteral("select groupname || '/' || section as g from groups where groupnum >= "
                                    "10 and groupnum <= 12 order by groupnum"),
                     QStringLiteral("g")),
            (QStringList{"Moms Best/1", "Holiday/1", "Kids/1"}));
        QVERIFY(!k.files().contains(QStringLiteral(".Converting.mdb")));

        QCOMPARE(w.windowTitle(), QStringLiteral("Pantrova - My CookBook"));
        QCOMPARE(program().CurrentGroup, qint16(1)); // Beef, the first group of section 1
        QCOMPARE(w.Recipe_List->count() > 0, true);

        // Opened again, it is a current cookbook: nothing more happens.
        k.window.reset();
        program().Cookbook.Close();
        k.open();
        QVERIFY(script.allAnswered());
    }

    // A backup never takes the place of an earlier one, and keeps the whole of a name with a dot.
    void anEarlierBackupIsNeverOverwritten()
    {
        CookbookKitchen k;
        writeOld(k, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        const QByteArray earlier("the backup of an earlier conversion");
        writeFile(k.path(QStringLiteral("recipe20.70")), earlier);

        ui::ScriptedDialogs script(failTest());
        script.expectMessage(kAnnounce + QStringLiteral("recipe20-2.70")).expectMessage(kConverted);
        k.open();
        QVERIFY(script.allAnswered());
        QCOMPARE(fileHash(k.path(QStringLiteral("recipe20.70"))),
                 QCryptographicHash::hash(earlier, QCryptographicHash::Sha256));
        QCOMPARE(k.count(QStringLiteral("recipe20-2.70"), QStringLiteral("Soup")), 3);

        const QString path = k.path(QStringLiteral("Mrs. Smith.mdb"));
        CookbookGenerator::writeOldFormatCookbook(path, 1, {}, {QStringLiteral("Pies")});
        script.expectMessage(kAnnounce + QStringLiteral("Mrs. Smith.70")).expectMessage(kConverted);
        engine::Database db = program().Workspace().OpenDatabase(path);
        CookbookChecks::run(db);
        QVERIFY(script.allAnswered());
        QVERIFY(db.isOpen());
        db.Close();
        QCOMPARE(k.count(QStringLiteral("Mrs. Smith.mdb"), QStringLiteral("recipes")), 1);
        QCOMPARE(k.count(QStringLiteral("Mrs. Smith.70"), QStringLiteral("Pies")), 1);
        QVERIFY(!QFile::exists(k.path(QStringLiteral("Mrs.70"))));
    }

    void missingTablesAreSkippedAndMissingPersonalNamesNamedAfterTheirGroup()
    {
        CookbookKitchen k;
        writeOld(k, {}, {QStringLiteral("Beef"), QStringLiteral("Soup")});
        k.execute(QStringLiteral("Recipe20.mdb"), QStringLiteral("drop table pnames"));
        ui::ScriptedDialogs script(failTest());
        script.expectMessageContaining(kAnnounce).expectMessage(kConverted);
        k.open();
        QVERIFY(script.allAnswered());
        const QString cookbook = QStringLiteral("Recipe20.mdb");
        QCOMPARE(k.column(cookbook,
                          QStringLiteral("select str(groupnum) as g from recipes order by groupnum"),
                          QStringLiteral("g")),
                 (QStringList{" 1", " 1", " 1", " 17", " 17", " 17"}));
        QCOMPARE(
            k.column(cookbook,
                     QStringLiteral("select groupname from groups where groupnum >= 10 and groupnum <= 12 "
                                    "order by groupnum"),
                     QStringLiteral("groupname")),
            (QStringList{"Group 10", "Group 11", "Group 12"}));
    }

    void personalNamesAreCutToTwentyCharactersAndKeptApartFromOtherGroups()
    {
        CookbookKitchen k;
        writeOld(k, {QStringLiteral("Grandmother's Sunday Dinners"), QString(), QStringLiteral("beef")},
                 {QStringLiteral("Personal1")});
        k.execute(QStringLiteral("Recipe20.mdb"), QStringLiteral("update pnames set personal2 = NULL"));
        ui::ScriptedDialogs script(failTest());
        script.expectMessageContaining(kAnnounce).expectMessage(kConverted);
        k.open();
        QVERIFY(script.allAnswered());
        QCOMPARE(
            k.column(QStringLiteral("Recipe20.mdb"),
                     QStringLiteral("select groupname from groups where groupnum >= 10 and groupnum <= 12 "
                                    "order by groupnum"),
                     QStringLiteral("groupname")),
            (QStringList{"Grandmothers Sunday", "Group 11", "beef 12"}));
        QCOMPARE(k.column(QStringLiteral("Recipe20.mdb"),
                          QStringLiteral("select str(groupnum) as g from recipes"), QStringLiteral("g")),
                 (QStringList{" 10", " 10", " 10"}));
    }

    void aConversionThatFailsHalfWayLeavesTheOldCookbookAsItWas()
    {
        CookbookKitchen k;
        writeOld(k, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        // A category table no recipe can come from: the copy fails after the first sixteen.
        k.script(QStringLiteral("Recipe20.mdb"),
                 QStringLiteral("drop table Soup; create table Soup (Unrelated "
                                "TEXT); insert into Soup values ('x');"));
        const QString path = k.path(QStringLiteral("Recipe20.mdb"));
        settle(path);
        const QStringList files = k.files();
        const QByteArray before = fileHash(path);

        ui::ScriptedDialogs script(failTest());
        script.expectMessage(kAnnounce + QStringLiteral("recipe20.70"));
        engine::Database db = program().Workspace().OpenDatabase(path);
        QString error;
        try {
            CookbookChecks::run(db);
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        QVERIFY(script.allAnswered());
        QVERIFY2(error.startsWith(QStringLiteral("The Cookbook could not be converted")), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("Nothing was lost")), qPrintable(error));
        QVERIFY(!db.isOpen());
        QCOMPARE(k.files(), files); // no backup, no scratch file left behind
        QCOMPARE(fileHash(path), before);
    }

    void aFileInNeitherFormatIsLeftAlone()
    {
        CookbookKitchen k;
        const QString path = k.path(QStringLiteral("Recipe20.mdb"));
        QFile::remove(path);
        {
            engine::Workspace ws;
            engine::Database db = ws.CreateDatabase(path);
            db.ExecuteScript(
                QStringLiteral("CREATE TABLE shopping (item TEXT); INSERT INTO shopping VALUES ('eggs');"));
            db.Close();
        }
        settle(path);
        const QByteArray before = fileHash(path);
        ui::ScriptedDialogs script(failTest());
        engine::Database db = program().Workspace().OpenDatabase(path);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, CookbookChecks::run(db));
        db.Close();
        QVERIFY(script.allAnswered());
        QCOMPARE(fileHash(path), before);
        QVERIFY(!QFile::exists(k.path(QStringLiteral("recipe20.70"))));
    }

    void missingNumericFieldsAreAddedWhereTheyAreMissing()
    {
        CookbookKitchen k;
        k.execute(QStringLiteral("Recipe20.mdb"),
                  QStringLiteral("insert into recipes (Name, category_code, groupnum, "
                                 "c1) values ('Chili', 1, 1, 350)"));
        k.script(QStringLiteral("Recipe20.mdb"),
                 QStringLiteral("ALTER TABLE report DROP COLUMN P7; ALTER TABLE recipes DROP COLUMN G3; "
                                "ALTER TABLE recipes DROP COLUMN S1; ALTER TABLE report DROP COLUMN c2; "
                                "ALTER TABLE recipes DROP COLUMN P12; ALTER TABLE recipes DROP COLUMN G12;"));
        ui::ScriptedDialogs script(failTest());
        k.open();
        QVERIFY(script.allAnswered());
        for (const auto& [table, field] : {std::pair{"report", "P7"},
                                           {"recipes", "G3"},
                                           {"recipes", "S1"},
                                           {"report", "C2"},
                                           {"recipes", "P7"},
                                           {"recipes", "P12"},
                                           {"recipes", "G12"}}) {
            const engine::Field f = fieldOf(k, QString::fromLatin1(table), QString::fromLatin1(field));
            QVERIFY2(f.Type == engine::FieldType::Double && !f.Name.isEmpty(), field);
        }
        QCOMPARE(k.column(QStringLiteral("Recipe20.mdb"),
                          QStringLiteral("select c1 || '|' || ifnull(S1, 'Null') as v from recipes"),
                          QStringLiteral("v")),
                 QStringList{"350.0|Null"});
    }
};

int runConversionTests(int argc, char** argv)
{
    TestConversion t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_conversion.moc"
