// The month calendar: its date grid and layout without any widget, then the widget itself, what
// the user's input does and which signals it gives.
#include "vorrin/control/CalendarLayout.h"
#include "vorrin/control/CalendarModel.h"
#include "vorrin/control/MonthCalendar.h"
#include "vorrin/control/VorrinEnums.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace vorrin;

class MonthCalendarTest : public QObject
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
    static void showOneMonth(MonthCalendar& calendar)
    {
        calendar.resize(calendar.minimumMonthSize());
        calendar.show();
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

    void programmaticChangesStaySilent()
    {
        MonthCalendar calendar(StyleMultiSelect | StyleDayState);
        showOneMonth(calendar);
        QSignalSpy selection(&calendar, &MonthCalendar::selectionChanged);
        QSignalSpy picked(&calendar, &MonthCalendar::datePicked);
        QSignalSpy dayStates(&calendar, &MonthCalendar::dayStateRequested);
        QVERIFY(calendar.setSelRange(QDate(2030, 5, 1), QDate(2030, 5, 3)));
        QVERIFY(calendar.setMaxSelCount(2));
        QVERIFY(calendar.setRange(QDate(2030, 1, 1), QDate(2030, 12, 31)));
        calendar.setFirstDayOfWeek(Sunday);
        QCOMPARE(selection.count(), 0);
        QCOMPARE(picked.count(), 0);
        // Moving to another month does ask for the new months' day states.
        QVERIFY(dayStates.count() >= 1);
        QCOMPARE(dayStates.last().at(0).toDate(), calendar.model().dayStateStart());
        QCOMPARE(dayStates.last().at(1).toInt(), calendar.dayStateMonthCount());
        QCOMPARE(calendar.getFirstDayOfWeek(), 0x10000 | Sunday);
    }

    void dragSelectsARangeAndReleasePicks()
    {
        MonthCalendar calendar(StyleMultiSelect);
        showOneMonth(calendar);
        QVERIFY(calendar.setMaxSelCount(3));
        QVERIFY(calendar.setSelRange(QDate(2030, 5, 10), QDate(2030, 5, 10)));
        QSignalSpy selection(&calendar, &MonthCalendar::selectionChanged);
        QSignalSpy picked(&calendar, &MonthCalendar::datePicked);
        const QPoint from = calendar.dateRect(QDate(2030, 5, 6)).center();
        const QPoint to = calendar.dateRect(QDate(2030, 5, 20)).center();
        QTest::mousePress(&calendar, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), calendar.mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&calendar, &move);
        QCOMPARE(picked.count(), 0);
        QTest::mouseRelease(&calendar, Qt::LeftButton, {}, to);
        QCOMPARE(calendar.model().selStart(), QDate(2030, 5, 6));
        QCOMPARE(calendar.model().selEnd(), QDate(2030, 5, 8)); // three days at most
        QCOMPARE(selection.count(), 2);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(calendar.hitTest(picked.at(0).at(0).toPoint()).date, QDate(2030, 5, 20));
    }

    void scrollButtonsClickedOrHeldAndTheWheelMoveMonthsAndSelection()
    {
        MonthCalendar calendar(0);
        showOneMonth(calendar);
        QVERIFY(calendar.setCurSel(QDate(2030, 1, 31)));
        QSignalSpy selection(&calendar, &MonthCalendar::selectionChanged);
        const QPoint next = calendar.layoutInfo().nextButtonRect().center().toPoint();
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, next);
        QCOMPARE(calendar.model().firstMonth(), QDate(2030, 2, 1));
        QCOMPARE(calendar.model().selStart(), QDate(2030, 2, 28));
        QCOMPARE(selection.count(), 1);
        QTest::mouseClick(&calendar, Qt::LeftButton, {},
                          calendar.layoutInfo().prevButtonRect().center().toPoint());
        QCOMPARE(calendar.model().firstMonth(), QDate(2030, 1, 1));
        QCOMPARE(calendar.model().selStart(), QDate(2030, 1, 28));

        // Held, the button repeats until it is released.
        QVERIFY(calendar.setCurSel(QDate(2030, 1, 15)));
        QTest::mousePress(&calendar, Qt::LeftButton, {}, next);
        QCOMPARE(calendar.model().firstMonth(), QDate(2030, 2, 1));
        QTRY_VERIFY(calendar.model().firstMonth() >= QDate(2030, 4, 1));
        QTest::mouseRelease(&calendar, Qt::LeftButton, {}, next);
        const QDate released = calendar.model().firstMonth();
        QTest::qWait(600);
        QCOMPARE(calendar.model().firstMonth(), released);
        QCOMPARE(calendar.model().selStart(), QDate(released.year(), released.month(), 15));

        selection.clear();
        auto wheel = [&](int delta) {
            const QPointF at = calendar.rect().center();
            QWheelEvent event(at, calendar.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&calendar, &event);
        };
        wheel(-120); // towards the user: on
        QCOMPARE(calendar.model().firstMonth(), released.addMonths(1));
        QCOMPARE(calendar.model().selStart(), QDate(released.year(), released.month(), 15).addMonths(1));
        QCOMPARE(selection.count(), 1);
        wheel(120);
        wheel(120);
        QCOMPARE(calendar.model().firstMonth(), released.addMonths(-1));
        wheel(60); // half a notch, then the other half
        QCOMPARE(calendar.model().firstMonth(), released.addMonths(-1));
        wheel(60);
        QCOMPARE(calendar.model().firstMonth(), released.addMonths(-2));
    }

    void todayLineSelectsTodayAndPicks()
    {
        MonthCalendar calendar(0);
        showOneMonth(calendar);
        calendar.setToday(QDate(2030, 7, 14));
        QVERIFY(calendar.setCurSel(QDate(2030, 3, 1)));
        QSignalSpy picked(&calendar, &MonthCalendar::datePicked);
        const QPoint link = calendar.layoutInfo().todayRect().center().toPoint();
        QCOMPARE(calendar.hitTest(link).area, HitArea::TodayLink);
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, link);
        QCOMPARE(calendar.model().selStart(), QDate(2030, 7, 14));
        QCOMPARE(calendar.model().firstMonth(), QDate(2030, 7, 1));
        QCOMPARE(picked.count(), 1);

        MonthCalendar noToday(StyleNoToday);
        noToday.resize(noToday.minimumMonthSize());
        QVERIFY(noToday.minimumMonthSize().height() < calendar.minimumMonthSize().height());
    }

    void paintsEveryStyleWithoutTrouble()
    {
        // Painting is exercised for each style and a twelve-month size; the sanitizers watch it.
        for (int style = 0; style <= 15; ++style) {
            MonthCalendar calendar(styleBitsFor(style));
            calendar.resize(3 * calendar.minimumMonthSize().width() + 40,
                            4 * calendar.minimumMonthSize().height());
            calendar.setDayState(std::vector<std::uint32_t>(16, 0xFFFFFFFFu));
            QImage image(calendar.size(), QImage::Format_ARGB32_Premultiplied);
            calendar.render(&image);
            QCOMPARE(calendar.visibleMonthCount(), 12);
            QCOMPARE(image.pixelColor(1, 1), QColor(Qt::white)); // the background slot
        }
    }
};

int runMonthCalendarTests(int argc, char** argv)
{
    MonthCalendarTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MonthCalendar.moc"
