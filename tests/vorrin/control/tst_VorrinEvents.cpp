// The control at run time: user input on the calendar, posted events, day states and the popup.
#include "ControlWorld.h"
#include "vorrin/control/CalendarLayout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>

using namespace vorrin;

class VorrinEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void inlinePickRaisesRangeEventsAfterTheNotification()
    {
        Hosted h;
        EventLog log(h.ctl);
        QSignalSpy picked(&h.ctl, &VorrinCtl::DateRangeSelect);
        int eventsDuringNotification = -1;
        connect(&h.cal(), &MonthCalendar::selectionChanged, this,
                [&] { eventsDuringNotification = static_cast<int>(log.events.size()); });
        const QDate day = dayThisMonth(10);
        clickDate(h.cal(), day);
        QCOMPARE(eventsDuringNotification, 0);
        QCOMPARE(log.events.size(), 0); // nothing yet: the events are posted
        QTRY_COMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).toDouble(), ad(day));
        QCOMPARE(picked.at(0).at(1).toDouble(), ad(day));
        QCOMPARE(log.count(DispId::EvDateRangeChanged), 1);
        QCOMPARE(log.last(DispId::EvDateRangeChanged).at(0).toDouble(), ad(day));
        QCOMPARE(log.count(DispId::EvClick), 1);
        QCOMPARE(log.count(DispId::EvDateChanged), 0);
        QCOMPARE(h.ctl.get_dDate(), ad(day));
        QCOMPARE(h.ctl.get_EndDate(), ad(day));

        // In design mode a click is recorded, but raises nothing.
        h.ctl.setUserMode(false);
        const auto fired = log.events.size();
        clickDate(h.cal(), dayThisMonth(12));
        QTest::qWait(30);
        QCOMPARE(log.events.size(), fired);
        QCOMPARE(h.ctl.get_StartDate(), ad(dayThisMonth(12)));
    }

    void singleSelectRaisesDateEvents()
    {
        Hosted h([](VorrinCtl& c) { c.put_MonthCalStyle(DefaultNoMultiSelect); });
        QSignalSpy changed(&h.ctl, &VorrinCtl::DateChanged);
        QSignalSpy picked(&h.ctl, &VorrinCtl::DateSelect);
        const QDate day = dayThisMonth(3);
        clickDate(h.cal(), day);
        QTRY_COMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).toDouble(), ad(day));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(h.ctl.get_dDate(), ad(day));
    }

    void twoControlsKeepToThemselves()
    {
        Hosted a;
        Hosted b;
        b.ctl.put_dDate(ad(dayThisMonth(2)));
        EventLog logA(a.ctl);
        EventLog logB(b.ctl);
        clickDate(a.cal(), dayThisMonth(20));
        QTRY_COMPARE(logA.count(DispId::EvDateRangeSelect), 1);
        a.popup([&](PopupCalendar& popup) { clickDate(*popup.calendar(), dayThisMonth(21)); });
        QTRY_COMPARE(logA.count(DispId::EvDateRangeSelect), 2);
        QCOMPARE(logB.events.size(), 0);
        QCOMPARE(b.ctl.get_dDate(), ad(dayThisMonth(2)));
        QCOMPARE(b.cal().model().selStart(), dayThisMonth(2));
    }

    void keysFireWithVirtualCodes()
    {
        Hosted h(startingOn(dayThisMonth(10)));
        EventLog log(h.ctl);
        // A handler rewriting the key code does not change the key the calendar gets.
        connect(&h.ctl, &VorrinCtl::KeyDown, this, [](short& code, short) {
            if (code == 0x27)
                code = 0x25;
        });
        QTest::keyClick(&h.cal(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(log.count(DispId::EvKeyDown), 2); // Shift, then the arrow
        QCOMPARE(log.events.at(0).second.at(0).toInt(), 0x10);
        QCOMPARE(log.last(DispId::EvKeyDown).at(1).toInt(), 1);
        QCOMPARE(log.last(DispId::EvKeyDown).at(0).toInt(), 0x25); // the handler's change came back
        QCOMPARE(log.firstArgs(DispId::EvKeyUp), (QList<int>{0x27, 0x10}));
        QCOMPARE(h.cal().model().selEnd(), dayThisMonth(11));
        QTest::keyClick(&h.cal(), Qt::Key_A);
        QCOMPARE(log.last(DispId::EvKeyUp).at(0).toInt(), 0x41);
        QCOMPARE(log.last(DispId::EvKeyUp).at(1).toInt(), 0);
        QCOMPARE(log.last(DispId::EvKeyPress).at(0).toInt(), int('a'));
        QTRY_COMPARE(log.count(DispId::EvDateRangeChanged), 1);
    }

    void keysArriveWithTheirOwnCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code"); // 0: no key event at all
        QTest::newRow("full stop") << int(Qt::Key_Period) << 0 << 0xBE;
        QTest::newRow("hyphen") << int(Qt::Key_Minus) << 0 << 0xBD;
        QTest::newRow("Num Lock") << int(Qt::Key_NumLock) << 0 << 0x90;
        QTest::newRow("Caps Lock") << int(Qt::Key_CapsLock) << 0 << 0x14;
        QTest::newRow("exclamation mark: the 1 key") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 0x31;
        QTest::newRow("number pad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 0x65;
        QTest::newRow("number pad point") << int(Qt::Key_Period) << int(Qt::KeypadModifier) << 0x6E;
        QTest::newRow("number pad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 0x0D;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 0x7B;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 0x2E;
        QTest::newRow("e acute: no key code") << int(Qt::Key_Eacute) << 0 << 0;
        QTest::newRow("a media key without one") << int(Qt::Key_Eject) << 0 << 0;
    }

    void keysArriveWithTheirOwnCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        Hosted h;
        EventLog log(h.ctl);
        // Sent as the platform sends them, for keys the test library cannot type as well.
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::KeyboardModifiers(modifiers));
            QApplication::sendEvent(&h.cal(), &event);
        }
        QList<int> down = log.firstArgs(DispId::EvKeyDown);
        QList<int> up = log.firstArgs(DispId::EvKeyUp);
        down.removeAll(0x10); // the Shift key of a shifted character
        up.removeAll(0x10);
        if (code == 0) {
            QCOMPARE(down, QList<int>());
            QCOMPARE(up, QList<int>());
        } else {
            QCOMPARE(down, QList<int>{code});
            QCOMPARE(up, QList<int>{code});
        }
    }

    void handlersMayRemakeTheCalendarThatRaisedTheirEvent()
    {
        // A key that switches week numbers on, from inside the calendar's own key handling.
        Hosted h;
        connect(&h.ctl, &VorrinCtl::KeyDown, this, [&](short& code, short) {
            if (code == 0x57)
                h.ctl.put_MonthCalStyle(MultiSelectWeekNumbers);
        });
        QTest::keyClick(&h.cal(), Qt::Key_W);
        QTRY_VERIFY(h.ctl.calendarWindow() && h.cal().model().weekNumbers());

        // Day states that turn into another style while the calendar asks for them.
        Hosted d([](VorrinCtl& c) { c.put_MonthCalStyle(DayStateMultiSelect); });
        int asked = 0;
        connect(&d.ctl, &VorrinCtl::DayState, this, [&](double, QVariant&, bool, bool&) {
            if (++asked == 1)
                d.ctl.put_MonthCalStyle(DayStateMultiSelectWeekNumbers);
        });
        QTest::mouseClick(&d.cal(), Qt::LeftButton, {},
                          d.cal().layoutInfo().nextButtonRect().center().toPoint());
        QTRY_VERIFY(d.ctl.calendarWindow() && d.cal().model().weekNumbers());
        QVERIFY(asked >= 1);
    }

    void dayStatesSetBoldDays()
    {
        double firstMonth = 0;
        int rows = 0;
        int days = 0;
        bool popupFlag = true;
        Hosted h([&](VorrinCtl& c) {
            c.put_MonthCalStyle(DayStateMultiSelect);
            connect(&c, &VorrinCtl::DayState, &c,
                    [&](double start, QVariant& state, bool popup, bool& handled) {
                        firstMonth = start;
                        QVariantList months = state.toList();
                        rows = static_cast<int>(months.size());
                        days = static_cast<int>(months.first().toList().size());
                        popupFlag = popup;
                        QVariantList first = months.first().toList();
                        first[14] = true;
                        months[0] = first;
                        state = months;
                        handled = true;
                    });
        });
        const QDate start = dateFromAutomation(firstMonth);
        QCOMPARE(start, h.cal().model().dayStateStart());
        QCOMPARE(days, 31);
        QVERIFY(!popupFlag);
        std::int32_t visible = 0;
        h.ctl.GetVisibleMonths(visible);
        QCOMPARE(rows, visible);
        QVERIFY(h.cal().model().isBold(start.addDays(14)));
        QVERIFY(!h.cal().model().isBold(start.addDays(13)));

        QVariantList months(visible, QVariant(QVariantList(31, 0)));
        QVariantList second(31, 0);
        second[0] = -1;
        months[1] = second;
        h.ctl.SetDayState(months);
        QVERIFY(h.cal().model().isBold(start.addMonths(1)));
        QVERIFY(!h.cal().model().isBold(start.addDays(14)));
        const QVariantList flat(31, 1); // one-dimensional: refused
        QCOMPARE(errorOf([&] { h.ctl.SetDayState(flat); }).number(), Result::InvalidArg);
        h.ctl.put_MonthCalStyle(MultiSelect); // day states need the day-state style
        QCOMPARE(errorOf([&] { h.ctl.SetDayState(months); }).message(), messageText(Message::M14));
    }

    void popupWindowHasTheSizeOfItsMonths_data()
    {
        QTest::addColumn<int>("popupMonths");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("extraHeight"); // over `rows` one-month heights
        QTest::newRow("initial 8") << 8 << 1 << 1 << 1 << 16;
        QTest::newRow("1") << 1 << 1 << 1 << 1 << 16;
        QTest::newRow("2") << 2 << 1 << 2 << 1 << 16;
        QTest::newRow("3") << 3 << 1 << 3 << 1 << 16;
        QTest::newRow("4") << 4 << 1 << 2 << 2 << 14;
        QTest::newRow("6") << 6 << 1 << 3 << 2 << 10;
        QTest::newRow("9") << 9 << 1 << 3 << 3 << 4;
        QTest::newRow("12") << 12 << 1 << 3 << 4 << 0;
        QTest::newRow("12, week numbers, no today line") << 12 << 7 << 3 << 4 << 0;
        QTest::newRow("9, no today line") << 9 << 3 << 3 << 3 << 4;
        QTest::newRow("1, no today line") << 1 << 3 << 1 << 1 << 16;
    }

    void popupWindowHasTheSizeOfItsMonths()
    {
        QFETCH(int, popupMonths);
        QFETCH(int, style);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, extraHeight);
        Hosted h;
        h.ctl.put_MonthCalStyle(style);
        h.ctl.put_PopupMonths(popupMonths);
        bool shown = false;
        h.popup([&](PopupCalendar& popup) {
            shown = true;
            const MonthCalendar& calendar = *popup.calendar();
            const CalendarLayout& layout = calendar.layoutInfo();
            const QSize size = popup.size();
            const QSize oneMonth = calendar.minimumMonthSize();
            // The window itself, frame and all, has the size of one month's width plus 14 across each
            // column, and of the month's height down each row with a few pixels more for few rows.
            QCOMPARE(size, QSize(columns * (oneMonth.width() + 14), rows * oneMonth.height() + extraHeight));
            QCOMPARE(popup.frameGeometry().size(), size);
            QCOMPARE(layout.columns(), columns);
            QCOMPARE(layout.rows(), rows);
            // Calendar and buttons both fit inside, one above the other, and no month is cut off.
            const QRect buttons = QRect(popup.okButton()->mapTo(&popup, QPoint()), popup.okButton()->size())
                                      .united(QRect(popup.cancelButton()->mapTo(&popup, QPoint()),
                                                    popup.cancelButton()->size()));
            QVERIFY(QRect(QPoint(), size).contains(calendar.geometry()));
            QVERIFY(QRect(QPoint(), size).contains(buttons));
            QVERIFY(buttons.top() >= calendar.geometry().bottom());
            const QRectF lastMonth = layout.monthRect(layout.count() - 1).united(layout.todayRect());
            QVERIFY2(lastMonth.bottom() <= calendar.height(),
                     qPrintable(QString::number(lastMonth.bottom())));
            if (popupMonths == 12)
                QCOMPARE(calendar.model().firstMonth(), QDate(QDate::currentDate().year(), 1, 1));
        });
        QVERIFY(shown);
        QVERIFY(!h.ctl.popupWindow());
    }

    void popupAsksForItsOwnDayStates()
    {
        Hosted h([](VorrinCtl& c) { c.put_MonthCalStyle(DayStateNoMultiSelect); });
        QList<bool> popupFlags;
        connect(&h.ctl, &VorrinCtl::DayState, this, [&](double, QVariant& state, bool popup, bool& handled) {
            popupFlags << popup;
            QVariantList months = state.toList();
            for (QVariant& m : months) {
                QVariantList days = m.toList();
                days[9] = popup; // the tenth is bold in the popup only
                m = days;
            }
            state = months;
            handled = true;
        });
        bool boldInPopup = false;
        h.popup(
            [&](PopupCalendar& popup) { boldInPopup = popup.calendar()->model().isBold(dayThisMonth(10)); });
        QVERIFY(popupFlags.contains(true));
        QVERIFY(boldInPopup);
        QVERIFY(!h.cal().model().isBold(dayThisMonth(10)));
    }

    void popupPickClosesAndSelects()
    {
        Hosted h;
        QSignalSpy picked(&h.ctl, &VorrinCtl::DateRangeSelect);
        bool stillOpen = true;
        const QDate day = dayThisMonth(16);
        h.popup([&](PopupCalendar& popup) {
            QTest::mouseClick(popup.calendar(), Qt::LeftButton, {},
                              popup.calendar()->layoutInfo().titleRect(0).center().toPoint());
            QVERIFY(popup.isVisible()); // not on a date: nothing happens
            clickDate(*popup.calendar(), day);
            stillOpen = popup.isVisible();
        });
        QVERIFY(!stillOpen);
        QCOMPARE(h.cal().model().selStart(), day);
        QTRY_COMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).toDouble(), ad(day));
        QCOMPARE(picked.at(0).at(1).toDouble(), ad(day));

        // A control without an inline calendar picks the same way.
        Hosted popupOnly([](VorrinCtl& c) { c.put_UsePopupOnly(true); });
        QSignalSpy popupOnlyPicked(&popupOnly.ctl, &VorrinCtl::DateRangeSelect);
        popupOnly.popup([&](PopupCalendar& popup) { clickDate(*popup.calendar(), dayThisMonth(5)); });
        QTRY_COMPARE(popupOnlyPicked.count(), 1);
        QCOMPARE(popupOnly.ctl.get_dDate(), ad(dayThisMonth(5)));
    }

    void refusedEndDateIsRecordedShownInThePopupAndCancelRestores()
    {
        // A range the control cannot select records the day as start and end.
        Hosted h;
        h.ctl.put_MaxSelCount(1);
        const QDate today = QDate::currentDate();
        const QDate newYearsEve(today.year(), 12, 31);
        if (today == newYearsEve)
            QSKIP("31 December: the range would be accepted today");
        h.ctl.put_EndDate(ad(newYearsEve));
        QCOMPARE(h.ctl.get_StartDate(), ad(newYearsEve));
        QCOMPARE(h.ctl.get_EndDate(), ad(newYearsEve));
        QCOMPARE(h.cal().model().selStart(), today);
        QCOMPARE(h.cal().model().selEnd(), today);
        QDate shownStart;
        QDate shownEnd;
        h.popup([&](PopupCalendar& popup) {
            shownStart = popup.calendar()->model().selStart();
            shownEnd = popup.calendar()->model().selEnd();
            QVERIFY(!popup.calendar()->dateRect(newYearsEve).isEmpty());
            QTest::mouseClick(popup.cancelButton(), Qt::LeftButton);
        });
        QCOMPARE(shownStart, newYearsEve);
        QCOMPARE(shownEnd, newYearsEve);
        QCOMPARE(h.ctl.get_StartDate(), ad(today));
        QCOMPARE(h.ctl.get_EndDate(), ad(today));
    }

    void popupCancelTellsTheHostNothingAndOkTellsItOnce()
    {
        const QDate day = dayThisMonth(10);
        Hosted h(startingOn(day));
        h.ctl.put_MaxSelCount(3);
        EventLog log(h.ctl);
        auto dateEvents = [&] {
            return log.count(DispId::EvDateRangeChanged) + log.count(DispId::EvDateRangeSelect) +
                   log.count(DispId::EvDateChanged) + log.count(DispId::EvDateSelect);
        };
        QDate moved;
        for (const Qt::Key close : {Qt::Key_unknown, Qt::Key_Escape}) {
            h.popup([&](PopupCalendar& popup) {
                QTest::keyClick(popup.calendar(), Qt::Key_Right);
                QTest::keyClick(popup.calendar(), Qt::Key_Right, Qt::ShiftModifier);
                QCoreApplication::processEvents();
                moved = popup.calendar()->model().selEnd();
                if (close == Qt::Key_Escape)
                    QTest::keyClick(popup.calendar(), Qt::Key_Escape);
                else
                    QTest::mouseClick(popup.cancelButton(), Qt::LeftButton);
            });
            QTest::qWait(20);
            QCOMPARE(moved, day.addDays(2));
            QCOMPARE(h.ctl.get_StartDate(), ad(day));
            QCOMPARE(h.ctl.get_EndDate(), ad(day));
            QCOMPARE(h.cal().model().selStart(), day);
            QCOMPARE(h.cal().model().selEnd(), day);
            QCOMPARE(dateEvents(), 0);
        }

        // OK confirms the moved range: the host hears of it once, when the popup has closed.
        int eventsWhileOpen = -1;
        h.popup([&](PopupCalendar& popup) {
            QTest::keyClick(popup.calendar(), Qt::Key_Right);
            QTest::keyClick(popup.calendar(), Qt::Key_Right, Qt::ShiftModifier);
            QCoreApplication::processEvents();
            eventsWhileOpen = log.count(DispId::EvDateRangeChanged);
            QTest::keyClick(popup.calendar(), Qt::Key_Return); // the default button: OK
        });
        QCOMPARE(eventsWhileOpen, 0);
        QCOMPARE(h.cal().model().selStart(), day.addDays(1));
        QCOMPARE(h.cal().model().selEnd(), day.addDays(2));
        QTRY_COMPARE(log.count(DispId::EvDateRangeSelect), 1);
        QCOMPARE(log.count(DispId::EvDateRangeChanged), 1);
        const QVariantList confirmed{ad(day.addDays(1)), ad(day.addDays(2))};
        QCOMPARE(log.last(DispId::EvDateRangeChanged), confirmed);
        QCOMPARE(log.last(DispId::EvDateRangeSelect), confirmed);
        QCOMPARE(h.ctl.get_dDate(), ad(day.addDays(1)));
        QCOMPARE(h.ctl.get_EndDate(), ad(day.addDays(2)));

        // OK on the selection the control already had: a pick of it, nothing changed.
        h.popup([](PopupCalendar& popup) { popup.okButton()->click(); });
        QTRY_COMPARE(log.count(DispId::EvDateRangeSelect), 2);
        QCOMPARE(log.count(DispId::EvDateRangeChanged), 1);

        // Without an inline calendar the recorded dates are what the control had.
        Hosted popupOnly([&](VorrinCtl& c) {
            c.put_UsePopupOnly(true);
            c.put_InitToNow(false);
            c.put_StartDate(ad(day));
            c.put_EndDate(ad(day.addDays(1)));
        });
        EventLog popupOnlyLog(popupOnly.ctl);
        popupOnly.popup([&](PopupCalendar& popup) {
            QTest::keyClick(popup.calendar(), Qt::Key_Down);
            QTest::mouseClick(popup.cancelButton(), Qt::LeftButton);
        });
        QTest::qWait(20);
        QCOMPARE(popupOnly.ctl.get_StartDate(), ad(day));
        QCOMPARE(popupOnly.ctl.get_EndDate(), ad(day.addDays(1)));
        QCOMPARE(popupOnlyLog.count(DispId::EvDateRangeChanged), 0);
    }

    void popupPosition()
    {
        Hosted h;
        QPoint seen;
        QRect screen;
        h.popup([&](PopupCalendar& popup) {
            seen = popup.pos();
            screen = popup.screen()->availableGeometry();
            QVERIFY(screen.contains(popup.frameGeometry()));
        });
        QVERIFY(screen.contains(seen));
        h.ctl.put_PopupPositionX(10);
        h.ctl.put_PopupPositionY(20);
        h.ctl.Popup();
        QCOMPARE(seen, QPoint(10, 20));
    }

    void focusPassesToTheCalendar()
    {
        Hosted h;
        auto* other = new QPushButton(&h.host);
        other->move(300, 250);
        other->show();
        h.host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.host));
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QSignalSpy focus(&h.ctl, &VorrinCtl::focusChanged);
        h.ctl.controlWindow()->setFocus();
        QTRY_VERIFY(h.cal().hasFocus());
        QCOMPARE(focus.count(), 1);
        QCOMPARE(focus.at(0).at(0).toBool(), true);
        other->setFocus();
        QTRY_COMPARE(focus.count(), 2);
        QCOMPARE(focus.at(1).at(0).toBool(), false);
        // A click on the calendar brings the focus back through the control's window.
        clickDate(h.cal(), dayThisMonth(8));
        QTRY_VERIFY(h.cal().hasFocus());
        QCOMPARE(focus.count(), 3);
    }
};

int runVorrinEventsTests(int argc, char** argv)
{
    VorrinEventsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_VorrinEvents.moc"
