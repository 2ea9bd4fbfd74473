#include "CalendarModel.h"

#include "VorrinEnums.h"

#include <QLocale>

#include <algorithm>

namespace vorrin {

namespace {

QDate monthStart(const QDate& date)
{
    return QDate(date.year(), date.month(), 1);
}

int monthsBetween(const QDate& fromMonth, const QDate& toMonth)
{
    return (toMonth.year() - fromMonth.year()) * 12 + (toMonth.month() - fromMonth.month());
}

} // namespace

CalendarModel::CalendarModel()
    : m_localeFirstDay(QLocale().firstDayOfWeek()), m_today(QDate::currentDate()), m_selStart(m_today),
      m_selEnd(m_today), m_anchor(m_today), m_cursor(m_today), m_firstMonth(monthStart(m_today))
{}

// ---- configuration --------------------------------------------------------------------------

void CalendarModel::setStyle(std::uint32_t styleBits)
{
    const bool wasMulti = multiSelect();
    m_style = styleBits;
    if (wasMulti && !multiSelect())
        m_selEnd = m_selStart;
    m_anchor = m_cursor = m_selStart;
    ++m_viewRevision;
}

bool CalendarModel::multiSelect() const
{
    return (m_style & StyleMultiSelect) != 0;
}

bool CalendarModel::dayStateStyle() const
{
    return (m_style & StyleDayState) != 0;
}

bool CalendarModel::weekNumbers() const
{
    return (m_style & StyleWeekNumbers) != 0;
}

bool CalendarModel::showsTodayLine() const
{
    return (m_style & StyleNoToday) == 0;
}

bool CalendarModel::setMaxSelCount(int count)
{
    if (!multiSelect() || count < 1)
        return false;
    m_maxSelCount = count;
    if (m_selStart.daysTo(m_selEnd) >= count)
        m_selEnd = m_selStart.addDays(count - 1);
    m_cursor = std::clamp(m_cursor, m_selStart, m_selEnd);
    return true;
}

void CalendarModel::setFirstDayOfWeek(int day)
{
    if (day < -1 || day > 6 || day == m_firstDaySetting)
        return;
    m_firstDaySetting = day;
    ++m_viewRevision;
}

Qt::DayOfWeek CalendarModel::firstDayOfWeek() const
{
    return m_firstDaySetting < 0 ? m_localeFirstDay : static_cast<Qt::DayOfWeek>(m_firstDaySetting + 1);
}

void CalendarModel::setToday(const QDate& date)
{
    if (date.isValid())
        m_today = date;
}

bool CalendarModel::setRange(const QDate& minimum, const QDate& maximum)
{
    if (minimum.isValid() && maximum.isValid() && minimum > maximum)
        return false;
    m_min = minimum;
    m_max = maximum;
    const qint64 length = m_selStart.daysTo(m_selEnd);
    QDate start = clampToRange(m_selStart);
    QDate end = clampToRange(start.addDays(length));
    m_selStart = start;
    m_selEnd = end;
    m_anchor = clampToRange(m_anchor);
    m_cursor = clampToRange(m_cursor);
    const QDate first = clampMonth(m_firstMonth);
    if (first != m_firstMonth) {
        m_firstMonth = first;
        ++m_viewRevision;
    }
    return true;
}

bool CalendarModel::inRange(const QDate& date) const
{
    return date.isValid() && (!m_min.isValid() || date >= m_min) && (!m_max.isValid() || date <= m_max);
}

QDate CalendarModel::clampToRange(const QDate& date) const
{
    QDate d = date;
    if (m_min.isValid() && d < m_min)
        d = m_min;
    if (m_max.isValid() && d > m_max)
        d = m_max;
    return d;
}

// ---- selection ------------------------------------------------------------------------------

bool CalendarModel::setCurSel(const QDate& date)
{
    if (multiSelect() || !inRange(date))
        return false;
    applySelection(date, date, date, date);
    ensureVisible(date);
    return true;
}

bool CalendarModel::setSelRange(const QDate& start, const QDate& end)
{
    if (!multiSelect() || !inRange(start) || !inRange(end) || start > end ||
        start.daysTo(end) >= m_maxSelCount)
        return false;
    applySelection(start, end, start, end);
    ensureVisible(start);
    return true;
}

bool CalendarModel::isSelected(const QDate& date) const
{
    return date.isValid() && date >= m_selStart && date <= m_selEnd;
}

bool CalendarModel::applySelection(const QDate& start, const QDate& end, const QDate& anchor,
                                   const QDate& cursor)
{
    const bool changed = start != m_selStart || end != m_selEnd;
    m_selStart = start;
    m_selEnd = end;
    m_anchor = anchor;
    m_cursor = cursor;
    return changed;
}

bool CalendarModel::userSelect(const QDate& date, bool extend)
{
    if (!inRange(date))
        return false;
    if (!multiSelect() || !extend || !m_anchor.isValid())
        return applySelection(date, date, date, date);

    // The range grows from the anchor towards the pointer, no further than the maximum allows.
    QDate target = date;
    const int reach = m_maxSelCount - 1;
    if (m_anchor.daysTo(target) > reach)
        target = m_anchor.addDays(reach);
    else if (target.daysTo(m_anchor) > reach)
        target = m_anchor.addDays(-reach);
    return applySelection(std::min(m_anchor, target), std::max(m_anchor, target), m_anchor, target);
}

bool CalendarModel::userMoveTo(const QDate& date, bool extend)
{
    if (!date.isValid())
        return false;
    const QDate target = clampToRange(date);
    const bool changed = userSelect(target, extend);
    ensureVisible(m_cursor);
    return changed;
}

bool CalendarModel::userMoveDays(int days, bool extend)
{
    const QDate from = m_cursor.isValid() ? m_cursor : m_selStart;
    return userMoveTo(from.addDays(days), extend);
}

bool CalendarModel::userMoveMonths(int months, bool extend)
{
    const QDate from = m_cursor.isValid() ? m_cursor : m_selStart;
    return userMoveTo(from.addMonths(months), extend);
}

// ---- months shown ---------------------------------------------------------------------------

void CalendarModel::setMonthCount(int count)
{
    count = std::clamp(count, 1, 12);
    if (count == m_monthCount)
        return;
    m_monthCount = count;
    m_firstMonth = clampMonth(m_firstMonth);
    ++m_viewRevision;
}

void CalendarModel::setFirstMonth(const QDate& anyDayOfMonth)
{
    if (!anyDayOfMonth.isValid())
        return;
    const QDate first = clampMonth(monthStart(anyDayOfMonth));
    if (first != m_firstMonth) {
        m_firstMonth = first;
        ++m_viewRevision;
    }
}

QDate CalendarModel::clampMonth(const QDate& first) const
{
    QDate m = first;
    if (m_max.isValid())
        m = std::min(m, monthStart(m_max).addMonths(-(m_monthCount - 1)));
    if (m_min.isValid())
        m = std::max(m, monthStart(m_min));
    return m;
}

void CalendarModel::ensureVisible(const QDate& date)
{
    if (!date.isValid())
        return;
    const QDate m = monthStart(date);
    if (m < m_firstMonth)
        setFirstMonth(m);
    else if (m > lastMonth())
        setFirstMonth(m.addMonths(-(m_monthCount - 1)));
}

void CalendarModel::showPageContaining(const QDate& date)
{
    if (!date.isValid())
        return;
    setFirstMonth(m_monthCount == 12 ? QDate(date.year(), 1, 1) : date);
    ensureVisible(date);
}

bool CalendarModel::canScroll(int months) const
{
    return months != 0 && clampMonth(m_firstMonth.addMonths(months)) != m_firstMonth;
}

bool CalendarModel::scroll(int months)
{
    const QDate first = clampMonth(m_firstMonth.addMonths(months));
    if (first == m_firstMonth)
        return false;
    const int moved = monthsBetween(m_firstMonth, first);
    m_firstMonth = first;
    ++m_viewRevision;

    // The selection travels with the pages, keeping its length, when it still fits the range.
    const qint64 length = m_selStart.daysTo(m_selEnd);
    const QDate start = m_selStart.addMonths(moved);
    const QDate end = start.addDays(length);
    if (!inRange(start) || !inRange(end))
        return false;
    return applySelection(start, end, start, m_cursor.addMonths(moved));
}

// ---- the grid -------------------------------------------------------------------------------

int CalendarModel::leadingDays(const QDate& first) const
{
    return (first.dayOfWeek() - firstDayOfWeek() + 7) % 7;
}

QDate CalendarModel::cellDate(int index, int row, int column) const
{
    const QDate first = month(index);
    const QDate date = first.addDays(row * Columns + column - leadingDays(first));
    if (date.month() == first.month())
        return date;
    if ((index == 0 && date < first) || (index == m_monthCount - 1 && date > first))
        return date;
    return {};
}

bool CalendarModel::isOtherMonth(int index, const QDate& date) const
{
    const QDate first = month(index);
    return date.month() != first.month() || date.year() != first.year();
}

int CalendarModel::weekNumber(const QDate& rowStart) const
{
    if (firstDayOfWeek() == Qt::Monday)
        return rowStart.weekNumber();
    const QDate rowEnd = rowStart.addDays(6);
    const QDate newYear(rowEnd.year(), 1, 1);
    const QDate firstWeekStart = newYear.addDays(-((newYear.dayOfWeek() - firstDayOfWeek() + 7) % 7));
    return static_cast<int>(firstWeekStart.daysTo(rowStart) / 7) + 1;
}

bool CalendarModel::locate(const QDate& date, int& index, int& row, int& column) const
{
    if (!date.isValid())
        return false;
    const int own = monthsBetween(m_firstMonth, monthStart(date));
    int candidates[3] = {own, 0, m_monthCount - 1};
    for (int i : candidates) {
        if (i < 0 || i >= m_monthCount)
            continue;
        const QDate first = month(i);
        const qint64 offset = leadingDays(first) + first.daysTo(date);
        if (offset < 0 || offset >= Rows * Columns)
            continue;
        const int r = static_cast<int>(offset / Columns);
        const int c = static_cast<int>(offset % Columns);
        if (cellDate(i, r, c) != date)
            continue;
        index = i;
        row = r;
        column = c;
        return true;
    }
    return false;
}

// ---- day states -----------------------------------------------------------------------------

QDate CalendarModel::dayStateStart() const
{
    return leadingDays(m_firstMonth) > 0 ? m_firstMonth.addMonths(-1) : m_firstMonth;
}

int CalendarModel::dayStateMonthCount() const
{
    const QDate last = lastMonth();
    const int shownOfLast = leadingDays(last) + last.daysInMonth();
    const bool trailing = shownOfLast < Rows * Columns;
    return m_monthCount + (leadingDays(m_firstMonth) > 0 ? 1 : 0) + (trailing ? 1 : 0);
}

void CalendarModel::setDayStateMasks(const std::vector<std::uint32_t>& masks)
{
    m_masks = masks;
    m_masksStart = dayStateStart();
}

bool CalendarModel::isBold(const QDate& date) const
{
    if (m_masks.empty() || !date.isValid())
        return false;
    const int i = monthsBetween(m_masksStart, monthStart(date));
    if (i < 0 || i >= static_cast<int>(m_masks.size()))
        return false;
    return (m_masks[static_cast<std::size_t>(i)] >> (date.day() - 1)) & 1u;
}

} // namespace vorrin
