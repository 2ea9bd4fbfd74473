#include "CalendarLayout.h"

#include "CalendarModel.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace vorrin {

CalendarMetrics CalendarMetrics::fromFont(const QFont& font, const QString& todayText)
{
    const QFontMetricsF fm(font);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF fmBold(bold);
    const qreal h = fm.height();
    const qreal digits = fmBold.horizontalAdvance(QStringLiteral("00"));

    CalendarMetrics m;
    m.cellWidth = std::ceil(std::max(digits + h * 0.9, h * 1.9));
    m.cellHeight = std::ceil(h * 1.5);
    m.titleHeight = std::ceil(h * 2.0);
    m.weekdayHeight = std::ceil(h * 1.55);
    m.weekColumnWidth = std::ceil(std::max(digits * 0.85 + h * 0.5, m.cellWidth * 0.8));
    m.todayHeight = std::ceil(h * 1.9);
    m.todayTextWidth = std::ceil(fmBold.horizontalAdvance(todayText) + m.todayHeight * 1.3 + 4);
    m.padding = std::ceil(h * 0.4);
    // A popup is sized from the minimum size of one month (with its margins) plus at most fourteen
    // pixels across per month and nothing down, so the gaps between months must fit in that.
    m.gapX = 12;
    m.gapY = 6;
    m.margin = 4;
    return m;
}

namespace {

QSizeF monthSizeFor(const CalendarMetrics& m, bool weekNumbers)
{
    return QSizeF(2 * m.padding + (weekNumbers ? m.weekColumnWidth : 0) + 7 * m.cellWidth,
                  m.titleHeight + m.padding + m.weekdayHeight + 6 * m.cellHeight + m.padding);
}

// Rows may be lowered this far to fit the months a popup was sized for; below it the day numbers
// would crowd.
constexpr qreal kMinRowScale = 0.75;

} // namespace

void CalendarLayout::compute(const CalendarMetrics& metrics, const QSizeF& size, bool weekNumbers,
                             bool todayLine, const QSize& grid)
{
    m_metrics = metrics;
    m_size = size;
    m_weekNumbers = weekNumbers;
    m_todayLine = todayLine;
    CalendarMetrics& m = m_metrics;

    m_monthSize = monthSizeFor(m, weekNumbers);
    const qreal todayH = todayLine ? m.todayHeight : 0;
    m_minimumSize = QSizeF(m_monthSize.width() + 2 * m.margin, m_monthSize.height() + todayH + 2 * m.margin);
    const qreal availW = size.width() - 2 * m.margin;
    const qreal availH = size.height() - 2 * m.margin - todayH;
    // A small tolerance keeps rounding of fractional device pixels from dropping a month.
    m_columns =
        std::max(1, static_cast<int>(std::floor((availW + m.gapX) / (m_monthSize.width() + m.gapX) + 1e-6)));
    m_rows =
        std::max(1, static_cast<int>(std::floor((availH + m.gapY) / (m_monthSize.height() + m.gapY) + 1e-6)));
    m_columns = std::min(m_columns, 12);
    while (m_columns * m_rows > 12)
        --m_rows;

    // Short of the grid asked for: lower the rows' heights (titles, weekday line, days, gaps and
    // the today line alike) as far as needed, when that is not too far and the months fit across.
    const int wantColumns = std::clamp(grid.width(), 0, 12);
    const int wantRows = std::clamp(grid.height(), 0, 12 / std::max(1, wantColumns));
    if (wantColumns > 0 && wantRows > 0 && m_columns * m_rows <= wantColumns * wantRows &&
        wantColumns * m_monthSize.width() + (wantColumns - 1) * m.gapX <= availW + 1e-6) {
        const qreal fixed = 2 * m.margin + wantRows * 2 * m.padding;
        const qreal scalable = wantRows * (m.titleHeight + m.weekdayHeight + 6 * m.cellHeight) +
                               (wantRows - 1) * m.gapY + todayH;
        const qreal scale = (size.height() - fixed) / scalable;
        if (scale >= kMinRowScale) {
            const qreal f = std::min<qreal>(scale, 1);
            m.titleHeight *= f;
            m.weekdayHeight *= f;
            m.cellHeight *= f;
            m.gapY *= f;
            m.todayHeight *= f;
            m_monthSize = monthSizeFor(m, weekNumbers);
            m_columns = wantColumns;
            m_rows = wantRows;
        }
    }
    const qreal todayLineH = todayLine ? m.todayHeight : 0;

    const qreal blockW = m_columns * m_monthSize.width() + (m_columns - 1) * m.gapX;
    const qreal blockH = m_rows * m_monthSize.height() + (m_rows - 1) * m.gapY + todayLineH;
    // Centred across, kept to the top: spare height then sits below the today line.
    m_origin = QPointF(std::max(m.margin, std::floor((size.width() - blockW) / 2)),
                       std::max(m.margin, std::min(std::floor((size.height() - blockH) / 2), 2 * m.padding)));
}

QSizeF CalendarLayout::minimumSize() const
{
    return m_minimumSize;
}

QRectF CalendarLayout::monthRect(int index) const
{
    const int column = index % m_columns;
    const int row = index / m_columns;
    return QRectF(m_origin.x() + column * (m_monthSize.width() + m_metrics.gapX),
                  m_origin.y() + row * (m_monthSize.height() + m_metrics.gapY), m_monthSize.width(),
                  m_monthSize.height());
}

QRectF CalendarLayout::titleRect(int index) const
{
    const QRectF r = monthRect(index);
    return QRectF(r.left(), r.top(), r.width(), m_metrics.titleHeight);
}

QRectF CalendarLayout::weekdayRect(int index) const
{
    const QRectF r = monthRect(index);
    const qreal left = r.left() + m_metrics.padding + (m_weekNumbers ? m_metrics.weekColumnWidth : 0);
    return QRectF(left, r.top() + m_metrics.titleHeight + m_metrics.padding, 7 * m_metrics.cellWidth,
                  m_metrics.weekdayHeight);
}

QRectF CalendarLayout::weekColumnRect(int index) const
{
    if (!m_weekNumbers)
        return {};
    const QRectF days = weekdayRect(index);
    return QRectF(days.left() - m_metrics.weekColumnWidth, days.bottom(), m_metrics.weekColumnWidth,
                  6 * m_metrics.cellHeight);
}

QRectF CalendarLayout::cellRect(int index, int row, int column) const
{
    const QRectF days = weekdayRect(index);
    return QRectF(days.left() + column * m_metrics.cellWidth, days.bottom() + row * m_metrics.cellHeight,
                  m_metrics.cellWidth, m_metrics.cellHeight);
}

QRectF CalendarLayout::prevButtonRect() const
{
    const QRectF t = titleRect(0);
    const qreal side = t.height();
    return QRectF(t.left() + 2, t.top(), side, side);
}

QRectF CalendarLayout::nextButtonRect() const
{
    const QRectF t = titleRect(m_columns - 1);
    const qreal side = t.height();
    return QRectF(t.right() - side - 2, t.top(), side, side);
}

QRectF CalendarLayout::todayRect() const
{
    if (!m_todayLine)
        return {};
    const QRectF last = monthRect((m_rows - 1) * m_columns);
    return QRectF(last.left() + m_metrics.padding, last.bottom() + 1, m_metrics.todayTextWidth,
                  m_metrics.todayHeight - 2);
}

HitInfo CalendarLayout::hitTest(const QPointF& point, const CalendarModel& model) const
{
    HitInfo hit;
    if (point.x() < 0 || point.y() < 0 || point.x() >= m_size.width() || point.y() >= m_size.height())
        return hit;
    hit.area = HitArea::Background;
    if (m_todayLine && todayRect().contains(point)) {
        hit.area = HitArea::TodayLink;
        hit.date = model.today();
        return hit;
    }
    if (prevButtonRect().contains(point) && model.canScroll(-1)) {
        hit.area = HitArea::PrevButton;
        hit.month = 0;
        return hit;
    }
    if (nextButtonRect().contains(point) && model.canScroll(1)) {
        hit.area = HitArea::NextButton;
        hit.month = m_columns - 1;
        return hit;
    }
    for (int i = 0; i < count(); ++i) {
        if (!monthRect(i).contains(point))
            continue;
        hit.month = i;
        if (titleRect(i).contains(point)) {
            hit.area = HitArea::Title;
        } else if (weekdayRect(i).contains(point)) {
            hit.area = HitArea::DayOfWeek;
        } else if (m_weekNumbers && weekColumnRect(i).contains(point)) {
            hit.area = HitArea::WeekNumber;
        } else {
            const QRectF days = weekdayRect(i);
            const qreal x = point.x() - days.left();
            const qreal y = point.y() - days.bottom();
            if (x >= 0 && y >= 0 && x < 7 * m_metrics.cellWidth && y < 6 * m_metrics.cellHeight) {
                const int column = static_cast<int>(x / m_metrics.cellWidth);
                const int row = static_cast<int>(y / m_metrics.cellHeight);
                const QDate date = model.cellDate(i, row, column);
                if (date.isValid()) {
                    hit.area = HitArea::Date;
                    hit.date = date;
                    hit.otherMonth = model.isOtherMonth(i, date);
                }
            }
        }
        return hit;
    }
    return hit;
}

} // namespace vorrin
