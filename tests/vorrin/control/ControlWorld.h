// What the control tests share: a control hosted in a window as a container holds it, dates in
// the host's numbering, the error a refused call throws and a record of the events fired.
#pragma once

#include "vorrin/control/AutomationDate.h"
#include "vorrin/control/ControlMessages.h"
#include "vorrin/control/MonthCalendar.h"
#include "vorrin/control/PopupCalendar.h"
#include "vorrin/control/VorrinCtl.h"

#include <QTest>

#include <functional>

namespace vorrin {

inline double ad(const QDate& date)
{
    return automationFromDate(date);
}

inline double ad(int y, int m, int d)
{
    return automationFromDate(QDate(y, m, d));
}

// A day of the current month, which every calendar here shows first.
inline QDate dayThisMonth(int day)
{
    const QDate today = QDate::currentDate();
    return QDate(today.year(), today.month(), day);
}

struct Hosted
{
    QWidget host;
    VorrinCtl ctl;

    explicit Hosted(const std::function<void(VorrinCtl&)>& before = {})
    {
        host.resize(400, 300);
        if (before)
            before(ctl);
        ctl.createWindow(&host);
        host.show();
    }
    MonthCalendar& cal() { return *ctl.calendarWindow(); }
    // Opens the popup with `driver` acting in it instead of a user.
    void popup(VorrinCtl::PopupDriver driver)
    {
        ctl.setPopupDriver(std::move(driver));
        ctl.Popup();
    }
};

// Settings for a control that starts on `day` instead of today.
inline std::function<void(VorrinCtl&)> startingOn(const QDate& day)
{
    return [day](VorrinCtl& c) {
        c.put_InitToNow(false);
        c.put_dDate(ad(day));
    };
}

inline void clickDate(MonthCalendar& calendar, const QDate& date)
{
    const QRect r = calendar.dateRect(date);
    QVERIFY2(!r.isEmpty(), qPrintable(date.toString(Qt::ISODate)));
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, r.center());
}

// Runs `call` and answers the ControlError it must throw.
template <typename Call> ControlError errorOf(Call call)
{
    try {
        call();
    } catch (const ControlError& e) {
        return e;
    }
    return ControlError(Result::Ok, QStringLiteral("no error"), 0);
}

// Records every event the control fires, by DISPID, with its arguments.
struct EventLog
{
    QList<QPair<int, QVariantList>> events;

    explicit EventLog(VorrinCtl& ctl)
    {
        QObject::connect(&ctl, &VorrinCtl::eventFired, &ctl, [this](int dispid, QVariantList& args) {
            events.append({dispid, args});
        });
    }
    int count(int dispid) const { return static_cast<int>(firstArgs(dispid).size()); }
    QVariantList last(int dispid) const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it) {
            if (it->first == dispid)
                return it->second;
        }
        return {};
    }
    // The first argument of each `dispid` event as a number: the key codes of key events.
    QList<int> firstArgs(int dispid) const
    {
        QList<int> out;
        for (const auto& e : events) {
            if (e.first == dispid)
                out << (e.second.isEmpty() ? 0 : e.second.at(0).toInt());
        }
        return out;
    }
};

} // namespace vorrin
