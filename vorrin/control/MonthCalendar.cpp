#include "MonthCalendar.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>

namespace vorrin {

namespace {

// The today marker keeps one warm accent whatever the colour slots say, so "today" reads the same
// on every colour scheme.
const QColor todayAccent(0xD0, 0x3B, 0x36);

void drawCentered(QPainter& painter, const QRectF& rect, const QStaticText& text)
{
    const QSizeF size = text.size();
    painter.drawStaticText(
        QPointF(rect.center().x() - size.width() / 2, rect.center().y() - size.height() / 2), text);
}

QFont smallFont(const QFont& font)
{
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() > 0 ? font.pointSizeF() * 0.86 : 8);
    small.setBold(true);
    return small;
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

// Text of the softer colour when the background is dark enough to need it.
QColor blend(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - t) + b.redF() * t),
                            static_cast<float>(a.greenF() * (1 - t) + b.greenF() * t),
                            static_cast<float>(a.blueF() * (1 - t) + b.blueF() * t));
}

} // namespace

MonthCalendar::MonthCalendar(std::uint32_t styleBits, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MonthCalendar"));
    setAccessibleName(tr("Calendar"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_repeat, &QTimer::timeout, this, &MonthCalendar::repeatScroll);
    m_colors[BackgroundColor] = Qt::white;
    m_colors[TextColor] = Qt::black;
    m_colors[TitleBackgroundColor] = QColor(0, 0, 128);
    m_colors[TitleTextColor] = Qt::white;
    m_colors[MonthBackgroundColor] = Qt::white;
    m_colors[TrailingTextColor] = QColor(128, 128, 128);
    m_model.setStyle(styleBits);
    relayout();
}

// ---- host interface -------------------------------------------------------------------------

bool MonthCalendar::setCurSel(const QDate& date)
{
    if (!m_model.setCurSel(date))
        return false;
    viewMaybeChanged();
    return true;
}

bool MonthCalendar::getCurSel(QDate& date) const
{
    if (m_model.multiSelect())
        return false;
    date = m_model.selStart();
    return true;
}

bool MonthCalendar::setSelRange(const QDate& start, const QDate& end)
{
    if (!m_model.setSelRange(start, end))
        return false;
    viewMaybeChanged();
    return true;
}

bool MonthCalendar::getSelRange(QDate& start, QDate& end) const
{
    if (!m_model.multiSelect())
        return false;
    start = m_model.selStart();
    end = m_model.selEnd();
    return true;
}

bool MonthCalendar::setMaxSelCount(int count)
{
    if (!m_model.setMaxSelCount(count))
        return false;
    update();
    return true;
}

bool MonthCalendar::setRange(const QDate& minimum, const QDate& maximum)
{
    if (!m_model.setRange(minimum, maximum))
        return false;
    viewMaybeChanged();
    return true;
}

void MonthCalendar::setToday(const QDate& date)
{
    m_model.setToday(date);
    relayout(); // the today line's width follows its text
}

bool MonthCalendar::getToday(QDate& date) const
{
    if (!m_model.today().isValid())
        return false;
    date = m_model.today();
    return true;
}

void MonthCalendar::setFirstDayOfWeek(int day)
{
    m_model.setFirstDayOfWeek(day);
    viewMaybeChanged();
}

int MonthCalendar::getFirstDayOfWeek() const
{
    const int day = static_cast<int>(m_model.firstDayOfWeek()) - 1;
    const bool explicitDay = m_model.firstDayOfWeekSetting() >= 0;
    return (explicitDay ? 0x10000 : 0) | day;
}

void MonthCalendar::setColor(int index, const QColor& color)
{
    if (index < 0 || index > 5 || !color.isValid())
        return;
    m_colors[index] = color;
    update();
}

QColor MonthCalendar::color(int index) const
{
    return index >= 0 && index <= 5 ? m_colors[index] : QColor();
}

bool MonthCalendar::setDayState(const std::vector<std::uint32_t>& masks)
{
    if (!m_model.dayStateStyle())
        return false;
    m_model.setDayStateMasks(masks);
    update();
    return true;
}

void MonthCalendar::showPageContaining(const QDate& date)
{
    m_model.showPageContaining(date);
    viewMaybeChanged();
}

QSize MonthCalendar::minimumMonthSize() const
{
    const QSizeF s = m_layout.minimumSize();
    return QSize(static_cast<int>(std::ceil(s.width())), static_cast<int>(std::ceil(s.height())));
}

HitInfo MonthCalendar::hitTest(const QPoint& point) const
{
    return m_layout.hitTest(QPointF(point) + QPointF(0.5, 0.5), m_model);
}

QRect MonthCalendar::dateRect(const QDate& date) const
{
    int index = 0;
    int row = 0;
    int column = 0;
    if (!m_model.locate(date, index, row, column) || index >= m_layout.count())
        return {};
    return m_layout.cellRect(index, row, column).toAlignedRect();
}

QSize MonthCalendar::sizeHint() const
{
    return minimumMonthSize();
}

QSize MonthCalendar::minimumSizeHint() const
{
    return QSize(60, 60);
}

// ---- layout and view changes ----------------------------------------------------------------

QString MonthCalendar::todayText() const
{
    return tr("Today:") + QLatin1Char(' ') + locale().toString(m_model.today(), QLocale::ShortFormat);
}

void MonthCalendar::prepareTexts()
{
    if (font().key() == m_textsFontKey)
        return;
    m_textsFontKey = font().key();
    QFont bold = font();
    bold.setBold(true);
    const QFont small = smallFont(font());
    for (int n = 1; n < static_cast<int>(m_numbers.size()); ++n) {
        const QString text = QString::number(n);
        m_numbers[n] = QStaticText(text);
        m_numbers[n].prepare(QTransform(), font());
        m_boldNumbers[n] = QStaticText(text);
        m_boldNumbers[n].prepare(QTransform(), bold);
        m_smallNumbers[n] = QStaticText(text);
        m_smallNumbers[n].prepare(QTransform(), small);
    }
}

void MonthCalendar::setMonthGrid(int columns, int rows)
{
    m_monthGrid = QSize(columns, rows);
    relayout();
}

void MonthCalendar::relayout()
{
    m_layout.compute(CalendarMetrics::fromFont(font(), todayText()), QSizeF(size()), m_model.weekNumbers(),
                     m_model.showsTodayLine(), m_monthGrid);
    m_model.setMonthCount(m_layout.count());
    viewMaybeChanged();
}

void MonthCalendar::viewMaybeChanged()
{
    if (m_model.viewRevision() != m_requestedRevision) {
        m_requestedRevision = m_model.viewRevision();
        m_model.clearDayStates();
        if (m_model.dayStateStyle())
            emit dayStateRequested(m_model.dayStateStart(), m_model.dayStateMonthCount());
    }
    update();
}

void MonthCalendar::requestDayStates()
{
    m_requestedRevision = -1;
    viewMaybeChanged();
}

void MonthCalendar::userChanged(bool changed)
{
    viewMaybeChanged();
    if (changed)
        emit selectionChanged();
}

void MonthCalendar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void MonthCalendar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LocaleChange)
        relayout();
}

// ---- input ----------------------------------------------------------------------------------

void MonthCalendar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const HitInfo hit = hitTest(event->position().toPoint());
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && m_model.multiSelect();
    switch (hit.area) {
    case HitArea::PrevButton:
    case HitArea::NextButton:
        // Held down, the button goes on scrolling, as long as the pointer stays on it.
        m_repeatArea = m_hoverArea = hit.area;
        scrollPage(hit.area);
        m_repeat.start(kRepeatDelay);
        break;
    case HitArea::Date:
        m_dragging = true;
        userChanged(m_model.userSelect(hit.date, extend));
        break;
    case HitArea::TodayLink:
        if (m_model.inRange(m_model.today())) {
            userChanged(m_model.userMoveTo(m_model.today(), false));
            emit datePicked(event->position().toPoint());
        }
        break;
    default:
        break;
    }
    event->accept();
}

void MonthCalendar::mouseMoveEvent(QMouseEvent* event)
{
    const HitInfo hit = hitTest(event->position().toPoint());
    if (m_dragging && hit.area == HitArea::Date)
        userChanged(m_model.userSelect(hit.date, m_model.multiSelect()));
    const QDate hover = hit.area == HitArea::Date ? hit.date : QDate();
    if (hover != m_hover || hit.area != m_hoverArea) {
        m_hover = hover;
        m_hoverArea = hit.area;
        update();
    }
}

void MonthCalendar::scrollPage(HitArea button)
{
    const int step = button == HitArea::PrevButton ? -m_model.monthCount() : m_model.monthCount();
    const QDate before = m_model.firstMonth();
    bool changed = m_model.scroll(step);
    if (m_model.firstMonth() == before) // clamped by the selectable range: go as far as it allows
        changed = m_model.scroll(step > 0 ? 1 : -1);
    userChanged(changed);
}

void MonthCalendar::repeatScroll()
{
    if (m_repeatArea == HitArea::Nowhere) {
        m_repeat.stop();
        return;
    }
    m_repeat.setInterval(kRepeatInterval);
    if (m_hoverArea == m_repeatArea)
        scrollPage(m_repeatArea);
}

void MonthCalendar::wheelEvent(QWheelEvent* event)
{
    // A month per notch: up goes back, down goes on. Fine-grained wheels add up to notches.
    m_wheelAngle += event->angleDelta().y();
    const int notches = m_wheelAngle / 120;
    m_wheelAngle -= notches * 120;
    if (notches != 0)
        userChanged(m_model.scroll(-notches));
    event->accept();
}

void MonthCalendar::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_repeatArea = HitArea::Nowhere;
    m_repeat.stop();
}

void MonthCalendar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_repeatArea != HitArea::Nowhere) {
        m_repeatArea = HitArea::Nowhere;
        m_repeat.stop();
    }
    if (event->button() != Qt::LeftButton || !m_dragging) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    // A day of a neighbouring month brings its month into view once chosen.
    m_model.ensureVisible(m_model.cursor());
    viewMaybeChanged();
    emit datePicked(event->position().toPoint());
}

void MonthCalendar::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void MonthCalendar::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_hover = QDate();
    m_hoverArea = HitArea::Nowhere;
    update();
}

void MonthCalendar::keyPressEvent(QKeyEvent* event)
{
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && m_model.multiSelect();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const QDate cursor = m_model.cursor();
    bool changed = false;
    switch (event->key()) {
    case Qt::Key_Left:
        changed = m_model.userMoveDays(-1, extend);
        break;
    case Qt::Key_Right:
        changed = m_model.userMoveDays(1, extend);
        break;
    case Qt::Key_Up:
        changed = m_model.userMoveDays(-7, extend);
        break;
    case Qt::Key_Down:
        changed = m_model.userMoveDays(7, extend);
        break;
    case Qt::Key_PageUp:
        changed = m_model.userMoveMonths(ctrl ? -12 : -1, extend);
        break;
    case Qt::Key_PageDown:
        changed = m_model.userMoveMonths(ctrl ? 12 : 1, extend);
        break;
    case Qt::Key_Home:
        changed = m_model.userMoveTo(QDate(cursor.year(), cursor.month(), 1), extend);
        break;
    case Qt::Key_End:
        changed = m_model.userMoveTo(QDate(cursor.year(), cursor.month(), cursor.daysInMonth()), extend);
        break;
    default:
        // Enter, Escape and the rest belong to whoever holds the calendar (a popup's buttons).
        QWidget::keyPressEvent(event);
        return;
    }
    userChanged(changed);
    event->accept();
}

void MonthCalendar::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void MonthCalendar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

// ---- painting -------------------------------------------------------------------------------

void MonthCalendar::paintEvent(QPaintEvent*)
{
    prepareTexts();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), m_colors[BackgroundColor]);
    for (int i = 0; i < m_layout.count(); ++i)
        paintMonth(painter, i);
    if (m_layout.todayLine())
        paintTodayLine(painter);
}

void MonthCalendar::paintTitle(QPainter& painter, int index)
{
    const QRectF title = m_layout.titleRect(index);
    const qreal radius = std::min<qreal>(6, title.height() / 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_colors[TitleBackgroundColor]);
    painter.drawRoundedRect(title, radius, radius);

    const QDate month = m_model.month(index);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(m_colors[TitleTextColor]);
    const QString text =
        locale().standaloneMonthName(month.month()) + QLatin1Char(' ') + QString::number(month.year());
    painter.drawText(title, Qt::AlignCenter, text);

    auto chevron = [&](const QRectF& button, bool next, bool enabled, bool hovered) {
        if (hovered && enabled) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(withAlpha(m_colors[TitleTextColor], 48));
            const qreal d = button.height() * 0.72;
            painter.drawEllipse(QRectF(button.center().x() - d / 2, button.center().y() - d / 2, d, d));
        }
        QPen pen(withAlpha(m_colors[TitleTextColor], enabled ? 255 : 90),
                 std::max<qreal>(1.6, button.height() / 14));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const qreal s = button.height() * 0.14;
        const QPointF c = button.center();
        const qreal dir = next ? 1 : -1;
        const QPointF points[3] = {c + QPointF(-dir * s * 0.6, -s * 1.2), c + QPointF(dir * s * 0.6, 0),
                                   c + QPointF(-dir * s * 0.6, s * 1.2)};
        painter.drawPolyline(points, 3);
    };
    if (index == 0)
        chevron(m_layout.prevButtonRect(), false, m_model.canScroll(-1), m_hoverArea == HitArea::PrevButton);
    if (index == m_layout.columns() - 1)
        chevron(m_layout.nextButtonRect(), true, m_model.canScroll(1), m_hoverArea == HitArea::NextButton);
}

void MonthCalendar::paintSelection(QPainter& painter, int index)
{
    // Selected days of one row merge into one rounded band, so a range reads as one piece.
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_colors[TitleBackgroundColor]);
    for (int row = 0; row < CalendarModel::Rows; ++row) {
        int first = -1;
        for (int column = 0; column <= CalendarModel::Columns; ++column) {
            const bool selected =
                column < CalendarModel::Columns && m_model.isSelected(m_model.cellDate(index, row, column));
            if (selected && first < 0)
                first = column;
            if (!selected && first >= 0) {
                QRectF band =
                    m_layout.cellRect(index, row, first).united(m_layout.cellRect(index, row, column - 1));
                band.adjust(2, 2, -2, -2);
                const qreal radius = band.height() / 2.4;
                painter.drawRoundedRect(band, radius, radius);
                first = -1;
            }
        }
    }
}

void MonthCalendar::paintMonth(QPainter& painter, int index)
{
    const QRectF monthRect = m_layout.monthRect(index);
    const CalendarMetrics& m = m_layout.metrics();
    if (m_colors[MonthBackgroundColor] != m_colors[BackgroundColor]) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_colors[MonthBackgroundColor]);
        painter.drawRoundedRect(monthRect, 6, 6);
    }
    paintTitle(painter, index);

    // Weekday names, in the title colour, over a hairline.
    const QFont small = smallFont(font());
    painter.setFont(small);
    const QRectF header = m_layout.weekdayRect(index);
    const QFontMetricsF smallMetrics(small);
    const QColor headerColor = blend(m_colors[TitleBackgroundColor], m_colors[MonthBackgroundColor], 0.15);
    painter.setPen(headerColor);
    for (int column = 0; column < CalendarModel::Columns; ++column) {
        const int day = (static_cast<int>(m_model.firstDayOfWeek()) - 1 + column) % 7 + 1;
        QString name = locale().dayName(day, QLocale::ShortFormat);
        if (smallMetrics.horizontalAdvance(name) > m.cellWidth - 4)
            name = name.left(2);
        const QRectF cell(header.left() + column * m.cellWidth, header.top(), m.cellWidth, header.height());
        painter.drawText(cell, Qt::AlignCenter, name);
    }
    const qreal lineY = std::floor(header.bottom()) - 0.5;
    painter.setPen(QPen(withAlpha(m_colors[TitleBackgroundColor], 70), 1));
    const qreal lineLeft = m_layout.weekNumbers() ? m_layout.weekColumnRect(index).left() : header.left();
    painter.drawLine(QPointF(lineLeft, lineY), QPointF(header.right(), lineY));

    if (m_layout.weekNumbers()) {
        const QRectF weeks = m_layout.weekColumnRect(index);
        painter.setFont(small);
        painter.setPen(m_colors[TrailingTextColor]);
        for (int row = 0; row < CalendarModel::Rows; ++row) {
            QDate rowDate;
            for (int column = 0; column < CalendarModel::Columns && !rowDate.isValid(); ++column)
                rowDate = m_model.cellDate(index, row, column);
            if (!rowDate.isValid())
                continue;
            const QDate rowStart =
                rowDate.addDays(-((rowDate.dayOfWeek() - m_model.firstDayOfWeek() + 7) % 7));
            const QRectF cell(weeks.left(), weeks.top() + row * m.cellHeight, weeks.width() - 4,
                              m.cellHeight);
            drawCentered(painter, cell,
                         m_smallNumbers[static_cast<std::size_t>(m_model.weekNumber(rowStart))]);
        }
        painter.setPen(QPen(withAlpha(m_colors[TitleBackgroundColor], 70), 1));
        const qreal x = std::floor(weeks.right()) - 2.5;
        painter.drawLine(QPointF(x, weeks.top() + 3), QPointF(x, weeks.bottom() - 3));
    }

    paintSelection(painter, index);

    QFont normal = font();
    QFont bold = font();
    bold.setBold(true);
    const QDate today = m_model.today();
    for (int row = 0; row < CalendarModel::Rows; ++row) {
        for (int column = 0; column < CalendarModel::Columns; ++column) {
            const QDate date = m_model.cellDate(index, row, column);
            if (!date.isValid())
                continue;
            const QRectF cell = m_layout.cellRect(index, row, column);
            const QRectF inner = cell.adjusted(2, 2, -2, -2);
            const bool selected = m_model.isSelected(date);
            const bool other = m_model.isOtherMonth(index, date);
            const bool enabled = m_model.inRange(date);

            if (date == m_hover && !selected && enabled) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(withAlpha(m_colors[TitleBackgroundColor], 28));
                painter.drawRoundedRect(inner, inner.height() / 2.4, inner.height() / 2.4);
            }
            if (date == today && !other) {
                QPen ring(todayAccent, 1.6);
                painter.setPen(ring);
                painter.setBrush(Qt::NoBrush);
                const QRectF r = inner.adjusted(0.8, 0.8, -0.8, -0.8);
                painter.drawRoundedRect(r, r.height() / 2.4, r.height() / 2.4);
            }
            // The keyboard's place, when it is not already marked by the selection.
            if (hasFocus() && date == m_model.cursor() && !other && !selected) {
                QPen dash(m_colors[TitleBackgroundColor], 1, Qt::DotLine);
                painter.setPen(dash);
                painter.setBrush(Qt::NoBrush);
                const QRectF r = inner.adjusted(2.5, 2.5, -2.5, -2.5);
                painter.drawRoundedRect(r, r.height() / 2.6, r.height() / 2.6);
            }

            QColor textColor = m_colors[TextColor];
            if (other)
                textColor = m_colors[TrailingTextColor];
            if (!enabled)
                textColor = withAlpha(m_colors[TrailingTextColor], 110);
            if (selected)
                textColor = m_colors[TitleTextColor];
            const bool boldDay = m_model.isBold(date);
            painter.setFont(boldDay ? bold : normal);
            painter.setPen(textColor);
            // A dot under bold days makes them stand out even in fonts with a faint bold; the
            // number moves up to make room for it.
            const qreal dot = std::max<qreal>(2.5, cell.height() / 9);
            const QRectF textCell = boldDay ? cell.adjusted(0, -dot, 0, -dot) : cell;
            drawCentered(painter, textCell,
                         (boldDay ? m_boldNumbers : m_numbers)[static_cast<std::size_t>(date.day())]);
            if (boldDay) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(selected ? m_colors[TitleTextColor] : todayAccent);
                painter.drawEllipse(QRectF(cell.center().x() - dot / 2, cell.bottom() - dot - 3, dot, dot));
            }
        }
    }
}

void MonthCalendar::paintTodayLine(QPainter& painter)
{
    const QRectF area = m_layout.todayRect();
    const qreal h = area.height();
    const QRectF swatch(area.left() + 1, area.center().y() - h * 0.3, h * 0.9, h * 0.6);
    painter.setPen(QPen(todayAccent, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(swatch, swatch.height() / 2.4, swatch.height() / 2.4);

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(m_hoverArea == HitArea::TodayLink ? m_colors[TitleBackgroundColor] : m_colors[TextColor]);
    const QRectF textRect(swatch.right() + h * 0.35, area.top(), area.width() - swatch.width() - h * 0.35, h);
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, todayText());
}

} // namespace vorrin
