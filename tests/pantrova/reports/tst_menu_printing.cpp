// Menu printing: which days a day's or a week's print finds, in any language and for days stored
// with a time, and the document it writes (dates, meal headings and their sizes, columns, the room
// between days); printing it to a PDF printer.
#include "../print/PdfText.h"
#include "ReportKitchen.h"
#include "data/Workspace.h"
#include "print/Document.h"
#include "print/VSPrinter.h"
#include "reports/MenuPrinting.h"

#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace pantrova;
using print::Document;

namespace {

// A menus database of the test's own.
struct Menus
{
    TestWorld world;
    engine::Workspace ws;
    engine::Database db;

    Menus()
    {
        world.copyShipped(QStringLiteral("MenusE.mdb"), QStringLiteral("Menus.mdb"));
        db = ws.OpenDatabase(QStringLiteral("Menus.mdb"));
    }

    void add(const engine::Value& day, const QString& breakfast = {}, const QString& lunch = {},
             const QString& dinner = {}, const QString& other = {})
    {
        const auto text = [](const QString& t) { return t.isNull() ? engine::Value() : engine::Value(t); };
        db.Execute(
            QStringLiteral("insert into mymenus (menudate, Breakfast, Lunch, Dinner, Other, autodelete) "
                           "values (?, ?, ?, ?, ?, ?)"),
            {day, text(breakfast), text(lunch), text(dinner), text(other), false});
    }

    QList<QDate> days(engine::Recordset rows)
    {
        QList<QDate> found;
        for (; !rows.isEOF(); rows.MoveNext())
            found << rows.Fields(QStringLiteral("menudate")).toDate();
        return found;
    }
};

} // namespace

class TestMenuPrinting : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        print::VSPrinter::defaultPrinter = [] { return QPrinterInfo(); };
    }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void weeksRunFromSundayToSaturday_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QDate>("sunday");
        QTest::newRow("a Sunday") << QDate(2023, 12, 31) << QDate(2023, 12, 31);
        QTest::newRow("a Saturday") << QDate(2024, 1, 6) << QDate(2023, 12, 31);
        QTest::newRow("a Wednesday across a year's end") << QDate(2024, 1, 3) << QDate(2023, 12, 31);
        QTest::newRow("across a month's end") << QDate(2024, 2, 29) << QDate(2024, 2, 25);
    }
    void weeksRunFromSundayToSaturday()
    {
        QFETCH(QDate, day);
        QFETCH(QDate, sunday);
        Menus m;
        // A menu on every day from the Saturday before to the Sunday after, in no particular order.
        QList<QDate> stored;
        for (int i = 8; i >= 0; --i)
            stored << sunday.addDays(i - 1);
        for (const QDate& d : stored)
            m.add(engine::Value(d), QStringLiteral("toast"));
        QList<QDate> week;
        for (int i = 0; i < 7; ++i)
            week << sunday.addDays(i);
        QCOMPARE(m.days(MenuPrinting::WeekMenus(m.db, day)), week);
        QCOMPARE(m.days(MenuPrinting::DayMenus(m.db, day)), QList<QDate>{day});
    }

    void daysAreFoundInAnyLanguageAndWithATimeOfDayAndMissingOnesPrintNothing()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Menus m;
        m.add(engine::Value(QDate(2024, 3, 5)), QStringLiteral("Müsli"));
        // An older version stored the moment, not the day.
        m.add(engine::Value(QDateTime(QDate(2024, 3, 6), QTime(18, 30))), QString(), QStringLiteral("Suppe"));
        QCOMPARE(m.days(MenuPrinting::DayMenus(m.db, QDate(2024, 3, 5))), QList<QDate>{QDate(2024, 3, 5)});
        QCOMPARE(m.days(MenuPrinting::DayMenus(m.db, QDate(2024, 3, 6))), QList<QDate>{QDate(2024, 3, 6)});
        QCOMPARE(m.days(MenuPrinting::WeekMenus(m.db, QDate(2024, 3, 9))).size(), 2);

        engine::Recordset rows = MenuPrinting::WeekMenus(m.db, QDate(2024, 3, 9));
        Document doc;
        QVERIFY(MenuPrinting::BuildMenuDocument(doc, rows));
        // The date in the person's own long format.
        QCOMPARE(doc.paragraphs().front().text, QStringLiteral("Dienstag, 5. März 2024"));

        // A day or a week without a menu prints nothing and asks nothing.
        print::VSPrinter printer;
        ui::ScriptedDialogs dialogs(failTest());
        QCOMPARE(MenuPrinting::PrintMenus(printer, m.db, QDate(2024, 3, 4), false), 0);
        QCOMPARE(MenuPrinting::PrintMenus(printer, m.db, QDate(2024, 3, 12), true), 0);
        QCOMPARE(printer.document().pageCount(), 0);
        QVERIFY(dialogs.allAnswered());
    }

    void theMenusRunDownTwoColumnsWithTheirHeadings()
    {
        Menus m;
        m.add(engine::Value(QDate(2024, 3, 3)), QStringLiteral("Porridge"), QStringLiteral("Soup"),
              QStringLiteral("Roast"), QStringLiteral("Tea"));
        m.add(engine::Value(QDate(2024, 3, 4)), QString(), QStringLiteral("Salad"), QString(),
              QStringLiteral("Cake"));
        m.add(engine::Value(QDate(2024, 3, 5)));
        m.add(engine::Value(QDate(2024, 3, 6)), QStringLiteral("Eggs"), QString(), QStringLiteral("Fish"));
        engine::Recordset rows = MenuPrinting::WeekMenus(m.db, QDate(2024, 3, 5));
        Document doc;
        QVERIFY(MenuPrinting::BuildMenuDocument(doc, rows));
        QCOMPARE(doc.pageColumns(), 2);
        QCOMPARE(doc.pageLeft(), 1440.0);
        QCOMPARE(doc.pageTop(), 1440.0);

        QCOMPARE(texts(doc).join(u'|'),
                 QStringLiteral("Sunday, March 3, 2024|BREAKFAST|Porridge|LUNCH|Soup|DINNER|Roast|OTHER|Tea|"
                                "Monday, March 4, 2024|LUNCH|Salad|OTHER|Cake|"
                                "Tuesday, March 5, 2024|"
                                "Wednesday, March 6, 2024|BREAKFAST|Eggs|DINNER|Fish"));
        QCOMPARE(styleOf(doc, QStringLiteral("Sunday, March 3, 2024")).pointSize(), 12.0);
        QVERIFY(styleOf(doc, QStringLiteral("Sunday, March 3, 2024")).bold);
        QCOMPARE(styleOf(doc, QStringLiteral("BREAKFAST")).pointSize(), 10.0);
        QCOMPARE(styleOf(doc, QStringLiteral("Porridge")).pointSize(), 8.0);
        QVERIFY(!styleOf(doc, QStringLiteral("Porridge")).bold);
        QCOMPARE(styleOf(doc, QStringLiteral("Soup")).pointSize(), 8.0);
        QCOMPARE(styleOf(doc, QStringLiteral("OTHER")).pointSize(), 10.0);
        // After a breakfast the next heading is at 9 points; without one the first is at 10.
        const auto headingSizes = [&doc](const QString& heading) {
            QList<double> sizes;
            for (const Document::Paragraph& p : doc.paragraphs())
                if (p.text == heading)
                    sizes << doc.style(p.style).pointSize();
            return sizes;
        };
        QCOMPARE(headingSizes(QStringLiteral("LUNCH")), (QList<double>{9.0, 10.0}));
        QCOMPARE(headingSizes(QStringLiteral("DINNER")), (QList<double>{10.0, 9.0}));
        // A day whose meals are all empty has its date line and the blank lines under it only.
        const int day5 = paragraphIndex(doc, QStringLiteral("Tuesday, March 5, 2024"));
        QCOMPARE(doc.paragraphs()[size_t(day5 + 1)].text, QStringLiteral("\n"));
        QCOMPARE(doc.paragraphs()[size_t(day5 + 2)].text, QStringLiteral("\n"));
        QCOMPARE(doc.paragraphs()[size_t(day5 + 3)].text, QStringLiteral("Wednesday, March 6, 2024"));
        // 600 twips between one day's last line and the next day's date.
        const Document::Paragraph& blankLine = doc.paragraphs()[size_t(day5 + 2)];
        const Document::Line& before = doc.lines()[size_t(blankLine.firstLine)];
        const double end = before.top + doc.style(blankLine.style).lineSpacing;
        const Document::Line& next = firstLine(doc, QStringLiteral("Wednesday, March 6, 2024"));
        QCOMPARE(next.x, before.x);
        QVERIFY(qAbs(next.top - (end + 600)) < 0.01);
    }

    void aWeekPrintsAtOnceToThePrinter()
    {
        if (!PdfText::available())
            QSKIP("pdftotext is not installed (tools/install-deps.sh installs it)");
        Menus m;
        for (int i = 0; i < 7; ++i)
            m.add(engine::Value(QDate(2024, 3, 3).addDays(i)), QStringLiteral("Breakfast %1").arg(i),
                  QStringLiteral("Lunch %1").arg(i), QStringLiteral("Dinner %1").arg(i));
        QTemporaryDir dir;
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(dir.filePath(QStringLiteral("week.pdf")));
        print::VSPrinter printer;
        printer.setPrinter(&pdf);
        ui::ScriptedDialogs dialogs(failTest()); // no preview, no question
        QVERIFY(MenuPrinting::PrintMenus(printer, m.db, QDate(2024, 3, 6), true) >= 1);
        QVERIFY(dialogs.allAnswered());
        const QString text = PdfText::pages(dir.filePath(QStringLiteral("week.pdf"))).join(QString());
        for (int i = 0; i < 7; ++i)
            QVERIFY(text.contains(QStringLiteral("Dinner %1").arg(i)));
        QVERIFY(text.indexOf(QStringLiteral("Sunday, March 3, 2024")) <
                text.indexOf(QStringLiteral("Saturday, March 9, 2024")));

        // A printer that cannot be used is reported, not passed over in silence.
        QPrinter broken(QPrinter::HighResolution);
        broken.setOutputFormat(QPrinter::PdfFormat);
        broken.setOutputFileName(dir.filePath(QStringLiteral("no/such/folder/week.pdf")));
        printer.setPrinter(&broken);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 MenuPrinting::PrintMenus(printer, m.db, QDate(2024, 3, 6), false));
    }
};

int runMenuPrintingTests(int argc, char** argv)
{
    TestMenuPrinting t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_menu_printing.moc"
