// The engine layer over real files: recordsets, navigation, editing, indexes, table definitions,
// compaction and failures.
#include "DataKit.h"
#include "data/EngineError.h"
#include "data/SqlText.h"

using namespace engine;

Q_DECLARE_METATYPE(engine::Value)

namespace {
const QString kNasty = QStringLiteral("Grandma's \"Best\" [Soup]; DROP TABLE recipes; --");

void addRecipe(Database& db, const QString& name, int code, int group, const Value& description = {})
{
    db.Execute(QStringLiteral(
                   "INSERT INTO recipes (Name, category_code, groupnum, Description) VALUES (?, ?, ?, ?)"),
               {Value(name), Value(code), Value(group), description});
}

QStringList names(Recordset rs)
{
    QStringList out;
    for (; !rs.isEOF(); rs.MoveNext())
        out.append(rs.Text(QStringLiteral("Name")) + rs.Fields(QStringLiteral("category_code")).toText());
    return out;
}
} // namespace

class EngineTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> m_world;
    Workspace m_ws;
    Database m_db;

    Recordset group(int groupnum)
    {
        return m_db.OpenRecordset(
            QStringLiteral("select * from recipes where groupnum = %1 order by name").arg(groupnum));
    }

private slots:
    void init()
    {
        m_world = std::make_unique<TestWorld>();
        copyCookbook(*m_world, QStringLiteral("book.mdb"));
        m_db = m_ws.OpenDatabase(QStringLiteral("book.mdb"));
    }
    void cleanup()
    {
        m_ws.Close();
        m_world.reset();
    }

    // The group list orders by name and category joined: a name that begins another comes first,
    // and names that differ only in case follow their category.
    void groupListOrdersByNameThenCategory()
    {
        addRecipe(m_db, QStringLiteral("Soup"), 2, 17);
        addRecipe(m_db, QStringLiteral("soup"), 1, 17);
        addRecipe(m_db, QStringLiteral("Sou"), 1, 17);
        QCOMPARE(names(m_db.OpenRecordset(QStringLiteral(
                     "select * from recipes where groupnum = 17 order by name + trim(str(category_code))"))),
                 (QStringList{QStringLiteral("Sou1"), QStringLiteral("soup1"), QStringLiteral("Soup2")}));
    }

    void navigationAndBookmarks()
    {
        for (int i = 0; i < 5; ++i)
            addRecipe(m_db, QStringLiteral("R%1").arg(i), 1, 2);
        Recordset rs = group(2);
        QCOMPARE(rs.RecordCount(), 5);
        QVERIFY(!rs.isBOF());
        rs.MoveNext();
        rs.MoveNext();
        const Bookmark mark = rs.bookmark();
        rs.MoveLast();
        QCOMPARE(rs.Text(QStringLiteral("Name")), QStringLiteral("R4"));
        rs.MoveNext();
        QVERIFY(rs.isEOF());
        QVERIFY_THROWS_EXCEPTION(EngineError, rs.MoveNext());
        rs.setBookmark(mark);
        QCOMPARE(rs.Text(QStringLiteral("Name")), QStringLiteral("R2"));
        rs.MoveFirst();
        rs.MovePrevious();
        QVERIFY(rs.isBOF());

        Recordset empty = m_db.OpenRecordset(QStringLiteral("select * from recipes where groupnum = 99"));
        QCOMPARE(empty.RecordCount(), 0);
        QVERIFY(empty.isEOF() && empty.isBOF());
        QVERIFY_THROWS_EXCEPTION(EngineError, empty.MoveFirst());
    }

    // A new row starts Null and stays current after Update, where it joins the end until reopened;
    // Null reads as empty text and can be written back without touching the other fields.
    void addNewAndEditKeepTheRowCurrent()
    {
        addRecipe(m_db, QStringLiteral("B"), 1, 3);
        Recordset rs = group(3);
        QVERIFY(rs.Fields(QStringLiteral("Description")).isNull());
        QCOMPARE(rs.Text(QStringLiteral("description")), QString());
        rs.AddNew();
        QVERIFY(rs.Fields(QStringLiteral("Name")).isNull());
        rs.SetField(QStringLiteral("Name"), kNasty);
        rs.SetField(QStringLiteral("category_code"), 1);
        rs.SetField(QStringLiteral("groupnum"), 3);
        rs.Update();
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(rs.Text(QStringLiteral("Name")), kNasty);
        QCOMPARE(rs.AbsolutePosition(), 1);
        rs.Edit();
        rs.SetField(QStringLiteral("Name"), QStringLiteral("A"));
        rs.SetField(QStringLiteral("Description"), QStringLiteral("x"));
        rs.SetField(QStringLiteral("S1"), 4.5);
        rs.Update();
        QCOMPARE(rs.Text(QStringLiteral("Name")), QStringLiteral("A"));
        rs.Edit();
        rs.SetField(QStringLiteral("Description"), Value());
        rs.Update();
        QVERIFY(rs.Fields(QStringLiteral("Description")).isNull());
        QCOMPARE(rs.Fields(QStringLiteral("S1")).toDouble(), 4.5);
        QCOMPARE(names(group(3)), (QStringList{QStringLiteral("A1"), QStringLiteral("B1")}));
    }

    void deleteLeavesAGapThatMoveNextSteps()
    {
        for (const char* n : {"A", "B", "C"})
            addRecipe(m_db, QString::fromLatin1(n), 1, 4);
        Recordset rs = group(4);
        rs.MoveNext();
        rs.Delete();
        QCOMPARE(rs.RecordCount(), 2);
        QVERIFY_THROWS_EXCEPTION(EngineError, rs.Fields(QStringLiteral("Name")));
        rs.MoveNext();
        QCOMPARE(rs.Text(QStringLiteral("Name")), QStringLiteral("C"));
        rs.MovePrevious();
        QCOMPARE(rs.Text(QStringLiteral("Name")), QStringLiteral("A"));
        rs.MoveLast();
        rs.Delete();
        rs.MoveNext();
        QVERIFY(rs.isEOF());
    }

    // Values that do not fit their field are refused with the field and the value named, never
    // stored as something else; empty text in a date is Null.
    void valuesThatDoNotFitTheirFieldAreRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<Value>("value");
        QTest::addColumn<Value>("stored"); // Null with refused = true means refused
        QTest::addColumn<bool>("refused");
        const QString book = QStringLiteral("book.mdb");
        const QString menus = QStringLiteral("MenusE.mdb");
        const QString r = QStringLiteral("recipes");
        const QString m = QStringLiteral("mymenus");
        QTest::newRow("text that is no date")
            << menus << m << "menudate" << Value(u"next Tuesday") << Value() << true;
        QTest::newRow("empty text in a date") << menus << m << "menudate" << Value(u"  ") << Value() << false;
        QTest::newRow("date text") << menus << m << "menudate" << Value(u"12/25/2026")
                                   << Value(QDate(2026, 12, 25)) << false;
        QTest::newRow("fraction in a whole number")
            << book << r << "groupnum" << Value(u"2.7") << Value() << true;
        QTest::newRow("fraction as a number")
            << book << r << "category_code" << Value(2.5) << Value() << true;
        QTest::newRow("too large for 16 bits") << book << r << "groupnum" << Value(70000) << Value() << true;
        QTest::newRow("smallest 16-bit")
            << book << r << "groupnum" << Value(u"-32768") << Value(qint64(-32768)) << false;
        QTest::newRow("too large for 32 bits")
            << book << r << "category_code" << Value(qint64(3000000000LL)) << Value() << true;
        QTest::newRow("whole number as text")
            << book << r << "category_code" << Value(u" 12 ") << Value(qint64(12)) << false;
        QTest::newRow("words in a number") << book << r << "S2" << Value(u"2 cups") << Value() << true;
        QTest::newRow("text in Yes/No") << menus << m << "autodelete" << Value(u"maybe") << Value() << true;
        QTest::newRow("Yes/No as a word")
            << menus << m << "autodelete" << Value(u"True") << Value(true) << false;
    }
    void valuesThatDoNotFitTheirFieldAreRefused()
    {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(Value, value);
        QFETCH(Value, stored);
        QFETCH(bool, refused);
        Database db = m_ws.OpenDatabase(file);
        Recordset rs = db.OpenRecordset(table);
        rs.AddNew();
        if (refused) {
            try {
                rs.SetField(field, value);
                QFAIL("the value must be refused");
            } catch (const EngineError& e) {
                QCOMPARE(e.cause(), EngineError::Cause::BadValue);
                QVERIFY2(e.reason().contains(field) && e.reason().contains(value.toText()),
                         qPrintable(e.reason()));
            }
            rs.CancelUpdate();
            QCOMPARE(rs.RecordCount(), 0);
            return;
        }
        rs.SetField(field, value);
        rs.Update();
        QCOMPARE(rs.Fields(field), stored);
    }

    void tableTypeIndexSeekAndNoMatch()
    {
        Database admin = m_ws.OpenDatabase(QStringLiteral("AdminE.sys"));
        Recordset books = admin.OpenRecordset(QStringLiteral("recipebooks"));
        books.Index(QStringLiteral("dbname"));
        books.Seek(QStringLiteral("="), QStringLiteral("RECIPE20.MDB"));
        QVERIFY(!books.NoMatch());
        QCOMPARE(books.Text(QStringLiteral("cookbook")), QStringLiteral("My CookBook"));
        books.Seek(QStringLiteral("="), kNasty);
        QVERIFY(books.NoMatch());

        books.Index(QStringLiteral("master"));
        books.AddNew();
        books.SetField(QStringLiteral("cookbook"), QStringLiteral("Aunt May's"));
        books.SetField(QStringLiteral("dbname"), QStringLiteral("Aunt May's.mdb"));
        books.Update();
        QCOMPARE(books.Text(QStringLiteral("cookbook")), QStringLiteral("Aunt May's"));
        QCOMPARE(books.AbsolutePosition(), 0); // a table-type set follows its index
        QVERIFY_THROWS_EXCEPTION(EngineError, books.Index(QStringLiteral("nosuchindex")));

        // A list's index has the same name as its table.
        Database words = m_ws.OpenDatabase(QStringLiteral("UtilityE.mdb"));
        Recordset amounts = words.OpenRecordset(QStringLiteral("Amount2"));
        amounts.Index(QStringLiteral("Amount2"));
        amounts.Seek(QStringLiteral("="), QStringLiteral("1/2"));
        QVERIFY(!amounts.NoMatch());
    }

    void dateAndYesNoFieldsRoundTrip()
    {
        Database menus = m_ws.OpenDatabase(QStringLiteral("MenusE.mdb"));
        Recordset rs = menus.OpenRecordset(QStringLiteral("mymenus"));
        rs.Index(QStringLiteral("master"));
        for (int day : {9, 7, 8}) {
            rs.AddNew();
            rs.SetField(QStringLiteral("menudate"), QDate(2026, 12, day));
            rs.SetField(QStringLiteral("autodelete"), day == 8);
            rs.SetField(QStringLiteral("Dinner"), QStringLiteral("Soup\r\nBread"));
            rs.Update();
        }
        rs.MoveFirst();
        QCOMPARE(rs.Fields(QStringLiteral("menudate")).type(), Value::Type::Date);
        QCOMPARE(rs.Fields(QStringLiteral("menudate")).toDate(), QDate(2026, 12, 7));
        rs.Seek(QStringLiteral("="), QDate(2026, 12, 8));
        QVERIFY(!rs.NoMatch());
        QCOMPARE(rs.Fields(QStringLiteral("autodelete")), Value(true));
        QCOMPARE(rs.Text(QStringLiteral("Dinner")), QStringLiteral("Soup\r\nBread"));

        QCOMPARE(rows(menus, QStringLiteral("select * from mymenus where trim(str(menudate)) = '12/9/2026'")),
                 1);
        Recordset week = menus.OpenRecordset(QStringLiteral(
            "select * from mymenus where Trim(Str(Format(menudate, 'yyyymmdd'))) >= '20261208' and "
            "Trim(Str(Format(menudate, 'yyyymmdd'))) <= '20261212' order by menudate"));
        QCOMPARE(week.RecordCount(), 2);
        QCOMPARE(week.Fields(QStringLiteral("menudate")).toDate(), QDate(2026, 12, 8));
    }

    void insertIntoBracketedFileMatchesFieldsByName()
    {
        addRecipe(m_db, QStringLiteral("Pie"), 2, 13, QStringLiteral("d"));
        // Same file, with the extension.
        QCOMPARE(m_db.Execute(QStringLiteral(
                     "INSERT INTO [book.mdb].report SELECT * FROM Recipes where groupnum = 13")),
                 1);
        Recordset rep =
            m_db.OpenRecordset(QStringLiteral("select * from report where extra2 = '' or isnull(extra2)"));
        QCOMPARE(rep.RecordCount(), 1);
        QCOMPARE(rep.Fields(QStringLiteral("category_code")).toLong(), 2);

        // Another file, named without extension, whose table has its columns in another order.
        Database other = m_ws.CreateDatabase(QStringLiteral("old.db"));
        other.ExecuteScript(
            QStringLiteral("CREATE TABLE Beef (Instructions LONGTEXT, Name TEXT(50), Extra TEXT);"
                           "INSERT INTO Beef VALUES ('Stir', 'Stew''s', 'x');"));
        QCOMPARE(other.Execute(QStringLiteral(" INSERT INTO [book].Recipes SELECT * FROM Beef;")), 1);
        Recordset imported =
            m_db.OpenRecordset(QStringLiteral("select * from Recipes where not isnumeric(groupnum)"));
        QCOMPARE(imported.RecordCount(), 1);
        QCOMPARE(imported.Text(QStringLiteral("Name")), QStringLiteral("Stew's"));
        QCOMPARE(imported.Text(QStringLiteral("Instructions")), QStringLiteral("Stir"));
        QVERIFY_THROWS_EXCEPTION(
            EngineError, other.Execute(QStringLiteral("INSERT INTO [missing].Recipes SELECT * FROM Beef")));
    }

    // Copies into other files inside one transaction: each file is attached once, stays usable
    // for later copies, and is let go when the transaction ends, however it ends.
    void copiesIntoOtherFilesInsideATransaction()
    {
        copyCookbook(*m_world, QStringLiteral("other.mdb"));
        copyCookbook(*m_world, QStringLiteral("third.mdb"));
        addRecipe(m_db, QStringLiteral("Pie"), 1, 13);
        addRecipe(m_db, QStringLiteral("Tart"), 1, 13);
        const QString copy =
            QStringLiteral("INSERT INTO [%1].report SELECT * FROM Recipes where groupnum = 13");
        auto attachedCount = [this] { return rows(m_db, QStringLiteral("PRAGMA database_list")); };
        const int alone = attachedCount();
        auto reportRows = [](const QString& file) {
            return rows(OpenBook(file), QStringLiteral("select * from report"));
        };

        {
            Transaction t(m_db);
            QCOMPARE(m_db.Execute(copy.arg(QStringLiteral("other"))), 2);
            QCOMPARE(m_db.Execute(copy.arg(QStringLiteral("other.mdb"))), 2);
            QCOMPARE(m_db.Execute(copy.arg(QStringLiteral("third"))), 2);
            t.commit();
        }
        QCOMPARE(attachedCount(), alone);
        QCOMPARE(reportRows(QStringLiteral("other.mdb")), 4);
        QCOMPARE(reportRows(QStringLiteral("third.mdb")), 2);

        {
            Transaction t(m_db);
            QCOMPARE(m_db.Execute(copy.arg(QStringLiteral("other"))), 2);
        } // rolled back
        QCOMPARE(attachedCount(), alone);
        QCOMPARE(reportRows(QStringLiteral("other.mdb")), 4);

        QCOMPARE(m_db.Execute(copy.arg(QStringLiteral("other"))), 2);
        QCOMPARE(attachedCount(), alone);
        QCOMPARE(reportRows(QStringLiteral("other.mdb")), 6);
    }

    // The cookbook checks add fields to tables that open recordsets read: the recordsets must follow
    // the table's new shape, whether the field came through this connection or another one.
    void openRecordsetsFollowAFieldAddedUnderThem()
    {
        for (const char* n : {"A", "B", "C"})
            addRecipe(m_db, QString::fromLatin1(n), 1, 6, QStringLiteral("d"));
        Recordset keyset = group(6);
        Recordset table = m_db.OpenRecordset(QStringLiteral("recipes"));
        QCOMPARE(keyset.Text(QStringLiteral("Name")), QStringLiteral("A"));
        QCOMPARE(table.Fields(QStringLiteral("P12")), Value());

        TableDef def = m_db.TableDefs(QStringLiteral("Recipes"));
        QVERIFY(def.HasField(QStringLiteral("g7")));
        QVERIFY(!def.HasField(QStringLiteral("Rating")));
        Field f = def.CreateField(QStringLiteral("Rating"), FieldType::Double);
        f.AllowZeroLength = true;
        def.Append(f);
        QVERIFY(m_db.TableDefs(QStringLiteral("recipes")).HasField(QStringLiteral("rating")));
        QVERIFY_THROWS_EXCEPTION(EngineError, def.Append(f));
        QVERIFY_THROWS_EXCEPTION(EngineError, m_db.TableDefs(QStringLiteral("nosuch")));
        QVERIFY(keyset.HasField(QStringLiteral("Rating")));
        keyset.MoveNext();
        QCOMPARE(keyset.Text(QStringLiteral("Name")), QStringLiteral("B"));
        QVERIFY(keyset.Fields(QStringLiteral("Rating")).isNull());
        keyset.Edit();
        keyset.SetField(QStringLiteral("Rating"), 4.5);
        keyset.Update();
        QCOMPARE(keyset.Fields(QStringLiteral("Rating")).toDouble(), 4.5);
        table.MoveLast();
        QVERIFY(table.FieldNames().contains(QStringLiteral("Rating")));

        // A second connection widens the table, then the first reads on.
        Workspace other;
        Database second = other.OpenDatabase(QStringLiteral("book.mdb"));
        second.ExecuteScript(QStringLiteral("ALTER TABLE recipes ADD COLUMN Notes LONGTEXT; "
                                            "ALTER TABLE recipes ADD COLUMN Stars SMALLINT;"));
        other.Close();
        keyset.MoveNext();
        QCOMPARE(keyset.Text(QStringLiteral("Name")), QStringLiteral("C"));
        QCOMPARE(keyset.Text(QStringLiteral("Description")), QStringLiteral("d"));
        QVERIFY(keyset.Fields(QStringLiteral("Stars")).isNull());
        keyset.MovePrevious();
        QCOMPARE(keyset.Fields(QStringLiteral("Rating")).toDouble(), 4.5);
    }

    void failuresNameFileStatementAndReason()
    {
        try {
            m_db.OpenRecordset(QStringLiteral("Beef"));
            QFAIL("opening a missing table must fail");
        } catch (const EngineError& e) {
            QVERIFY(e.file().endsWith(QStringLiteral("book.mdb")));
            QVERIFY(e.message().contains(QStringLiteral("Beef")));
        }
        QVERIFY_THROWS_EXCEPTION(EngineError, m_ws.OpenDatabase(QStringLiteral("nothere.mdb")));
        QVERIFY(writeFile(m_world->filePath(QStringLiteral("junk.mdb")), QByteArray(4096, 'x')));
        QVERIFY_THROWS_EXCEPTION(EngineError, m_ws.OpenDatabase(QStringLiteral("junk.mdb")));
        try {
            m_db.OpenRecordset(QStringLiteral("select * from recipes where nosuchcolumn = 1"));
            QFAIL("a bad statement must fail");
        } catch (const EngineError& e) {
            QVERIFY(e.statement().contains(QStringLiteral("nosuchcolumn")));
            QVERIFY(!e.reason().isEmpty());
        }
    }

    void quotedTextCannotChangeAStatement()
    {
        addRecipe(m_db, kNasty, 1, 5);
        addRecipe(m_db, QStringLiteral("O'Brien's Stew"), 1, 5);
        Recordset rs =
            m_db.OpenRecordset(QStringLiteral("select * from recipes where name = ") + sqlText(kNasty));
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(QStringLiteral("Name")), kNasty);
        rs = m_db.OpenRecordset(QStringLiteral("select * from recipes where name = ? and groupnum = ?"),
                                {Value(QStringLiteral("o'brien's stew")), Value(5)});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rows(m_db, QStringLiteral("select * from recipes")), 2); // table intact
    }

    void closingTheWorkspaceClosesEverything()
    {
        Recordset rs = m_db.OpenRecordset(QStringLiteral("select * from groups order by groupnum"));
        QVERIFY(rs.isOpen());
        m_ws.Close();
        QVERIFY(!m_db.isOpen());
        QVERIFY(!rs.isOpen());
        QVERIFY_THROWS_EXCEPTION(EngineError, rs.MoveNext());
        QVERIFY_THROWS_EXCEPTION(EngineError, m_db.OpenRecordset(QStringLiteral("groups")));
    }

    void compactionWritesANewFileOnly()
    {
        addRecipe(m_db, QStringLiteral("Keep me"), 1, 1);
        m_db.Close();
        Workspace::CompactDatabase(QStringLiteral("book.mdb"), QStringLiteral("Temp.mdb"));
        Database compacted = m_ws.OpenDatabase(QStringLiteral("temp.mdb")); // case-blind lookup
        QCOMPARE(rows(compacted, QStringLiteral("select * from recipes")), 1);
        QVERIFY_THROWS_EXCEPTION(
            EngineError, Workspace::CompactDatabase(QStringLiteral("book.mdb"), QStringLiteral("Temp.mdb")));
        QVERIFY_THROWS_EXCEPTION(
            EngineError, Workspace::CompactDatabase(QStringLiteral("gone.mdb"), QStringLiteral("Other.mdb")));
    }

    void transactionRollsBackOnThrow()
    {
        try {
            Transaction t(m_db);
            addRecipe(m_db, QStringLiteral("Half saved"), 1, 1);
            throw std::runtime_error("disk full");
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(rows(m_db, QStringLiteral("select * from recipes")), 0);
        {
            Transaction t(m_db);
            addRecipe(m_db, QStringLiteral("Saved"), 1, 1);
            t.commit();
        }
        QCOMPARE(rows(m_db, QStringLiteral("select * from recipes")), 1);
    }
};

static const bool added = addDataTest<EngineTest>();

#include "tst_engine.moc"
