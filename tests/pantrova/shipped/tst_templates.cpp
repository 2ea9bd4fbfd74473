// The shipped templates carry every table, field, type and index the program relies on, and the
// starting rows a new cookbook needs; the generators write what benchmarks and conversions expect.
#include "CookbookGenerator.h"
#include "TestWorld.h"
#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Workspace.h"

#include <QTest>

using namespace engine;

namespace {
struct Expected
{
    QByteArray name;
    FieldType type;
    int size = 0;
};

QList<Expected> recipeFields()
{
    QList<Expected> f = {{"Name", FieldType::Text, 50},     {"category_code", FieldType::Long},
                         {"groupnum", FieldType::Integer},  {"Description", FieldType::Memo},
                         {"Ingrediants", FieldType::Memo},  {"Instructions", FieldType::Memo},
                         {"Picture", FieldType::Text, 255}, {"S1", FieldType::Double},
                         {"S2", FieldType::Double},         {"c1", FieldType::Double},
                         {"c2", FieldType::Double}};
    for (int i = 1; i <= 12; ++i) {
        f.append({"G" + QByteArray::number(i), FieldType::Double});
        f.append({"P" + QByteArray::number(i), FieldType::Double});
    }
    return f;
}

void checkTable(Database& db, const QString& table, const QList<Expected>& fields)
{
    TableDef def = db.TableDefs(table);
    QCOMPARE(def.FieldNames().size(), fields.size());
    for (const Expected& e : fields) {
        const Field f = def.FieldInfo(QString::fromLatin1(e.name));
        QVERIFY2(f.Type == e.type, qPrintable(table + u'.' + QString::fromLatin1(e.name)));
        if (e.size)
            QCOMPARE(f.Size, e.size);
    }
}

void checkIndex(Database& db, const QString& table, const QString& index)
{
    Recordset rs = db.OpenRecordset(table);
    rs.Index(index); // throws when the index is missing
    QCOMPARE(rs.Index(), index);
}
} // namespace

class TemplatesTest : public QObject
{
    Q_OBJECT

private slots:
    void templatesHoldWhatTheProgramReadsAndStartsWith()
    {
        TestWorld world;
        Workspace ws;
        Database db = ws.OpenDatabase(QStringLiteral("Recipe70e.mdb"));
        QCOMPARE(db.SchemaVersion(), 2);
        checkTable(db, QStringLiteral("recipes"), recipeFields());
        QList<Expected> report = recipeFields();
        report += {{"extra2", FieldType::Text, 255},
                   {"extra3", FieldType::Text, 255},
                   {"extra5", FieldType::Text, 255}};
        checkTable(db, QStringLiteral("report"), report);
        checkTable(db, QStringLiteral("groups"),
                   {{"groupnum", FieldType::Integer},
                    {"groupname", FieldType::Text, 20},
                    {"section", FieldType::Integer}});
        checkTable(db, QStringLiteral("sections"),
                   {{"section", FieldType::Integer}, {"sectionname", FieldType::Text, 20}});

        // Four sections; groups 1-9 and 13-20 and none of 10-12, each in an existing section.
        QCOMPARE(
            db.OpenRecordset(QStringLiteral("select * from sections order by sectionname")).RecordCount(), 4);
        QList<int> numbers;
        for (Recordset g = db.OpenRecordset(QStringLiteral("select * from groups order by groupnum"));
             !g.isEOF(); g.MoveNext()) {
            numbers.append(int(g.Fields(QStringLiteral("groupnum")).toLong()));
            QVERIFY(g.Text(QStringLiteral("groupname")).size() <= 20);
            const auto section = g.Fields(QStringLiteral("section")).toLong();
            QVERIFY(section >= 1 && section <= 4);
        }
        QCOMPARE(numbers, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 14, 15, 16, 17, 18, 19, 20}));
        for (int section = 1; section <= 4; ++section)
            QVERIFY(db.OpenRecordset(QStringLiteral("select * from groups where section = %1").arg(section))
                        .RecordCount() > 0);
        QCOMPARE(db.OpenRecordset(QStringLiteral("select * from recipes")).RecordCount(), 0);

        // The catalogue, the menus and the word lists.
        Database admin = ws.OpenDatabase(QStringLiteral("AdminE.sys"));
        checkTable(admin, QStringLiteral("recipebooks"),
                   {{"cookbook", FieldType::Text}, {"dbname", FieldType::Text}});
        checkIndex(admin, QStringLiteral("recipebooks"), QStringLiteral("master"));
        checkIndex(admin, QStringLiteral("recipebooks"), QStringLiteral("dbname"));
        Recordset books = admin.OpenRecordset(QStringLiteral("recipebooks"));
        QCOMPARE(books.RecordCount(), 1);
        QCOMPARE(books.Text(QStringLiteral("cookbook")), QStringLiteral("My CookBook"));
        QCOMPARE(books.Text(QStringLiteral("dbname")), QStringLiteral("recipe20.mdb"));

        Database menus = ws.OpenDatabase(QStringLiteral("MenusE.mdb"));
        checkTable(menus, QStringLiteral("mymenus"),
                   {{"menudate", FieldType::Date},
                    {"Breakfast", FieldType::Memo},
                    {"Lunch", FieldType::Memo},
                    {"Dinner", FieldType::Memo},
                    {"Other", FieldType::Memo},
                    {"Dayname", FieldType::Text},
                    {"autodelete", FieldType::Boolean}});
        checkIndex(menus, QStringLiteral("mymenus"), QStringLiteral("master"));
        checkIndex(menus, QStringLiteral("mymenus"), QStringLiteral("deletecheck"));
        QCOMPARE(menus.OpenRecordset(QStringLiteral("mymenus")).RecordCount(), 0);

        Database words = ws.OpenDatabase(QStringLiteral("UtilityE.mdb"));
        for (const char* list : {"Amount", "Amount2", "Measure", "Ingredient"}) {
            const QString name = QString::fromLatin1(list);
            checkTable(words, name, {{list, FieldType::Text}});
            checkIndex(words, name, name);
            QVERIFY(words.OpenRecordset(name).RecordCount() > 0);
        }
        QVERIFY(words.OpenRecordset(QStringLiteral("Ingredient")).RecordCount() >= 200);
        for (const char* fraction : {"1/4", "1/3", "1/2", "3/4"}) {
            Recordset rs = words.OpenRecordset(QStringLiteral("Amount2"));
            rs.Index(QStringLiteral("Amount2"));
            rs.Seek(QStringLiteral("="), QString::fromLatin1(fraction));
            QVERIFY2(!rs.NoMatch(), fraction);
        }
        ws.Close();
    }

    void generatorsWriteWhatTheyPromise()
    {
        TestWorld world;
        CookbookShape shape;
        shape.recipeCount = 300;
        shape.firstGroupCount = 120;
        shape.sameNameInFirstGroup = 5;
        CookbookGenerator::writeCookbook(world.filePath(QStringLiteral("Recipe70e.mdb")),
                                         world.filePath(QStringLiteral("big.mdb")), shape);
        Workspace ws;
        Database db = ws.OpenDatabase(QStringLiteral("big.mdb"));
        QCOMPARE(db.OpenRecordset(QStringLiteral("select * from recipes where groupnum = 1")).RecordCount(),
                 120);
        Recordset soups = db.OpenRecordset(QStringLiteral(
            "select * from recipes where name = 'chicken soup' and groupnum = 1 order by category_code"));
        QVERIFY(soups.RecordCount() >= 5);
        soups.MoveLast();
        QCOMPARE(soups.Fields(QStringLiteral("category_code")).toLong(), soups.RecordCount());

        CookbookGenerator::writeOldFormatCookbook(
            world.filePath(QStringLiteral("old.mdb")), 2,
            {QStringLiteral("Mom's"), QStringLiteral("Quick"), QStringLiteral("Party")});
        Database old = ws.OpenDatabase(QStringLiteral("old.mdb"));
        QVERIFY_THROWS_EXCEPTION(EngineError, old.OpenRecordset(QStringLiteral("groups")));
        for (const QString& table : CookbookGenerator::oldCategoryTables())
            QCOMPARE(old.OpenRecordset(table).RecordCount(), 2);
        QCOMPARE(old.OpenRecordset(QStringLiteral("pnames")).Text(QStringLiteral("personal1")),
                 QStringLiteral("Mom's"));
        ws.Close();
    }
};

QTEST_GUILESS_MAIN(TemplatesTest)
#include "tst_templates.moc"
