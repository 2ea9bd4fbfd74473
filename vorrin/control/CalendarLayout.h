#pragma once

#include <QDate>
#include <QRectF>
#include <QSize>

class QFont;

namespace vorrin {

class CalendarModel;

// Sizes of the parts of one month, derived from the calendar's font so the calendar scales with
// text size and screen density alike (all values in device-independent pixels).
struct CalendarMetrics
{
    qreal cellWidth = 28;
    qreal cellHeight = 22;
    qreal titleHeight = 28;
    qreal weekdayHeight = 22;
    qreal weekColumnWidth = 24;
    qreal todayHeight = 26;
    qreal todayTextWidth = 120;
    qreal padding = 6;
    qreal gapX = 12;
    qreal gapY = 8;
    qreal margin = 4;

    // `todayText` is the text of the today line, which sets its clickable width.
    static CalendarMetrics fromFont(const QFont& font, const QString& todayText);
};

enum class HitArea {
    Nowhere,
    Background,
    Title,
    PrevButton,
    NextButton,
    DayOfWeek,
    WeekNumber,
    Date,
    TodayLink
};

struct HitInfo
{
    HitArea area = HitArea::Nowhere;
    int month = -1; // index of the month under the point
    QDate date;     // for Date (also days of the neighbouring months) and TodayLink
    bool otherMonth = false;
};

// Where everything of a month-calendar view sits for a given size: how many months fit (up to
// twelve, at least one), their rectangles, the scroll buttons, the today line. Computed once per
// size, font or style change; painting and hit testing only read it.
class CalendarLayout
{
public:
    // As many months as fit `size`; at least `grid` (columns x rows) when lowering the rows'
    // heights by no more than a quarter fits them.
    void compute(const CalendarMetrics& metrics, const QSizeF& size, bool weekNumbers, bool todayLine,
                 const QSize& grid = {});

    const CalendarMetrics& metrics() const { return m_metrics; }
    QSizeF monthSize() const { return m_monthSize; }
    // The smallest size showing one whole month at full height (with the today line when it is
    // shown), whatever the rows were lowered to.
    QSizeF minimumSize() const;

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    int count() const { return m_columns * m_rows; }
    bool weekNumbers() const { return m_weekNumbers; }
    bool todayLine() const { return m_todayLine; }

    QRectF monthRect(int index) const;
    QRectF titleRect(int index) const;
    QRectF weekdayRect(int index) const;
    QRectF weekColumnRect(int index) const;
    QRectF cellRect(int index, int row, int column) const;
    QRectF prevButtonRect() const;
    QRectF nextButtonRect() const;
    QRectF todayRect() const;

    HitInfo hitTest(const QPointF& point, const CalendarModel& model) const;

private:
    CalendarMetrics m_metrics;
    QSizeF m_size;
    QSizeF m_monthSize;
    QSizeF m_minimumSize; // of one month at full height
    QPointF m_origin;
    int m_columns = 1;
    int m_rows = 1;
    bool m_weekNumbers = false;
    bool m_todayLine = true;
};

} // namespace vorrin
