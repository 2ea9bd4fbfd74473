#pragma once

#include <QDialog>

#include <cstdint>

class QPushButton;

namespace vorrin {

class MonthCalendar;

// The popup calendar: a captionless, resizable window holding a month calendar over its whole
// area but for a row of an OK (default) and a Cancel button below it. Enter chooses OK and Escape Cancel. The
// control that opened it fills the calendar in and reads the result; tests drive it through the
// accessors here instead of a modal loop.
class PopupCalendar : public QDialog
{
    Q_OBJECT

public:
    PopupCalendar(std::uint32_t styleBits, QWidget* owner);

    MonthCalendar* calendar() const { return m_calendar; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Makes the popup window `outer` in size and has its calendar show `columns` x `rows` months
    // in what the OK and Cancel row leaves, with their rows a little lower where that is short.
    void setPopupSize(const QSize& outer, int columns, int rows);
    QSize calendarSize() const;

    // The font every popup uses, whatever the control's own font.
    static QFont popupFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MonthCalendar* m_calendar;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QWidget* m_buttonBar;
};

} // namespace vorrin
