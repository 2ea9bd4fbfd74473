// The date grid and its layout, without any widget.
#include "vorrin/control/CalendarLayout.h"
#include "vorrin/control/CalendarModel.h"
#include "vorrin/control/VorrinEnums.h"

#include <QTest>

using namespace vorrin;

class CalendarModelTest : public QObject
{
    Q_OBJECT

private:
    static CalendarModel model(std::uint32_t style, Qt::DayOfWeek localeFirst = Qt::Sunday)
    {
        CalendarModel m;
        m.setLocaleFirstDay(localeFirst);
        m.setStyle(style);
        return m;
    }

private slots:
    void gridPlacesFirstOfMonth_data()
    {
        QTest::addColumn<QDate>("month");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<int>("expectedColumn");
        QTest::addColumn<QDate>("firstCell");
        // December 2026 starts on a Tuesday.
        QTest::newRow("monday weeks") << QDate(2026, 12, 1) << 0 << 1 << QDate(2026, 11, 30);
        QTest::newRow("sunday weeks") << QDate(2026, 12, 1) << 6 << 2 << QDate(2026, 11, 29);
        QTest::newRow("starts on first day") << QDate(2026, 6, 1) << 0 << 0 << QDate(2026, 6, 1);
        QTest::newRow("leap february") << QDate(2024, 2, 1) << 6 << 4 << QDate(2024, 1, 28);
        QTest::newRow("locale day") << QDate(2026, 12, 1) << -1 << 2 << QDate(2026, 11, 29);
    }

    void gridPlacesFirstOfMonth()
    {
        QFETCH(QDate, month);
        QFETCH(int, firstDay);
        QFETCH(int, expectedColumn);
        QFETCH(QDate, firstCell);
        CalendarModel m = model(0);
        m.setFirstDayOfWeek(firstDay);
        m.setFirstMonth(month);
        QCOMPARE(m.cellDate(0, 0, expectedColumn), month);
        QCOMPARE(m.cellDate(0, 0, 0), firstCell);
        int index = -1, row = -1, column = -1;
        QVERIFY(m.locate(month.addDays(month.daysInMonth() - 1), index, row, column));
        QCOMPARE(m.cellDate(index, row, column), month.addDays(month.daysInMonth() - 1));
    }

    void innerMonthsShowOnlyTheirOwnDays()
    {
        CalendarModel m = model(0, Qt::Monday);
        m.setMonthCount(3);
        m.setFirstMonth(QDate(2026, 12, 1));
        // The first month shows November's last day, the middle month none of its neighbours',
        // the last month February's first days.
        QCOMPARE(m.cellDate(0, 0, 0), QDate(2026, 11, 30));
        QVERIFY(!m.cellDate(1, 0, 0).isValid()); // January 2027 starts on Friday
        QCOMPARE(m.cellDate(1, 0, 4), QDate(2027, 1, 1));
        QVERIFY(!m.cellDate(1, 5, 6).isValid());
        QCOMPARE(m.cellDate(2, 5, 6), QDate(2027, 3, 14));
        QVERIFY(m.isOtherMonth(2, QDate(2027, 3, 14)));
        int index = -1, row = -1, column = -1;
        QVERIFY(m.locate(QDate(2027, 1, 31), index, row, column));
        QCOMPARE(index, 1);
        QVERIFY(!m.locate(QDate(2027, 4, 1), index, row, column));
    }

    void weekNumbers_data()
    {
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<QDate>("rowStart");
        QTest::addColumn<int>("week");
        QTest::newRow("iso last week of a long year") << 0 << QDate(2026, 12, 28) << 53;
        QTest::newRow("iso first week") << 0 << QDate(2027, 1, 4) << 1;
        QTest::newRow("iso week of new year's day") << 0 << QDate(2020, 12, 28) << 53;
        // Otherwise the week holding 1 January is week 1.
        QTest::newRow("sunday weeks, before new year") << 6 << QDate(2022, 12, 25) << 53;
        QTest::newRow("sunday weeks, first") << 6 << QDate(2023, 1, 1) << 1;
        QTest::newRow("sunday weeks, late") << 6 << QDate(2023, 12, 24) << 52;
        QTest::newRow("sunday weeks, row over new year") << 6 << QDate(2023, 12, 31) << 1;
    }

    void weekNumbers()
    {
        QFETCH(int, firstDay);
        QFETCH(QDate, rowStart);
        QFETCH(int, week);
        CalendarModel m = model(StyleWeekNumbers);
        m.setFirstDayOfWeek(firstDay);
        QCOMPARE(m.weekNumber(rowStart), week);
    }

    void singleSelectionRules()
    {
        CalendarModel m = model(0);
        QVERIFY(m.setCurSel(QDate(2026, 5, 17)));
        QCOMPARE(m.selStart(), QDate(2026, 5, 17));
        QCOMPARE(m.selEnd(), QDate(2026, 5, 17));
        QCOMPARE(m.firstMonth(), QDate(2026, 5, 1));
        QVERIFY(!m.setSelRange(QDate(2026, 5, 1), QDate(2026, 5, 2)));
        QVERIFY(!m.setMaxSelCount(3));
        QVERIFY(!m.setCurSel(QDate()));
        QVERIFY(m.setRange(QDate(2026, 1, 1), QDate(2026, 12, 31)));
        QVERIFY(!m.setCurSel(QDate(2027, 1, 1)));
        QCOMPARE(m.selStart(), QDate(2026, 5, 17));
    }

    void rangeSelectionRules()
    {
        CalendarModel m = model(StyleMultiSelect);
        QVERIFY(!m.setCurSel(QDate(2026, 5, 17)));
        QVERIFY(m.setSelRange(QDate(2026, 5, 1), QDate(2026, 5, 7)));
        QVERIFY(!m.setSelRange(QDate(2026, 5, 1), QDate(2026, 5, 8))); // eight days, seven allowed
        QVERIFY(!m.setSelRange(QDate(2026, 5, 7), QDate(2026, 5, 1))); // reversed
        QCOMPARE(m.selEnd(), QDate(2026, 5, 7));
        QVERIFY(!m.setMaxSelCount(0));
        QVERIFY(m.setMaxSelCount(3));
        QCOMPARE(m.selEnd(), QDate(2026, 5, 3)); // cut to the new maximum
        QVERIFY(m.setMaxSelCount(1));
        QVERIFY(!m.setSelRange(QDate(2026, 5, 1), QDate(2026, 5, 2)));
    }

    void draggingGrowsFromTheAnchorUpToTheMaximum()
    {
        CalendarModel m = model(StyleMultiSelect);
        QVERIFY(m.setMaxSelCount(4));
        QVERIFY(m.userSelect(QDate(2026, 3, 10), false));
        QVERIFY(m.userSelect(QDate(2026, 3, 20), true));
        QCOMPARE(m.selStart(), QDate(2026, 3, 10));
        QCOMPARE(m.selEnd(), QDate(2026, 3, 13));
        QVERIFY(m.userSelect(QDate(2026, 3, 1), true)); // backwards from the same anchor
        QCOMPARE(m.selStart(), QDate(2026, 3, 7));
        QCOMPARE(m.selEnd(), QDate(2026, 3, 10));
        QVERIFY(!m.userSelect(QDate(2026, 3, 2), true)); // still clamped: nothing changes
    }

    void keyboardMovesStayInRangeAndScroll()
    {
        CalendarModel m = model(0);
        QVERIFY(m.setCurSel(QDate(2026, 1, 31)));
        QVERIFY(m.userMoveDays(1, false));
        QCOMPARE(m.selStart(), QDate(2026, 2, 1));
        QCOMPARE(m.firstMonth(), QDate(2026, 2, 1));
        QVERIFY(m.setRange(QDate(2026, 1, 1), QDate(2026, 2, 10)));
        QVERIFY(m.userMoveDays(14, false));
        QCOMPARE(m.selStart(), QDate(2026, 2, 10)); // stopped at the maximum
        QVERIFY(!m.userMoveMonths(1, false));
        QVERIFY(m.userMoveMonths(-12, false));
        QCOMPARE(m.selStart(), QDate(2026, 1, 1));
    }

    void scrollingCarriesTheSelection()
    {
        CalendarModel m = model(StyleMultiSelect);
        m.setMonthCount(2);
        QVERIFY(m.setSelRange(QDate(2026, 1, 30), QDate(2026, 2, 1)));
        m.setFirstMonth(QDate(2026, 1, 1));
        QVERIFY(m.scroll(2));
        QCOMPARE(m.firstMonth(), QDate(2026, 3, 1));
        QCOMPARE(m.selStart(), QDate(2026, 3, 30));
        QCOMPARE(m.selEnd(), QDate(2026, 4, 1));
        // The selectable range stops scrolling at its last month.
        QVERIFY(m.setRange(QDate(), QDate(2026, 5, 15)));
        QVERIFY(m.canScroll(2)); // but only as far as May
        m.scroll(2);
        QCOMPARE(m.lastMonth(), QDate(2026, 5, 1));
        QVERIFY(!m.canScroll(1));
        QVERIFY(m.canScroll(-1));
    }

    void rangeRefusesInvertedLimitsAndPullsSelectionIn()
    {
        CalendarModel m = model(StyleMultiSelect);
        QVERIFY(m.setSelRange(QDate(2026, 8, 1), QDate(2026, 8, 3)));
        QVERIFY(!m.setRange(QDate(2026, 9, 1), QDate(2026, 8, 1)));
        QVERIFY(m.setRange(QDate(2026, 9, 1), QDate()));
        QCOMPARE(m.selStart(), QDate(2026, 9, 1));
        QCOMPARE(m.selEnd(), QDate(2026, 9, 3));
        QVERIFY(!m.inRange(QDate(2026, 8, 31)));
        QVERIFY(m.inRange(QDate(2099, 1, 1)));
    }

    void dayStatesCoverPartlyShownMonths()
    {
        CalendarModel m = model(StyleDayState, Qt::Monday);
        m.setFirstMonth(QDate(2026, 6, 1)); // June 2026 starts on Monday: no leading days
        QCOMPARE(m.dayStateStart(), QDate(2026, 6, 1));
        QCOMPARE(m.dayStateMonthCount(), 2);
        m.setFirstMonth(QDate(2026, 12, 1));
        m.setMonthCount(3);
        QCOMPARE(m.dayStateStart(), QDate(2026, 11, 1));
        QCOMPARE(m.dayStateMonthCount(), 5);
        m.setDayStateMasks({1u << 29, 0, 1u << 14 | 1u, 0, 1u << 1});
        QVERIFY(m.isBold(QDate(2026, 11, 30)));
        QVERIFY(m.isBold(QDate(2027, 1, 15)));
        QVERIFY(m.isBold(QDate(2027, 1, 1)));
        QVERIFY(!m.isBold(QDate(2027, 1, 2)));
        QVERIFY(m.isBold(QDate(2027, 3, 2)));
        QVERIFY(!m.isBold(QDate(2027, 4, 2)));
    }

    void twelveMonthPageShowsTheWholeYear()
    {
        CalendarModel m = model(StyleMultiSelect);
        m.setMonthCount(12);
        m.showPageContaining(QDate(2001, 12, 31));
        QCOMPARE(m.firstMonth(), QDate(2001, 1, 1));
        m.setMonthCount(3);
        m.showPageContaining(QDate(2001, 12, 31));
        QCOMPARE(m.firstMonth(), QDate(2001, 12, 1));
    }

    void layoutFitsMonthsAndHitTests()
    {
        CalendarMetrics metrics; // fixed sizes: no fonts involved
        CalendarLayout layout;
        layout.compute(metrics, QSizeF(100, 100), false, true);
        QCOMPARE(layout.count(), 1); // too small still shows one month
        const QSizeF one = layout.minimumSize();
        layout.compute(metrics, one, false, true);
        QCOMPARE(layout.count(), 1);
        layout.compute(metrics, QSizeF(3 * (one.width() + 14), 4 * one.height()), false, true);
        QCOMPARE(layout.columns(), 3);
        QCOMPARE(layout.rows(), 4);
        layout.compute(metrics, QSizeF(20 * one.width(), 20 * one.height()), true, false);
        QVERIFY(layout.count() <= 12);

        CalendarModel m = model(0, Qt::Monday);
        m.setFirstMonth(QDate(2026, 12, 1));
        layout.compute(metrics, QSizeF(0, 0), true, true);
        layout.compute(metrics, layout.minimumSize(), true, true); // one month with week numbers
        m.setMonthCount(layout.count());
        HitInfo hit = layout.hitTest(layout.cellRect(0, 1, 0).center(), m);
        QCOMPARE(hit.area, HitArea::Date);
        QCOMPARE(hit.date, QDate(2026, 12, 7));
        hit = layout.hitTest(layout.cellRect(0, 0, 0).center(), m);
        QVERIFY(hit.otherMonth);
        QCOMPARE(layout.hitTest(layout.titleRect(0).center(), m).area, HitArea::Title);
        QCOMPARE(layout.hitTest(layout.prevButtonRect().center(), m).area, HitArea::PrevButton);
        QCOMPARE(layout.hitTest(layout.nextButtonRect().center(), m).area, HitArea::NextButton);
        QCOMPARE(layout.hitTest(layout.todayRect().center(), m).area, HitArea::TodayLink);
        QCOMPARE(layout.hitTest(layout.weekColumnRect(0).center(), m).area, HitArea::WeekNumber);
        QCOMPARE(layout.hitTest(QPointF(-1, 5), m).area, HitArea::Nowhere);
        // Scrolling is not offered past the selectable range.
        QVERIFY(m.setRange(QDate(2026, 12, 1), QDate(2026, 12, 31)));
        QCOMPARE(layout.hitTest(layout.nextButtonRect().center(), m).area, HitArea::Title);
    }

    void styleValuesMapToBits()
    {
        QCOMPARE(styleBitsFor(0), 0u);
        QCOMPARE(styleBitsFor(1), std::uint32_t(StyleMultiSelect));
        QCOMPARE(styleBitsFor(4), std::uint32_t(StyleWeekNumbers | StyleNoToday));
        QCOMPARE(styleBitsFor(8), std::uint32_t(StyleDayState));
        QCOMPARE(styleBitsFor(14), std::uint32_t(StyleDayState | StyleMultiSelect | StyleNoToday));
        QCOMPARE(styleBitsFor(15),
                 std::uint32_t(StyleDayState | StyleMultiSelect | StyleWeekNumbers | StyleNoToday));
        QCOMPARE(styleBitsFor(16), 0u);
    }
};

int runCalendarModelTests(int argc, char** argv)
{
    CalendarModelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CalendarModel.moc"
