// The calendar control's windows: its surface, the calendar window inside it, the popup, input,
// day states and the events raised from them.
#include "VorrinCtl.h"

#include "AutomationDate.h"
#include "ControlMessages.h"
#include "ControlSurface.h"
#include "MonthCalendar.h"
#include "PopupCalendar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace vorrin {

namespace {

// The message the control posts to itself, so events reach the host after the calendar's own
// report has returned.
class PostedEvent : public QEvent
{
public:
    enum Kind { DateEvent, ClickEvent };

    PostedEvent(Kind kind, int value) : QEvent(type()), m_kind(kind), m_value(value) {}

    static QEvent::Type type()
    {
        static const QEvent::Type registered = static_cast<QEvent::Type>(QEvent::registerEventType());
        return registered;
    }
    Kind kind() const { return m_kind; }
    int value() const { return m_value; }

private:
    Kind m_kind;
    int m_value; // the date event's kind, or 1 for a double click
};

VorrinCtl::PopupDriver& defaultPopupDriver()
{
    static VorrinCtl::PopupDriver driver;
    return driver;
}

// Virtual key codes, as hosts of the control expect them in KeyDown and KeyUp: the code of the
// key on a US keyboard, whatever character it types. Keys that have no such code give 0, and the
// control raises no key event for them (a character they type still arrives in KeyPress).
short virtualKey(const QKeyEvent& event)
{
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<short>(0x60 + (key - Qt::Key_0)); // the number pad's own digits
        switch (key) {
        case Qt::Key_Asterisk:
            return 0x6A;
        case Qt::Key_Plus:
            return 0x6B;
        case Qt::Key_Minus:
            return 0x6D;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 0x6E;
        case Qt::Key_Slash:
            return 0x6F;
        default:
            break; // Enter and the navigation keys share the main keys' codes
        }
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<short>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<short>(0x70 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0x09;
    case Qt::Key_Clear:
        return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Select:
        return 0x29;
    case Qt::Key_Printer:
        return 0x2A;
    case Qt::Key_Execute:
        return 0x2B;
    case Qt::Key_Print:
        return 0x2C;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    case Qt::Key_Help:
        return 0x2F;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return 0x5B;
    case Qt::Key_Super_R:
        return 0x5C;
    case Qt::Key_Menu:
        return 0x5D;
    case Qt::Key_Sleep:
        return 0x5F;
    case Qt::Key_NumLock:
        return 0x90;
    case Qt::Key_ScrollLock:
        return 0x91;
    case Qt::Key_AltGr:
        return 0xA5;
    case Qt::Key_Back:
        return 0xA6;
    case Qt::Key_Forward:
        return 0xA7;
    case Qt::Key_Refresh:
        return 0xA8;
    case Qt::Key_Stop:
        return 0xA9;
    case Qt::Key_Search:
        return 0xAA;
    case Qt::Key_Favorites:
        return 0xAB;
    case Qt::Key_HomePage:
        return 0xAC;
    case Qt::Key_VolumeMute:
        return 0xAD;
    case Qt::Key_VolumeDown:
        return 0xAE;
    case Qt::Key_VolumeUp:
        return 0xAF;
    case Qt::Key_MediaNext:
        return 0xB0;
    case Qt::Key_MediaPrevious:
        return 0xB1;
    case Qt::Key_MediaStop:
        return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
        return 0xB3;
    case Qt::Key_LaunchMail:
        return 0xB4;
    case Qt::Key_LaunchMedia:
        return 0xB5;
    case Qt::Key_Launch0:
        return 0xB6;
    case Qt::Key_Launch1:
        return 0xB7;
    // The punctuation keys of a US keyboard, by either of their characters; a shifted digit
    // is its digit key.
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 0xDE;
    case Qt::Key_ParenRight:
        return 0x30;
    case Qt::Key_Exclam:
        return 0x31;
    case Qt::Key_At:
        return 0x32;
    case Qt::Key_NumberSign:
        return 0x33;
    case Qt::Key_Dollar:
        return 0x34;
    case Qt::Key_Percent:
        return 0x35;
    case Qt::Key_AsciiCircum:
        return 0x36;
    case Qt::Key_Ampersand:
        return 0x37;
    case Qt::Key_Asterisk:
        return 0x38;
    case Qt::Key_ParenLeft:
        return 0x39;
    default:
        return 0;
    }
}

// Turns a day-state array (rows of 31 values) into bold-day masks for `months` months. Answers
// false unless the value has two dimensions.
bool dayStateMasks(const QVariant& value, int months, std::vector<std::uint32_t>& masks)
{
    if (value.typeId() != QMetaType::QVariantList)
        return false;
    const QVariantList rows = value.toList();
    for (const QVariant& row : rows) {
        if (row.typeId() != QMetaType::QVariantList)
            return false;
    }
    if (rows.isEmpty())
        return false;
    masks.assign(static_cast<std::size_t>(std::max(months, 0)), 0u);
    for (int i = 0; i < months && i < rows.size(); ++i) {
        const QVariantList days = rows.at(i).toList();
        for (int j = 0; j < 31 && j < days.size(); ++j) {
            const QVariant& day = days.at(j);
            const bool set = day.typeId() == QMetaType::Bool ? day.toBool() : day.toDouble() != 0.0;
            if (set)
                masks[static_cast<std::size_t>(i)] |= 1u << j;
        }
    }
    return true;
}

void drawControlIcon(QPainter& p, const QRect& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.fillRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, r.height() / 4.0), QColor(0, 0, 128));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD0, 0x3B, 0x36));
    const qreal cell = (r.width() - 4) / 4.0;
    p.drawRect(QRectF(r.left() + 2 + cell * 2, r.top() + r.height() / 2.0, cell, cell));
    p.restore();
}

} // namespace

// ---- the control's window -------------------------------------------------------------------

QWidget* VorrinCtl::createWindow(QWidget* parent)
{
    destroyWindow();
    auto* surface = new ControlSurface(this, parent);
    surface->resize(m_extent);
    m_surface = surface;
    connect(qApp, &QApplication::focusChanged, surface, [this, surface](QWidget*, QWidget* now) {
        const bool inside = now && (now == surface || surface->isAncestorOf(now));
        if (!inside && surface->property("vorrinHasFocus").toBool()) {
            surface->setProperty("vorrinHasFocus", false);
            emit focusChanged(false);
        } else if (inside && !surface->property("vorrinHasFocus").toBool()) {
            surface->setProperty("vorrinHasFocus", true);
            emit focusChanged(true);
        }
    });
    if (!m_usePopupOnly)
        createCalendarWindow();
    applyInitToNow();
    surface->show();
    return surface;
}

void VorrinCtl::destroyWindow()
{
    destroyCalendarWindow();
    delete m_surface.data();
}

QWidget* VorrinCtl::controlWindow() const
{
    return m_surface.data();
}

MonthCalendar* VorrinCtl::calendarWindow() const
{
    return m_calendar.data();
}

PopupCalendar* VorrinCtl::popupWindow() const
{
    return m_popup.data();
}

void VorrinCtl::setExtent(const QSize& size)
{
    m_extent = size;
    if (m_surface)
        m_surface->resize(size);
}

void VorrinCtl::setUserMode(bool userMode)
{
    m_userMode = userMode;
    if (m_surface)
        m_surface->update();
}

void VorrinCtl::setAmbientBackColor(const QColor& color)
{
    m_ambientBack = color;
    if (m_surface)
        m_surface->update();
}

QColor VorrinCtl::ambientBackColor() const
{
    if (m_ambientBack.isValid())
        return m_ambientBack;
    return m_surface ? m_surface->palette().color(QPalette::Window)
                     : QApplication::palette().color(QPalette::Window);
}

void VorrinCtl::beginLoad()
{
    if (m_loading++ == 0)
        destroyCalendarWindow();
}

void VorrinCtl::endLoad()
{
    if (m_loading == 0 || --m_loading > 0 || !m_surface)
        return;
    if (!m_usePopupOnly)
        createCalendarWindow();
    applyInitToNow();
    m_surface->update();
}

void VorrinCtl::applyInitToNow()
{
    if (!m_initToNow)
        return;
    // The user's own calendar day: a universal-time date would be yesterday or tomorrow for
    // part of every day away from Greenwich.
    const QDate today = QDate::currentDate();
    m_start = automationFromDate(today);
    if (multiSelectMode()) {
        m_end = m_start;
        m_calendar->setSelRange(today, today);
    } else if (m_calendar) {
        m_calendar->setCurSel(today);
    }
}

// ---- the calendar window --------------------------------------------------------------------

void VorrinCtl::createCalendarWindow()
{
    if (!m_surface)
        return;
    destroyCalendarWindow();
    auto* calendar = new MonthCalendar(styleBitsFor(m_monthCalStyle), m_surface);
    m_calendar = calendar;
    connect(calendar, &MonthCalendar::selectionChanged, this,
            [this, calendar] { onSelectionChanged(calendar); });
    connect(calendar, &MonthCalendar::datePicked, this, [this, calendar](const QPoint& pos) {
        onDatePicked(calendar, calendar->hitTest(pos).area == HitArea::Date);
    });
    connect(calendar, &MonthCalendar::dayStateRequested, this,
            [this, calendar](const QDate& first, int months) { onDayStateRequest(calendar, first, months); });
    calendar->installEventFilter(this);
    if (m_font)
        calendar->setFont(*m_font);
    placeCalendar();
    configureCalendar(*calendar);
    calendar->requestDayStates();
    calendar->show();
}

void VorrinCtl::destroyCalendarWindow()
{
    MonthCalendar* calendar = m_calendar.data();
    if (!calendar)
        return;
    if (m_calendarBusy == 0) {
        delete calendar;
        return;
    }
    // A host's handler remakes the calendar from inside an event that calendar is still handling:
    // it leaves now, unheard, and goes once its event is over.
    m_calendar = nullptr;
    calendar->removeEventFilter(this);
    disconnect(calendar, nullptr, this, nullptr);
    calendar->hide();
    calendar->setParent(nullptr); // so removing the control's window now cannot take it along
    calendar->deleteLater();
}

void VorrinCtl::configureCalendar(MonthCalendar& calendar)
{
    static const int colorOrder[6] = {4, 0, 1, 2, 3, 5};
    for (int index : colorOrder)
        calendar.setColor(index, translateColor(m_colors[index]));
    calendar.setFirstDayOfWeek(m_firstDayOfWeek);

    QDate day;
    if (m_today != 0)
        calendar.setToday(dateFromAutomation(m_today));
    else if (calendar.getToday(day))
        m_today = automationFromDate(day);

    if (calendar.style() & StyleMultiSelect) {
        calendar.setMaxSelCount(m_maxSelCount);
        if (m_start != 0) {
            if (m_end == 0)
                m_end = m_start;
            calendar.setSelRange(dateFromAutomation(m_start), dateFromAutomation(m_end));
        } else {
            recordSelection(calendar);
        }
        if (m_minSelectable != NoLowerLimit || m_maxSelectable != NoUpperLimit)
            calendar.setRange(lowerLimitFromAutomation(m_minSelectable),
                              upperLimitFromAutomation(m_maxSelectable));
    } else if (m_start != 0) {
        calendar.setCurSel(dateFromAutomation(m_start));
    } else if (calendar.getCurSel(day)) {
        m_start = automationFromDate(day);
    }
}

void VorrinCtl::placeCalendar()
{
    if (!m_calendar || !m_surface)
        return;
    int inset = 0;
    if (m_borderVisible)
        inset = m_borderStyle == BorderFlat ? 1 : 2;
    m_calendar->setGeometry(m_surface->rect().adjusted(inset, inset, -inset, -inset));
}

// ---- reports from a calendar ----------------------------------------------------------------

void VorrinCtl::onSelectionChanged(MonthCalendar* calendar)
{
    // Moves in the popup stay there until the user confirms them (see Popup).
    if (m_popup && calendar == m_popup->calendar())
        return;
    recordSelection(*calendar);
    postEvent((calendar->style() & StyleMultiSelect) ? Posted::RangeChanged : Posted::DateChanged);
}

void VorrinCtl::onDatePicked(MonthCalendar* calendar, bool onDate)
{
    // In the popup a pick counts only with the pointer on a date: it confirms like OK.
    if (m_popup && calendar == m_popup->calendar()) {
        if (onDate)
            closePopup(true);
        return;
    }
    recordSelection(*calendar);
    postEvent((calendar->style() & StyleMultiSelect) ? Posted::RangePicked : Posted::DatePicked);
}

void VorrinCtl::onDayStateRequest(MonthCalendar* calendar, const QDate& firstMonth, int months)
{
    QVariantList rows;
    rows.reserve(months);
    const QVariantList days(31, QVariant(false));
    for (int i = 0; i < months; ++i)
        rows.append(QVariant(days));
    QVariantList args{automationFromDate(firstMonth), QVariant(rows),
                      m_popup && calendar == m_popup->calendar(), false};
    QPointer<MonthCalendar> alive(calendar);
    ++m_calendarBusy;
    fire(DispId::EvDayState, args);
    --m_calendarBusy;
    std::vector<std::uint32_t> masks;
    if (alive && args.at(3).toBool() && dayStateMasks(args.at(1), months, masks))
        alive->setDayState(masks);
}

void VorrinCtl::SetDayState(const QVariant& DayState)
{
    const int months = m_calendar ? m_calendar->dayStateMonthCount() : 0;
    std::vector<std::uint32_t> masks;
    if (!dayStateMasks(DayState, months, masks))
        throw ControlError(Result::InvalidArg, QString(), DispId::SetDayState);
    if (m_calendar ? !m_calendar->setDayState(masks) : !(styleBitsFor(m_monthCalStyle) & StyleDayState))
        throw ControlError(Result::Exception, messageText(Message::M14), DispId::SetDayState);
}

// ---- posted events and firing ---------------------------------------------------------------

void VorrinCtl::postEvent(Posted kind)
{
    QCoreApplication::postEvent(this, new PostedEvent(PostedEvent::DateEvent, static_cast<int>(kind)));
}

void VorrinCtl::customEvent(QEvent* event)
{
    if (event->type() != PostedEvent::type()) {
        QObject::customEvent(event);
        return;
    }
    const auto* posted = static_cast<PostedEvent*>(event);
    if (posted->kind() == PostedEvent::ClickEvent) {
        if (posted->value() == 0 && m_userMode) {
            QVariantList args;
            fire(DispId::EvClick, args);
        }
        return;
    }
    raisePosted(static_cast<Posted>(posted->value()));
}

void VorrinCtl::raisePosted(Posted kind)
{
    if (!m_userMode)
        return;
    const double start = m_start;
    const double end = m_end;
    try {
        if (kind == Posted::DateChanged || kind == Posted::DatePicked) {
            put_dDate(start);
        } else {
            put_StartDate(start);
            put_EndDate(end);
        }
    } catch (const ControlError&) {
        // The user's choice stands even when the container keeps the bound value.
    }
    QVariantList args;
    switch (kind) {
    case Posted::RangeChanged:
        args = {m_start, m_end};
        fire(DispId::EvDateRangeChanged, args);
        break;
    case Posted::DateChanged:
        args = {m_start};
        fire(DispId::EvDateChanged, args);
        break;
    case Posted::RangePicked:
        args = {m_start, m_end};
        fire(DispId::EvDateRangeSelect, args);
        break;
    case Posted::DatePicked:
        args = {m_start};
        fire(DispId::EvDateSelect, args);
        break;
    }
}

void VorrinCtl::fire(int dispid, QVariantList& args)
{
    switch (dispid) {
    case DispId::EvDateChanged:
        emit DateChanged(args.at(0).toDouble());
        break;
    case DispId::EvDateRangeChanged:
        emit DateRangeChanged(args.at(0).toDouble(), args.at(1).toDouble());
        break;
    case DispId::EvDateSelect:
        emit DateSelect(args.at(0).toDouble());
        break;
    case DispId::EvDateRangeSelect:
        emit DateRangeSelect(args.at(0).toDouble(), args.at(1).toDouble());
        break;
    case DispId::EvClick:
        emit Click();
        break;
    case DispId::EvDayState: {
        QVariant state = args.at(1);
        bool handled = args.at(3).toBool();
        emit DayState(args.at(0).toDouble(), state, args.at(2).toBool(), handled);
        args[1] = state;
        args[3] = handled;
        break;
    }
    case DispId::EvKeyDown:
    case DispId::EvKeyUp: {
        short code = static_cast<short>(args.at(0).toInt());
        const short shift = static_cast<short>(args.at(1).toInt());
        if (dispid == DispId::EvKeyDown)
            emit KeyDown(code, shift);
        else
            emit KeyUp(code, shift);
        args[0] = QVariant::fromValue(code);
        break;
    }
    case DispId::EvKeyPress: {
        short ascii = static_cast<short>(args.at(0).toInt());
        emit KeyPress(ascii);
        args[0] = QVariant::fromValue(ascii);
        break;
    }
    default:
        return;
    }
    emit eventFired(dispid, args);
}

// ---- input on a calendar window -------------------------------------------------------------

bool VorrinCtl::eventFilter(QObject* watched, QEvent* event)
{
    if (!qobject_cast<MonthCalendar*>(watched))
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            if (watched == m_calendar && m_surface)
                m_surface->setFocus(Qt::MouseFocusReason);
            QCoreApplication::postEvent(this, new PostedEvent(PostedEvent::ClickEvent, 0));
        }
        break;
    case QEvent::MouseButtonDblClick:
        QCoreApplication::postEvent(this, new PostedEvent(PostedEvent::ClickEvent, 1));
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        ++m_calendarBusy;
        fireKey(event->type() == QEvent::KeyPress ? DispId::EvKeyDown : DispId::EvKeyUp, event);
        --m_calendarBusy;
        break;
    default:
        break;
    }
    // The calendar handles every event itself afterwards; a handler's changes to key codes
    // do not reach it.
    return false;
}

void VorrinCtl::fireKey(int dispid, QEvent* event)
{
    const auto* key = static_cast<QKeyEvent*>(event);
    if (dispid == DispId::EvKeyUp && key->isAutoRepeat())
        return;
    const short shift = (key->modifiers() & Qt::ShiftModifier) ? 1 : 0;
    QPointer<VorrinCtl> alive(this);
    if (const short code = virtualKey(*key)) {
        QVariantList args{QVariant::fromValue(code), QVariant::fromValue(shift)};
        fire(dispid, args);
    }
    if (alive && dispid == DispId::EvKeyDown && !key->text().isEmpty()) {
        QVariantList charArgs{QVariant::fromValue(static_cast<short>(key->text().at(0).unicode()))};
        fire(DispId::EvKeyPress, charArgs);
    }
}

// ---- popup ----------------------------------------------------------------------------------

QSize VorrinCtl::popupSizeFor(std::int32_t popupMonths, const QSize& oneMonth)
{
    const int w = oneMonth.width() + 14;
    const int h = oneMonth.height();
    switch (popupMonths) {
    case 2:
        return QSize(2 * w, h + 16);
    case 3:
        return QSize(3 * w, h + 16);
    case 4:
        return QSize(2 * w, 2 * h + 14);
    case 6:
        return QSize(3 * w, 2 * h + 10);
    case 9:
        return QSize(3 * w, 3 * h + 4);
    case 12:
        return QSize(3 * w, 4 * h);
    default:
        return QSize(w, h + 16);
    }
}

QSize VorrinCtl::popupGridFor(std::int32_t popupMonths)
{
    switch (popupMonths) {
    case 2:
        return {2, 1};
    case 3:
        return {3, 1};
    case 4:
        return {2, 2};
    case 6:
        return {3, 2};
    case 9:
        return {3, 3};
    case 12:
        return {3, 4};
    default:
        return {1, 1};
    }
}

void VorrinCtl::setDefaultPopupDriver(PopupDriver driver)
{
    defaultPopupDriver() = std::move(driver);
}

void VorrinCtl::Popup()
{
    if (m_popup)
        return; // one popup per control at a time
    QPointer<VorrinCtl> alive(this);
    // What the control had when the popup opened: the inline calendar's selection, or without
    // one the recorded dates.
    double openedStart = m_start;
    double openedEnd = m_end;
    if (m_calendar)
        selectionOf(*m_calendar, openedStart, openedEnd);

    QPointer<PopupCalendar> popup = new PopupCalendar(styleBitsFor(m_monthCalStyle), controlWindow());
    m_popup = popup;
    MonthCalendar* calendar = popup->calendar();
    connect(calendar, &MonthCalendar::selectionChanged, this,
            [this, calendar] { onSelectionChanged(calendar); });
    connect(calendar, &MonthCalendar::datePicked, this, [this, calendar](const QPoint& pos) {
        onDatePicked(calendar, calendar->hitTest(pos).area == HitArea::Date);
    });
    connect(calendar, &MonthCalendar::dayStateRequested, this,
            [this, calendar](const QDate& first, int months) { onDayStateRequest(calendar, first, months); });
    calendar->installEventFilter(this);

    const QSize grid = popupGridFor(m_popupMonths);
    popup->setPopupSize(popupSizeFor(m_popupMonths, calendar->minimumMonthSize()), grid.width(),
                        grid.height());
    configureCalendar(*calendar);
    calendar->showPageContaining(calendar->model().selStart());
    calendar->requestDayStates();

    // Centred over the control unless a position is given, and kept on the screen.
    QScreen* screen = m_surface ? m_surface->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QPoint position(m_popupX, m_popupY);
    if (m_popupX == -4000 && m_popupY == -4000) {
        const QPoint centre = m_surface && m_surface->isVisible()
                                  ? m_surface->mapToGlobal(m_surface->rect().center())
                                  : available.center();
        position = centre - QPoint(popup->width() / 2, popup->height() / 2);
        position.setX(
            std::max(available.left(), std::min(position.x(), available.right() - popup->width() + 1)));
        position.setY(
            std::max(available.top(), std::min(position.y(), available.bottom() - popup->height() + 1)));
    }
    popup->move(position);

    const PopupDriver driver = m_popupDriver ? m_popupDriver : defaultPopupDriver();
    if (driver) {
        popup->show();
        driver(*popup);
        if (popup && popup->isVisible())
            popup->reject();
    } else {
        popup->exec();
    }
    if (!alive)
        return;
    const bool accepted = popup && popup->result() == QDialog::Accepted;
    double start = m_start;
    double end = m_end;
    if (accepted)
        selectionOf(*popup->calendar(), start, end);
    delete popup.data();

    if (!accepted) {
        // Cancelled: the control keeps what it had, and the host hears nothing.
        if (m_calendar) {
            recordSelection(*m_calendar);
        } else {
            m_start = openedStart;
            m_end = openedEnd;
        }
        return;
    }
    // Confirmed, by OK or by a pick: the inline calendar takes the popup's selection, and the
    // host hears of it once, as of a pick.
    m_start = start;
    m_end = end;
    if (m_calendar) {
        if (multiSelectMode())
            m_calendar->setSelRange(dateFromAutomation(m_start), dateFromAutomation(m_end));
        else
            m_calendar->setCurSel(dateFromAutomation(m_start));
    }
    const bool multi = styleBitsFor(m_monthCalStyle) & StyleMultiSelect;
    if (start != openedStart || (multi && end != openedEnd))
        postEvent(multi ? Posted::RangeChanged : Posted::DateChanged);
    postEvent(multi ? Posted::RangePicked : Posted::DatePicked);
}

void VorrinCtl::closePopup(bool ok)
{
    if (!m_popup)
        return;
    if (ok)
        m_popup->accept();
    else
        m_popup->reject();
}

// ---- drawing the surface --------------------------------------------------------------------

void VorrinCtl::paintSurface(QWidget& surface)
{
    QPainter p(&surface);
    const QRect r = surface.rect();
    p.fillRect(r, ambientBackColor());
    if (m_usePopupOnly) {
        if (!m_userMode)
            drawControlIcon(p, QRect(0, 0, 16, 16));
        return;
    }
    if (!m_borderVisible)
        return;
    const QPalette& pal = surface.palette();
    if (m_borderStyle == BorderFlat) {
        p.setPen(pal.color(QPalette::WindowText));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        return;
    }
    // Sunken on the left and top, etched on the right and bottom.
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pal.color(QPalette::Shadow));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
    p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
}

} // namespace vorrin
