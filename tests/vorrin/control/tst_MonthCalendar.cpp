// The month-calendar view as a widget: what the user's input does and which signals it gives.
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

private slots:
    void programmaticChangesStaySilent()
    {
        MonthCalendar calendar(StyleMultiSelect | StyleDayState);
        calendar.resize(calendar.minimumMonthSize());
        calendar.show();
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
        calendar.resize(calendar.minimumMonthSize());
        calendar.show();
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

    void scrollButtonsMoveMonthsAndSelection()
    {
        MonthCalendar calendar(0);
        calendar.resize(calendar.minimumMonthSize());
        calendar.show();
        QVERIFY(calendar.setCurSel(QDate(2030, 1, 31)));
        QSignalSpy selection(&calendar, &MonthCalendar::selectionChanged);
        QTest::mouseClick(&calendar, Qt::LeftButton, {},
                          calendar.layoutInfo().nextButtonRect().center().toPoint());
        QCOMPARE(calendar.model().firstMonth(), QDate(2030, 2, 1));
        QCOMPARE(calendar.model().selStart(), QDate(2030, 2, 28));
        QCOMPARE(selection.count(), 1);
        QTest::mouseClick(&calendar, Qt::LeftButton, {},
                          calendar.layoutInfo().prevButtonRect().center().toPoint());
        QCOMPARE(calendar.model().firstMonth(), QDate(2030, 1, 1));
        QCOMPARE(calendar.model().selStart(), QDate(2030, 1, 28));
    }

    void heldScrollButtonRepeatsAndTheWheelMovesByAMonth()
    {
        MonthCalendar calendar(0);
        calendar.resize(calendar.minimumMonthSize());
        calendar.show();
        QVERIFY(calendar.setCurSel(QDate(2030, 1, 15)));
        const QPoint next = calendar.layoutInfo().nextButtonRect().center().toPoint();
        QTest::mousePress(&calendar, Qt::LeftButton, {}, next);
        QCOMPARE(calendar.model().firstMonth(), QDate(2030, 2, 1));
        QTRY_VERIFY(calendar.model().firstMonth() >= QDate(2030, 4, 1));
        QTest::mouseRelease(&calendar, Qt::LeftButton, {}, next);
        const QDate released = calendar.model().firstMonth();
        QTest::qWait(600);
        QCOMPARE(calendar.model().firstMonth(), released);
        QCOMPARE(calendar.model().selStart(), QDate(released.year(), released.month(), 15));

        QSignalSpy selection(&calendar, &MonthCalendar::selectionChanged);
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
        calendar.resize(calendar.minimumMonthSize());
        calendar.show();
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
