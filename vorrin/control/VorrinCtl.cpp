// Properties and methods of the calendar control. Windows, events and the popup live in
// VorrinCtlWindow.cpp; the member tables and dispatch by DISPID in VorrinCtlDispatch.cpp.
#include "VorrinCtl.h"

#include "AutomationDate.h"
#include "ControlMessages.h"
#include "ControlSurface.h"
#include "MonthCalendar.h"
#include "PopupCalendar.h"

#include <QApplication>
#include <QPalette>

namespace vorrin {

namespace {

[[noreturn]] void raise(Message message, int dispid)
{
    throw ControlError(Result::Exception, messageText(message), dispid);
}

[[noreturn]] void refuse(int dispid)
{
    throw ControlError(Result::Fail, QString(), dispid);
}

VorrinCtl::AboutBoxHandler& defaultAboutBox()
{
    static VorrinCtl::AboutBoxHandler handler;
    return handler;
}

} // namespace

VorrinCtl::VorrinCtl(QObject* parent) : QObject(parent) {}

VorrinCtl::~VorrinCtl()
{
    delete m_popup.data();
    destroyWindow();
}

bool VorrinCtl::multiSelectMode() const
{
    return m_calendar && (m_calendar->style() & StyleMultiSelect);
}

void VorrinCtl::notify(int dispid)
{
    if (m_surface)
        m_surface->update();
    emit propertyChanged(dispid);
}

void VorrinCtl::requestEditOrThrow(int dispid)
{
    if (m_requestEdit && !m_requestEdit(dispid))
        throw ControlError(Result::SetNotPermitted, QString(), dispid);
}

// ---- appearance -----------------------------------------------------------------------------

std::int32_t VorrinCtl::get_BorderStyle() const
{
    return m_borderStyle;
}

void VorrinCtl::put_BorderStyle(std::int32_t value)
{
    m_borderStyle = value;
    notify(DispId::BorderStyle);
}

bool VorrinCtl::get_BorderVisible() const
{
    return m_borderVisible;
}

void VorrinCtl::put_BorderVisible(bool value)
{
    m_borderVisible = value;
    notify(DispId::BorderVisible);
}

QFont VorrinCtl::get_Font() const
{
    return m_font.value_or(QFont());
}

void VorrinCtl::put_Font(const QFont& font)
{
    if (m_requestEdit && !m_requestEdit(DispId::Font))
        return;
    m_font = font;
    if (m_calendar)
        m_calendar->setFont(font);
    notify(DispId::Font);
}

void VorrinCtl::clearFont()
{
    m_font.reset();
    if (m_calendar)
        m_calendar->setFont(QFont());
    notify(DispId::Font);
}

void VorrinCtl::chooseSiteFont()
{
    if (m_font)
        return;
    if (m_ambientFont) {
        m_font = *m_ambientFont;
    } else {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPointSize(10);
        font.setWeight(QFont::Light);
        font.setItalic(true);
        m_font = font;
    }
    if (m_calendar)
        m_calendar->setFont(*m_font);
}

void VorrinCtl::putColor(int index, int dispid, OleColor value)
{
    m_colors[index] = value;
    if (m_calendar)
        m_calendar->setColor(index, translateColor(value));
    notify(dispid);
}

void VorrinCtl::put_CalBackGroundColor(OleColor value)
{
    putColor(MonthCalendar::BackgroundColor, DispId::CalBackGroundColor, value);
}

void VorrinCtl::put_CalTextColor(OleColor value)
{
    putColor(MonthCalendar::TextColor, DispId::CalTextColor, value);
}

void VorrinCtl::put_CalTitleBkColor(OleColor value)
{
    putColor(MonthCalendar::TitleBackgroundColor, DispId::CalTitleBkColor, value);
}

void VorrinCtl::put_CalTitleTextColor(OleColor value)
{
    putColor(MonthCalendar::TitleTextColor, DispId::CalTitleTextColor, value);
}

void VorrinCtl::put_CalTrailingTextColor(OleColor value)
{
    putColor(MonthCalendar::TrailingTextColor, DispId::CalTrailingTextColor, value);
}

void VorrinCtl::put_CalMonthBKColor(OleColor value)
{
    putColor(MonthCalendar::MonthBackgroundColor, DispId::CalMonthBKColor, value);
}

QColor VorrinCtl::translateColor(OleColor color)
{
    if ((color & 0xFF000000u) == 0x80000000u) {
        // System colours follow the application's palette.
        const QPalette palette = QApplication::palette();
        switch (color & 0xFFu) {
        case 5: // window
            return palette.color(QPalette::Base);
        case 8: // window text
            return palette.color(QPalette::Text);
        case 2:  // active caption
        case 13: // highlight
            return palette.color(QPalette::Highlight);
        case 9:  // caption text
        case 14: // highlight text
            return palette.color(QPalette::HighlightedText);
        case 16: // button shadow
            return palette.color(QPalette::Mid);
        case 17: // grey text
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 18: // button text
            return palette.color(QPalette::ButtonText);
        case 20: // 3D highlight
            return palette.color(QPalette::Light);
        case 21: // 3D dark shadow
            return palette.color(QPalette::Shadow);
        case 22: // 3D light
            return palette.color(QPalette::Midlight);
        case 23: // tooltip text
            return palette.color(QPalette::ToolTipText);
        case 24: // tooltip background
            return palette.color(QPalette::ToolTipBase);
        case 15: // button face
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                  static_cast<int>((color >> 16) & 0xFFu));
}

OleColor VorrinCtl::oleColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<OleColor>(rgb.red()) | (static_cast<OleColor>(rgb.green()) << 8) |
           (static_cast<OleColor>(rgb.blue()) << 16);
}

// ---- style ----------------------------------------------------------------------------------

void VorrinCtl::put_MonthCalStyle(std::int32_t value)
{
    if (value < 0 || value > 15)
        raise(Message::M1, DispId::MonthCalStyle);
    m_monthCalStyle = static_cast<std::int16_t>(value);
    // A popup-only control keeps no calendar window, whatever the style.
    if (m_surface && !m_usePopupOnly && !m_loading)
        createCalendarWindow();
    notify(DispId::MonthCalStyle);
}

void VorrinCtl::put_UsePopupOnly(bool value)
{
    m_usePopupOnly = value;
    if (m_surface && !m_loading) {
        if (value)
            destroyCalendarWindow();
        else
            createCalendarWindow();
    }
    notify(DispId::UsePopupOnly);
}

void VorrinCtl::put_PopupMonths(std::int32_t value)
{
    m_popupMonths = value;
    notify(DispId::PopupMonths);
}

void VorrinCtl::put_PopupPositionX(std::int32_t value)
{
    m_popupX = value;
    notify(DispId::PopupPositionX);
}

void VorrinCtl::put_PopupPositionY(std::int32_t value)
{
    m_popupY = value;
    notify(DispId::PopupPositionY);
}

void VorrinCtl::put_InitToNow(bool value)
{
    m_initToNow = value;
    notify(DispId::InitToNow);
}

void VorrinCtl::put_MaxSelCount(std::int32_t value)
{
    if (m_calendar && !m_calendar->setMaxSelCount(value))
        raise(multiSelectMode() ? Message::M8 : Message::M7, DispId::MaxSelCount);
    m_maxSelCount = value;
    notify(DispId::MaxSelCount);
}

double VorrinCtl::get_Today() const
{
    if (m_calendar) {
        QDate today;
        if (!m_calendar->getToday(today))
            raise(Message::M9, DispId::Today);
        m_today = automationFromDate(today);
    }
    return m_today;
}

void VorrinCtl::put_Today(double value)
{
    m_today = value;
    if (m_calendar)
        m_calendar->setToday(dateFromAutomation(value));
    notify(DispId::Today);
}

std::int32_t VorrinCtl::get_FirstDayOfWeek() const
{
    if (m_calendar) {
        const int result = m_calendar->getFirstDayOfWeek();
        m_firstDayOfWeek = (result >> 16) != 0 ? (result & 0xFFFF) : -1;
    }
    return m_firstDayOfWeek;
}

void VorrinCtl::put_FirstDayOfWeek(std::int32_t value)
{
    if (value > 6 || value < -1)
        raise(Message::M10, DispId::FirstDayOfWeek);
    if (m_calendar)
        m_calendar->setFirstDayOfWeek(value);
    m_firstDayOfWeek = value;
    notify(DispId::FirstDayOfWeek);
}

void VorrinCtl::put_MaxSelectRange(double value)
{
    if (m_calendar) {
        if (!multiSelectMode())
            raise(Message::M12, DispId::MaxSelectRange);
        if (!m_calendar->setRange(lowerLimitFromAutomation(m_minSelectable), upperLimitFromAutomation(value)))
            raise(Message::M11, DispId::MaxSelectRange);
    }
    m_maxSelectable = value;
    notify(DispId::MaxSelectRange);
}

void VorrinCtl::put_MinSelectRange(double value)
{
    if (m_calendar) {
        if (!multiSelectMode())
            raise(Message::M12, DispId::MinSelectRange);
        if (!m_calendar->setRange(lowerLimitFromAutomation(value), upperLimitFromAutomation(m_maxSelectable)))
            raise(Message::M13, DispId::MinSelectRange);
    }
    m_minSelectable = value;
    notify(DispId::MinSelectRange);
}

// ---- selection as ranges --------------------------------------------------------------------

void VorrinCtl::get_DateStartRange(double& pVal) const
{
    if (!m_calendar)
        return;
    if (!multiSelectMode())
        raise(Message::M6, DispId::DateStartRange);
    recordSelection(*m_calendar);
    pVal = m_start;
}

void VorrinCtl::put_DateStartRange(double value)
{
    if (!m_calendar)
        return;
    if (!multiSelectMode())
        raise(Message::M5, DispId::DateStartRange);
    const QDate day = dateFromAutomation(value);
    if (!m_calendar->setSelRange(day, day))
        refuse(DispId::DateStartRange);
    m_start = value;
    notify(DispId::DateStartRange);
}

void VorrinCtl::get_DateEndRange(double& pVal) const
{
    if (!m_calendar)
        return;
    if (!multiSelectMode())
        raise(Message::M6, DispId::DateEndRange);
    recordSelection(*m_calendar);
    pVal = m_end;
}

void VorrinCtl::put_DateEndRange(double value)
{
    if (!m_calendar)
        return;
    if (!multiSelectMode())
        raise(Message::M5, DispId::DateEndRange);
    if (!m_calendar->setSelRange(dateFromAutomation(m_start), dateFromAutomation(value)))
        refuse(DispId::DateEndRange);
    m_end = value;
    notify(DispId::DateEndRange);
}

// ---- the bindable dates ---------------------------------------------------------------------

// A date the calendar cannot take fails with a failure result and changes nothing: nothing is
// recorded, the container is neither asked nor told.
void VorrinCtl::put_dDate(double value)
{
    if (!m_calendar) {
        m_start = value;
    } else if (multiSelectMode()) {
        const QDate day = dateFromAutomation(value);
        if (!m_calendar->setSelRange(day, day))
            raise(Message::M2, DispId::dDate);
        m_start = m_end = value;
    } else if (m_calendar->setCurSel(dateFromAutomation(value))) {
        m_start = value;
    } else {
        refuse(DispId::dDate);
    }
    requestEditOrThrow(DispId::dDate);
    notify(DispId::dDate);
    emit dataChanged();
}

void VorrinCtl::put_StartDate(double value)
{
    if (!m_calendar) {
        m_start = value;
    } else if (multiSelectMode()) {
        const QDate day = dateFromAutomation(value);
        if (m_calendar->setSelRange(day, dateFromAutomation(m_end))) {
            m_start = value;
        } else if (m_calendar->setSelRange(day, day)) {
            m_start = m_end = value; // too far from the end: the range collapses onto the start
        } else {
            refuse(DispId::StartDate);
        }
    } else if (m_calendar->setCurSel(dateFromAutomation(value))) {
        m_start = value;
    } else {
        refuse(DispId::StartDate);
    }
    requestEditOrThrow(DispId::StartDate);
    notify(DispId::StartDate);
    emit dataChanged();
}

void VorrinCtl::put_EndDate(double value)
{
    if (!m_calendar) {
        m_end = value;
    } else if (multiSelectMode()) {
        // A range the calendar refuses collapses onto the new day in the recorded dates only;
        // the calendar keeps showing its selection, and a popup opened next shows the new day.
        // A day the calendar could never show is refused outright.
        const QDate day = dateFromAutomation(value);
        if (!m_calendar->setSelRange(dateFromAutomation(m_start), day)) {
            if (!day.isValid() || !m_calendar->model().inRange(day))
                refuse(DispId::EndDate);
            m_start = value;
        }
        m_end = value;
    } else if (m_calendar->setCurSel(dateFromAutomation(value))) {
        m_end = value;
    } else {
        refuse(DispId::EndDate);
    }
    requestEditOrThrow(DispId::EndDate);
    notify(DispId::EndDate);
    emit dataChanged();
}

// ---- methods --------------------------------------------------------------------------------

void VorrinCtl::SetSelectedDate(double newVal)
{
    if (!m_calendar)
        return;
    if (multiSelectMode())
        raise(Message::M2, DispId::SetSelectedDate);
    if (!m_calendar->setCurSel(dateFromAutomation(newVal)))
        refuse(DispId::SetSelectedDate);
    m_start = newVal;
}

void VorrinCtl::GetSelectedDate(double& pVal)
{
    if (!m_calendar)
        return;
    if (multiSelectMode())
        raise(Message::M3, DispId::GetSelectedDate);
    QDate day;
    m_calendar->getCurSel(day);
    m_start = automationFromDate(day);
    pVal = m_start;
}

void VorrinCtl::SetSelRangeDate(double newValStart, double newValEnd)
{
    if (!m_calendar)
        return;
    if (!multiSelectMode())
        raise(Message::M5, DispId::SetSelRangeDate);
    if (!m_calendar->setSelRange(dateFromAutomation(newValStart), dateFromAutomation(newValEnd)))
        raise(Message::M4, DispId::SetSelRangeDate);
    m_start = newValStart;
    m_end = newValEnd;
}

void VorrinCtl::GetSelRangeDate(double& pValStart, double& pValEnd)
{
    if (!m_calendar)
        return;
    if (!multiSelectMode())
        raise(Message::M6, DispId::GetSelRangeDate);
    recordSelection(*m_calendar);
    pValStart = m_start;
    pValEnd = m_end;
}

void VorrinCtl::GetVisibleMonths(std::int32_t& MonthCount)
{
    MonthCount = m_calendar ? m_calendar->dayStateMonthCount() : 0;
}

void VorrinCtl::AboutBox()
{
    const AboutBoxHandler& handler = m_aboutBox ? m_aboutBox : defaultAboutBox();
    if (handler)
        handler(controlWindow());
}

void VorrinCtl::setDefaultAboutBoxHandler(AboutBoxHandler handler)
{
    defaultAboutBox() = std::move(handler);
}

void VorrinCtl::selectionOf(const MonthCalendar& calendar, double& start, double& end)
{
    QDate first;
    QDate last;
    if (calendar.getSelRange(first, last)) {
        start = automationFromDate(first);
        end = automationFromDate(last);
    } else if (calendar.getCurSel(first)) {
        start = end = automationFromDate(first);
    }
}

void VorrinCtl::recordSelection(const MonthCalendar& calendar) const
{
    selectionOf(calendar, m_start, m_end);
}

} // namespace vorrin
