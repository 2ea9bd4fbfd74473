#pragma once

#include <QDate>

#include <cstdint>
#include <vector>

namespace vorrin {

// The date grid behind a month-calendar view, free of any widget.
//
// It holds what the calendar knows: its style bits, the selection (one day, or a range of at most
// `maxSelCount` days in multi-select mode), the selectable range, today, the first day of the
// week, the months shown (the first one and how many) and the bold-day masks of the months for
// which day states are kept. Each month is drawn as six rows of seven days; the first month also
// shows the previous month's last days and the last month the next month's first days.
//
// Programmatic setters answer whether the calendar accepted the value, and change nothing when
// it did not. User actions (userSelect, userMove, scroll) answer whether the selection changed, so
// the view knows when to report it. Invariants: the selection is ordered, inside the selectable
// range, and no longer than maxSelCount days; the first shown month is the first of a month.
class CalendarModel
{
public:
    CalendarModel();

    // ---- configuration ------------------------------------------------------------------
    void setStyle(std::uint32_t styleBits);
    std::uint32_t style() const { return m_style; }
    bool multiSelect() const;
    bool dayStateStyle() const;
    bool weekNumbers() const;
    bool showsTodayLine() const;

    // Refused outside multi-select mode and below one day; a longer selection is cut to fit.
    bool setMaxSelCount(int count);
    int maxSelCount() const { return m_maxSelCount; }

    // -1 follows the locale; 0..6 are Monday..Sunday. Values outside are ignored.
    void setFirstDayOfWeek(int day);
    int firstDayOfWeekSetting() const { return m_firstDaySetting; }
    Qt::DayOfWeek firstDayOfWeek() const;
    void setLocaleFirstDay(Qt::DayOfWeek day) { m_localeFirstDay = day; }

    void setToday(const QDate& date);
    QDate today() const { return m_today; }

    // Invalid dates mean no limit. Refused when both are set and minimum > maximum. A selection
    // left outside moves inside.
    bool setRange(const QDate& minimum, const QDate& maximum);
    QDate minimum() const { return m_min; }
    QDate maximum() const { return m_max; }
    bool inRange(const QDate& date) const;

    // ---- selection ----------------------------------------------------------------------
    bool setCurSel(const QDate& date);                      // single-select mode only
    bool setSelRange(const QDate& start, const QDate& end); // multi-select mode only
    QDate selStart() const { return m_selStart; }
    QDate selEnd() const { return m_selEnd; }
    bool isSelected(const QDate& date) const;
    QDate cursor() const { return m_cursor; } // the day keyboard moves start from

    // A click or drag on `date`; `extend` grows the range from the anchor (Shift, or dragging).
    bool userSelect(const QDate& date, bool extend);
    // Keyboard moves: by days or by months (positive forwards); `extend` as above.
    bool userMoveDays(int days, bool extend);
    bool userMoveMonths(int months, bool extend);
    bool userMoveTo(const QDate& date, bool extend);

    // ---- months shown -------------------------------------------------------------------
    void setMonthCount(int count); // 1..12
    int monthCount() const { return m_monthCount; }
    void setFirstMonth(const QDate& anyDayOfMonth);
    QDate firstMonth() const { return m_firstMonth; }
    QDate lastMonth() const { return m_firstMonth.addMonths(m_monthCount - 1); }
    QDate month(int index) const { return m_firstMonth.addMonths(index); }
    // Scrolls as little as possible to show `date`.
    void ensureVisible(const QDate& date);
    // Shows `date`'s month first; a twelve-month view shows the date's whole year instead.
    void showPageContaining(const QDate& date);
    bool canScroll(int months) const;
    // Scrolls the months shown and moves the selection along by as many months; true when the
    // selection moved.
    bool scroll(int months);
    // Changes with every scroll; the view watches it to ask for day states.
    int viewRevision() const { return m_viewRevision; }

    // ---- the grid -----------------------------------------------------------------------
    static constexpr int Rows = 6;
    static constexpr int Columns = 7;
    // The day in a cell of month `index`; invalid for blank cells (other months' days in the
    // inner months of a multi-month view).
    QDate cellDate(int index, int row, int column) const;
    bool isOtherMonth(int index, const QDate& date) const;
    // Week number of a row that starts on `rowStart`: ISO weeks when weeks start on Monday,
    // otherwise week 1 is the one holding 1 January.
    int weekNumber(const QDate& rowStart) const;
    // Where a date sits in the grid, if it is shown; the month index prefers the date's own month.
    bool locate(const QDate& date, int& index, int& row, int& column) const;

    // ---- day states ---------------------------------------------------------------------
    // The months day states cover: the shown months plus the partly shown ones at each end.
    QDate dayStateStart() const;
    int dayStateMonthCount() const;
    void setDayStateMasks(const std::vector<std::uint32_t>& masks); // from dayStateStart() on
    void clearDayStates() { m_masks.clear(); }
    bool isBold(const QDate& date) const;

private:
    int leadingDays(const QDate& monthStart) const;
    QDate clampToRange(const QDate& date) const;
    bool applySelection(const QDate& start, const QDate& end, const QDate& anchor, const QDate& cursor);
    QDate clampMonth(const QDate& monthStart) const;

    std::uint32_t m_style = 0;
    int m_maxSelCount = 7;
    int m_firstDaySetting = -1;
    Qt::DayOfWeek m_localeFirstDay;
    QDate m_today;
    QDate m_min;
    QDate m_max;
    QDate m_selStart;
    QDate m_selEnd;
    QDate m_anchor;
    QDate m_cursor;
    int m_monthCount = 1;
    QDate m_firstMonth;
    int m_viewRevision = 0;
    std::vector<std::uint32_t> m_masks;
    QDate m_masksStart;
};

} // namespace vorrin
