// The legacy SQL dialect and the number and date texts it relies on.
#include "TestWorld.h"
#include "data/Database.h"
#include "data/Workspace.h"
#include "data/detail/SqlDialect.h"

#include <QTest>

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
        Workspace ws;
        Database db = ws.OpenDatabase(QStringLiteral("Recipe70e.mdb"));
        Recordset rs = db.OpenRecordset(QStringLiteral(
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
        ws.Close();
    }

    void orderByJoinsTextAndIgnoresCase()
    {
        const QString out = detail::SqlDialect::translate(
            QStringLiteral("select * from Report order by extra2 + extra3 + name"));
        QCOMPARE(out,
                 QStringLiteral("select * from Report ORDER BY (extra2 || extra3 || name) COLLATE PV_ORDER"));
        const QString two =
            detail::SqlDialect::translate(QStringLiteral("select * from t order by a desc, b"));
        QCOMPARE(two,
                 QStringLiteral("select * from t ORDER BY (a) COLLATE PV_ORDER DESC, (b) COLLATE PV_ORDER"));
    }

    // Text columns compared in WHERE take our comparison; select lists, function names, literals,
    // other columns and statements that set values do not.
    void whereComparesTextColumnsOurWay()
    {
        const QSet<QString> text = {QStringLiteral("name"), QStringLiteral("extra2")};
        auto tr = [&](const char* sql) {
            return detail::SqlDialect::translate(QString::fromUtf8(sql), {}, text);
        };
        QCOMPARE(
            tr("select name from recipes where name = 'name' and groupnum = 1"),
            QStringLiteral("select name from recipes where name COLLATE PV_TEXT = 'name' and groupnum = 1"));
        QCOMPARE(tr("select * from report where extra2 = '' or isnull(extra2)"),
                 QStringLiteral("select * from report where extra2 COLLATE PV_TEXT = '' or pv_isnull(extra2 "
                                "COLLATE PV_TEXT)"));
        QCOMPARE(tr("select * from recipes where (recipes.[Name] >= ?) order by name"),
                 QStringLiteral("select * from recipes where (recipes.[Name] COLLATE PV_TEXT >= ?) ORDER BY "
                                "(name) COLLATE PV_ORDER"));
        QCOMPARE(tr("update recipes set name = 'x' where name = 'y'"),
                 QStringLiteral("update recipes set name = 'x' where name COLLATE PV_TEXT = 'y'"));
        QCOMPARE(
            tr("select * from a where x in (select name from b) and name = ?"),
            QStringLiteral("select * from a where x in (select name COLLATE PV_TEXT from b) and name COLLATE "
                           "PV_TEXT = ?"));
    }

    void literalsAndParametersPassUntouched()
    {
        const QString sql =
            QStringLiteral("select * from groups where groupname = 'isnull(x) order by + ''q''' and a = ?");
        QCOMPARE(detail::SqlDialect::translate(sql), sql);
        QCOMPARE(detail::SqlDialect::translate(QStringLiteral("select * from t where d = #12/7/2026#")),
                 QStringLiteral("select * from t where d = 46363"));
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

int runDialectTests(int argc, char** argv)
{
    DialectTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_dialect.moc"
