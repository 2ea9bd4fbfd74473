// The legacy SQL dialect and the number and date texts it relies on.
#include "DataKit.h"
#include "data/detail/SqlDialect.h"

using namespace engine;

class DialectTest : public QObject
{
    Q_OBJECT

private slots:
    void trimmedDecimalText_data()
    {
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 0.5 << QStringLiteral(".5");
        QTest::newRow("negative half") << -0.5 << QStringLiteral("-.5");
        QTest::newRow("whole") << 12.0 << QStringLiteral("12");
        QTest::newRow("decimal") << 12.25 << QStringLiteral("12.25");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
        QTest::newRow("big") << 123456789.0 << QStringLiteral("123456789");
    }
    void trimmedDecimalText()
    {
        QFETCH(double, number);
        QFETCH(QString, text);
        QCOMPARE(engine::trimmedDecimalText(number), text);
    }

    void functionsBehaveAsTheLegacyRuntime()
    {
        TestWorld world;
        OpenBook book(QStringLiteral("Recipe70e.mdb"));
        Recordset rs = book.db.OpenRecordset(QStringLiteral(
            "select str(3) as a, str(0.5) as b, str(-2) as c, trim(str(7)) as d, isnumeric('12.5') as e, "
            "isnumeric('2 cups') as f, isnull(null) as g, isnumeric(null) as h, Format(46363.0, 'yyyymmdd') "
            "as i "
            "from sections where section = 1"));
        QCOMPARE(rs.Text(QStringLiteral("a")), QStringLiteral(" 3"));
        QCOMPARE(rs.Text(QStringLiteral("b")), QStringLiteral(" .5"));
        QCOMPARE(rs.Text(QStringLiteral("c")), QStringLiteral("-2"));
        QCOMPARE(rs.Text(QStringLiteral("d")), QStringLiteral("7"));
        QVERIFY(rs.Fields(QStringLiteral("e")).toBool());
        QVERIFY(!rs.Fields(QStringLiteral("f")).toBool());
        QVERIFY(rs.Fields(QStringLiteral("g")).toBool());
        QVERIFY(!rs.Fields(QStringLiteral("h")).toBool());
        QCOMPARE(rs.Text(QStringLiteral("i")), QStringLiteral("20261207"));
    }

    // List order and text comparison reach SQLite in our own collations, also inside a subquery;
    // literals and parameters are left alone and date literals become numbers. (Joined sort keys,
    // bracketed columns, isnull and updates are run against real files by the engine, ordering and
    // search tests.)
    void translatesOrderAndTextComparison_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("translated");
        const auto row = [](const char* name, const char* sql, const char* translated) {
            QTest::newRow(name) << QString::fromUtf8(sql) << QString::fromUtf8(translated);
        };
        row("order of two keys", "select * from t order by a desc, b",
            "select * from t ORDER BY (a) COLLATE PV_ORDER DESC, (b) COLLATE PV_ORDER");
        row("subquery", "select * from a where x in (select name from b) and name = ?",
            "select * from a where x in (select name COLLATE PV_TEXT from b) and name COLLATE PV_TEXT = ?");
        row("literals", "select * from groups where groupname = 'isnull(x) order by + ''q''' and a = ?",
            "select * from groups where groupname = 'isnull(x) order by + ''q''' and a = ?");
        row("date literal", "select * from t where d = #12/7/2026#", "select * from t where d = 46363");
    }
    void translatesOrderAndTextComparison()
    {
        QFETCH(QString, sql);
        QFETCH(QString, translated);
        QCOMPARE(detail::SqlDialect::translate(sql, {}, {QStringLiteral("name"), QStringLiteral("extra2")}),
                 translated);
    }

    void recognisesSingleTableSelects()
    {
        auto s = detail::parseSingleTableSelect(QStringLiteral("select * from [recipes] where groupnum = 3"));
        QVERIFY(s.ok);
        QCOMPARE(s.table, QStringLiteral("recipes"));
        QCOMPARE(s.rest, QStringLiteral("where groupnum = 3"));
        QVERIFY(!detail::parseSingleTableSelect(QStringLiteral("select count(*) from recipes")).ok);
        QVERIFY(!detail::parseSingleTableSelect(QStringLiteral("select * from a, b")).ok);
        auto ins =
            detail::parseInsertSelect(QStringLiteral(" INSERT INTO [My Book].Recipes SELECT * FROM Beef;"));
        QVERIFY(ins.ok);
        QCOMPARE(ins.file, QStringLiteral("My Book"));
        QCOMPARE(ins.table, QStringLiteral("Recipes"));
    }
};

static const bool added = addDataTest<DialectTest>();

#include "tst_dialect.moc"
