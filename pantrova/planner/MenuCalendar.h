#pragma once

#include "CalendarHost.h"
#include "component/MemoryPropertyBag.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace pantrova {

// The planner's calendar: one calendar control, created by its ProgID through the component
// registry (CalendarHost), given the planner window's design settings through the control's own
// persistence, and shown inside a frame of the window, sized to one month in the settings' font.
//
// It marks the days that hold a stored menu in bold, in the calendar and in its popup, by
// answering the control's day-state requests from `menuDays`, and again after refreshBoldDays().
// Its modal popup runs through the program's dialog seam, so tests can answer it. When the control
// cannot be created, the frame says why and every call here is refused with that reason.
class MenuCalendar : public QObject
{
    Q_OBJECT

public:
    // The days in [from, until) that have a menu; may throw (then no day is bold).
    using MenuDaysQuery = std::function<QList<QDate>(QDate from, QDate until)>;

    MenuCalendar(QWidget* frame, MenuDaysQuery menuDays, QObject* parent = nullptr);
    ~MenuCalendar() override;

    // The design settings of the planner's calendar, in the control's named-value form: multi-select
    // with day states and one day at most, a twelve-month popup, a 3D border, the colours, and
    // `fontFamily` at 9 points.
    static component::Ref<component::MemoryPropertyBag> designSettings(const QString& fontFamily);
    // "Comic Sans MS" where the system has it, else the first similar informal face it has.
    static QString fontFamily();

    // Creates the control and shows it in the frame. False, with the reason kept, on failure.
    bool create();
    bool isCreated() const { return m_host.isCreated(); }
    QString unavailableReason() const { return m_unavailable; }
    CalendarHost& host() { return m_host; }

    // The control's members the planner uses; each throws std::runtime_error with the control's
    // message when refused.
    void setDate(QDate day);    // dDate
    void setEndDate(QDate day); // EndDate
    void popup();               // Popup, which returns when the popup has closed

    // Asks the inline calendar to show the bold days again (after a save, delete or purge).
    void refreshBoldDays();

    void release();

private:
    void onDayState(double startDate, component::Variant& dayState, bool popup, bool& handled);
    void requireCreated() const;
    void check(component::HResult hr, const component::ExcepInfo& excep, const QString& member) const;

    QWidget* m_frame;
    QLabel* m_unavailableLabel = nullptr;
    MenuDaysQuery m_menuDays;
    CalendarHost m_host;
    QString m_unavailable;
    QDate m_inlineFirstMonth; // the inline calendar's day-state range, as it last asked
    int m_inlineMonths = 0;
};

} // namespace pantrova
