#pragma once

#include "CalendarLayout.h"
#include "CalendarModel.h"

#include <QColor>
#include <QStaticText>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace vorrin {

// The month-calendar view: paints a CalendarModel through a CalendarLayout and turns mouse and
// keyboard input into selection changes and picks. The scroll buttons repeat while held down and
// the mouse wheel moves by a month; both move the selection along, as a click on a button does. As many
// months as fit its size are shown (one to twelve). Its interface follows what a host control asks of a
// platform month calendar: setters that answer whether they were accepted, six colour slots, day-state masks,
// the minimum size of one month and hit testing.
//
// Programmatic changes never emit signals; only the user's actions do, so a host that mirrors a
// selection back into the calendar cannot loop.
class MonthCalendar : public QWidget
{
    Q_OBJECT

public:
    // Colour slots, numbered as hosts number them.
    enum ColorIndex {
        BackgroundColor = 0,
        TextColor = 1,
        TitleBackgroundColor = 2,
        TitleTextColor = 3,
        MonthBackgroundColor = 4,
        TrailingTextColor = 5
    };

    explicit MonthCalendar(std::uint32_t styleBits, QWidget* parent = nullptr);

    const CalendarModel& model() const { return m_model; }
    const CalendarLayout& layoutInfo() const { return m_layout; }
    std::uint32_t style() const { return m_model.style(); }

    bool setCurSel(const QDate& date);
    bool getCurSel(QDate& date) const;
    bool setSelRange(const QDate& start, const QDate& end);
    bool getSelRange(QDate& start, QDate& end) const;
    bool setMaxSelCount(int count);
    bool setRange(const QDate& minimum, const QDate& maximum); // invalid dates: no limit
    void setToday(const QDate& date);
    bool getToday(QDate& date) const;
    // 0..6 for Monday..Sunday, -1 for the locale's day.
    void setFirstDayOfWeek(int day);
    // Low word: the first day in use (0 = Monday); high word non-zero when set explicitly.
    int getFirstDayOfWeek() const;
    void setColor(int index, const QColor& color);
    QColor color(int index) const;
    // Masks of bold days (bit j-1 for day j) for the months from the day-state start on.
    bool setDayState(const std::vector<std::uint32_t>& masks);
    int dayStateMonthCount() const { return m_model.dayStateMonthCount(); }
    // Shows `date`'s month first (a twelve-month view shows its whole year).
    void showPageContaining(const QDate& date);

    // Asks for the shown months' day states now (dayStateRequested), as when the view changes;
    // a host calls it once it listens.
    void requestDayStates();

    QSize minimumMonthSize() const;
    // Months the calendar shows at least, `columns` across and `rows` down, when its size comes
    // close enough that lower rows make them fit (a popup sized for them); 0 x 0 lets the size
    // alone decide, as it does when the grid cannot fit.
    void setMonthGrid(int columns, int rows);
    HitInfo hitTest(const QPoint& point) const;
    QRect dateRect(const QDate& date) const; // empty when the date is not shown
    int visibleMonthCount() const { return m_model.monthCount(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void selectionChanged();
    // The user chose a date; `pointerPos` is where the pointer was (widget coordinates).
    void datePicked(const QPoint& pointerPos);
    // The months shown changed and the calendar keeps day states: masks for `months` months from
    // `firstMonth` on are wanted (setDayState).
    void dayStateRequested(const QDate& firstMonth, int months);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString todayText() const;
    void relayout();
    void viewMaybeChanged();
    void userChanged(bool selectionChanged);
    void scrollPage(HitArea button);
    void repeatScroll();
    void paintMonth(QPainter& painter, int index);
    void paintSelection(QPainter& painter, int index);
    void paintTitle(QPainter& painter, int index);
    void paintTodayLine(QPainter& painter);

    // Laid-out numbers (1-53, plain and bold) and weekday names, redone when the font changes:
    // shaping the same few strings for every cell of twelve months dominates a repaint otherwise.
    void prepareTexts();
    std::array<QStaticText, 54> m_numbers;
    std::array<QStaticText, 54> m_boldNumbers;
    std::array<QStaticText, 54> m_smallNumbers;
    QString m_textsFontKey;

    CalendarModel m_model;
    CalendarLayout m_layout;
    QSize m_monthGrid;
    QColor m_colors[6];
    int m_requestedRevision = -1;
    bool m_dragging = false;
    // A scroll button held down repeats: first after kRepeatDelay, then every kRepeatInterval.
    static constexpr int kRepeatDelay = 400;
    static constexpr int kRepeatInterval = 150;
    QTimer m_repeat;
    HitArea m_repeatArea = HitArea::Nowhere;
    int m_wheelAngle = 0;
    QDate m_hover;
    HitArea m_hoverArea = HitArea::Nowhere;
};

} // namespace vorrin
