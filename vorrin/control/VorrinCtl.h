#pragma once

#include "ControlError.h"
#include "MemberInfo.h"
#include "VorrinEnums.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace vorrin {

class ControlSurface;
class MonthCalendar;
class PopupCalendar;

// An OLE colour: 0x00BBGGRR, or 0x800000nn for a system colour. Kept as given so that saving and
// loading hand back exactly what a host stored; VorrinCtl::translateColor gives the QColor drawn.
using OleColor = std::uint32_t;

// DISPIDs of the control's members and events.
namespace DispId {
// properties
constexpr int BorderStyle = -504;
constexpr int BorderVisible = -519;
constexpr int Font = -512;
constexpr int CalBackGroundColor = 1;
constexpr int CalTextColor = 2;
constexpr int CalTitleBkColor = 3;
constexpr int CalTitleTextColor = 4;
constexpr int CalTrailingTextColor = 5;
constexpr int CalMonthBKColor = 6;
constexpr int MonthCalStyle = 7;
constexpr int DateStartRange = 12;
constexpr int DateEndRange = 13;
constexpr int dDate = 14;
constexpr int StartDate = 15;
constexpr int EndDate = 16;
constexpr int PopupMonths = 17;
constexpr int UsePopupOnly = 18;
constexpr int MaxSelCount = 20;
constexpr int Today = 21;
constexpr int FirstDayOfWeek = 22;
constexpr int PopupPositionX = 23;
constexpr int PopupPositionY = 24;
constexpr int MaxSelectRange = 25;
constexpr int MinSelectRange = 26;
constexpr int InitToNow = 29;
// methods
constexpr int SetSelectedDate = 8;
constexpr int GetSelectedDate = 9;
constexpr int SetSelRangeDate = 10;
constexpr int GetSelRangeDate = 11;
constexpr int Popup = 19;
constexpr int SetDayState = 27;
constexpr int GetVisibleMonths = 28;
constexpr int AboutBox = -552;
// events
constexpr int EvDateChanged = 1;
constexpr int EvDateRangeChanged = 2;
constexpr int EvDateSelect = 3;
constexpr int EvDateRangeSelect = 4;
constexpr int EvClick = 5;
constexpr int EvDayState = 6;
constexpr int EvKeyDown = -602;
constexpr int EvKeyUp = -604;
constexpr int EvKeyPress = -603;
} // namespace DispId

// The embeddable month-calendar control. A host sets dates and looks through the members below,
// gives the control a window inside one of its own widgets (createWindow), and hears the user's
// choices through the event signals. Everything runs on the thread that owns the host's widgets.
//
// Typed members carry the interface's names: properties as get_X/put_X, methods under their own
// names. Failing members throw ControlError (message, result number and DISPID). Dates are
// automation dates (double, days since 30 Dec 1899; 0 means "not set").
//
// The same members are reachable by DISPID (getProperty/putProperty/invoke) with QVariant values
// typed as MemberInfo.h describes; members() and events() describe them for a dispatch adaptor.
// Day-state arrays, two-dimensional [1..n] x [1..31] in the interface, cross as a QVariantList
// of n rows, each a QVariantList of 31 values (row i is month i of the requested range, element
// j is day j + 1; a non-zero or true element makes the day bold).
//
// Each control keeps its own calendar window, popup and input hooks: two controls in one process
// never act on each other.
class VorrinCtl : public QObject
{
    Q_OBJECT

public:
    explicit VorrinCtl(QObject* parent = nullptr);
    ~VorrinCtl() override;

    // ---- Properties -------------------------------------------------------------------------
    std::int32_t get_BorderStyle() const;
    void put_BorderStyle(std::int32_t value);
    bool get_BorderVisible() const;
    void put_BorderVisible(bool value);

    // The font is absent until the control is sited (chooseSiteFont) or a font is put.
    bool hasFont() const { return m_font.has_value(); }
    QFont get_Font() const;           // the recorded font, or a default QFont when absent
    void put_Font(const QFont& font); // asks request-edit first and does nothing when refused
    void clearFont();

    OleColor get_CalBackGroundColor() const { return m_colors[0]; }
    void put_CalBackGroundColor(OleColor value);
    OleColor get_CalTextColor() const { return m_colors[1]; }
    void put_CalTextColor(OleColor value);
    OleColor get_CalTitleBkColor() const { return m_colors[2]; }
    void put_CalTitleBkColor(OleColor value);
    OleColor get_CalTitleTextColor() const { return m_colors[3]; }
    void put_CalTitleTextColor(OleColor value);
    OleColor get_CalTrailingTextColor() const { return m_colors[5]; }
    void put_CalTrailingTextColor(OleColor value);
    OleColor get_CalMonthBKColor() const { return m_colors[4]; }
    void put_CalMonthBKColor(OleColor value);

    std::int32_t get_MonthCalStyle() const { return m_monthCalStyle; }
    void put_MonthCalStyle(std::int32_t value);

    // Without a calendar window these leave `pVal` as passed and succeed.
    void get_DateStartRange(double& pVal) const;
    void put_DateStartRange(double value);
    void get_DateEndRange(double& pVal) const;
    void put_DateEndRange(double value);

    double get_dDate() const { return m_start; }
    void put_dDate(double value);
    double get_StartDate() const { return m_start; }
    void put_StartDate(double value);
    double get_EndDate() const { return m_end; }
    void put_EndDate(double value);

    std::int32_t get_PopupMonths() const { return m_popupMonths; }
    void put_PopupMonths(std::int32_t value);
    bool get_UsePopupOnly() const { return m_usePopupOnly; }
    void put_UsePopupOnly(bool value);
    std::int32_t get_MaxSelCount() const { return m_maxSelCount; }
    void put_MaxSelCount(std::int32_t value);
    double get_Today() const; // refreshes the recorded today date from the calendar window
    void put_Today(double value);
    std::int32_t get_FirstDayOfWeek() const; // refreshes the recorded value from the calendar window
    void put_FirstDayOfWeek(std::int32_t value);
    std::int32_t get_PopupPositionX() const { return m_popupX; }
    void put_PopupPositionX(std::int32_t value);
    std::int32_t get_PopupPositionY() const { return m_popupY; }
    void put_PopupPositionY(std::int32_t value);
    double get_MaxSelectRange() const { return m_maxSelectable; }
    void put_MaxSelectRange(double value);
    double get_MinSelectRange() const { return m_minSelectable; }
    void put_MinSelectRange(double value);
    bool get_InitToNow() const { return m_initToNow; }
    void put_InitToNow(bool value);

    // ---- Methods ----------------------------------------------------------------------------
    void SetSelectedDate(double newVal);
    void GetSelectedDate(double& pVal);
    void SetSelRangeDate(double newValStart, double newValEnd);
    void GetSelRangeDate(double& pValStart, double& pValEnd);
    // Shows the popup calendar and returns when it has closed. The user's moves in the popup
    // stay there: OK, Enter or a click on a date confirms them (the inline calendar takes the
    // selection and the host hears of it once, as of a pick: DateRangeChanged when it differs
    // from what the control had, then DateRangeSelect, or the single-date pair); Cancel, Escape
    // or closing otherwise keeps what the control had when the popup opened, and raises nothing.
    // With a popup driver installed (setPopupDriver) the popup is shown without a modal loop,
    // the driver runs, and a popup the driver left open is cancelled, so tests never block.
    void Popup();
    void SetDayState(const QVariant& DayState);
    void GetVisibleMonths(std::int32_t& MonthCount);
    void AboutBox();

    // ---- Dispatch by DISPID -----------------------------------------------------------------
    static const std::vector<MemberInfo>& members();
    static const std::vector<EventInfo>& events();
    static const MemberInfo* findMember(int dispid);
    static const MemberInfo* findMember(const QString& name); // case-insensitive
    static const EventInfo* findEvent(int dispid);

    // An invalid QVariant means "no value": DateStartRange and DateEndRange without a calendar
    // window, and a Font that is absent. Throws ControlError for unknown members and bad types.
    QVariant getProperty(int dispid) const;
    void putProperty(int dispid, const QVariant& value);
    // Arguments in declared order; by-reference and out arguments are written back into `args`.
    // Returns the method's result (always an invalid QVariant: no method returns a value).
    QVariant invoke(int dispid, QVariantList& args);

    // ---- Host side (container, site, persistence) -------------------------------------------
    // Creates the control's own window (its surface) as a child of `parent`, sized to extent(),
    // with the calendar window inside unless UsePopupOnly, and applies InitToNow. A previous
    // window is destroyed first. The window belongs to `parent`; deleting it is allowed.
    QWidget* createWindow(QWidget* parent);
    void destroyWindow();
    QWidget* controlWindow() const;
    MonthCalendar* calendarWindow() const;
    PopupCalendar* popupWindow() const; // while Popup() runs

    // The control's size in device-independent pixels; kept when it has no window.
    QSize extent() const { return m_extent; }
    void setExtent(const QSize& size);

    // The container's permission for changes to bindable properties and the font.
    void setRequestEdit(std::function<bool(int dispid)> requestEdit)
    {
        m_requestEdit = std::move(requestEdit);
    }

    // Ambient values of the container. User mode True is run mode (the default here, since a
    // host using the class directly is running); False is design mode.
    void setUserMode(bool userMode);
    bool userMode() const { return m_userMode; }
    void setAmbientBackColor(const QColor& color); // invalid: the window's palette
    QColor ambientBackColor() const;
    void setAmbientFont(const std::optional<QFont>& font) { m_ambientFont = font; }
    // When sited without a font: a copy of the ambient font, else italic Times New Roman 10 pt.
    void chooseSiteFont();

    // Loading saved settings. Between these calls the setters apply as to a control without a
    // calendar window, whatever the control's state, so no valid saved set meets a check only a
    // live calendar makes (a single-select style followed by its saved MaxSelCount, for one).
    // endLoad() then makes the calendar window again from what was recorded, exactly as showing
    // the control after the load would have, InitToNow included. Calls may nest.
    void beginLoad();
    void endLoad();

    using PopupDriver = std::function<void(PopupCalendar& popup)>;
    void setPopupDriver(PopupDriver driver) { m_popupDriver = std::move(driver); }
    static void setDefaultPopupDriver(PopupDriver driver);

    using AboutBoxHandler = std::function<void(QWidget* owner)>;
    void setAboutBoxHandler(AboutBoxHandler handler) { m_aboutBox = std::move(handler); }
    static void setDefaultAboutBoxHandler(AboutBoxHandler handler);

    // Colour conversions: system colours resolve through the application palette.
    static QColor translateColor(OleColor color);
    static OleColor oleColor(const QColor& color);

    // The popup's outer size for `popupMonths`, given the minimum size of one month, and the
    // months it shows across and down.
    static QSize popupSizeFor(std::int32_t popupMonths, const QSize& oneMonth);
    static QSize popupGridFor(std::int32_t popupMonths);

signals:
    // Events, in interface order. Dates are automation dates by value.
    void DateChanged(double dSelected);
    void DateRangeChanged(double dStart, double dEnd);
    void DateSelect(double dSelected);
    void DateRangeSelect(double dStart, double dEnd);
    void Click();
    void DayState(double StartDate, QVariant& DayState, bool bPopup, bool& bHandled);
    void KeyDown(short& KeyCode, short Shift);
    void KeyUp(short& KeyCode, short Shift);
    void KeyPress(short& KeyAscii);

    // Every event again, by DISPID with its arguments in firing order, after the typed signal;
    // changes a receiver makes to by-reference arguments are taken back.
    void eventFired(int dispid, QVariantList& args);

    // After every property change (the container's "property changed" notification).
    void propertyChanged(int dispid);
    // After a date setter changed the control's data.
    void dataChanged();
    // The control's window got (true) or lost (false) the focus; the site tracks it.
    void focusChanged(bool hasFocus);

protected:
    void customEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ControlSurface;

    enum class Posted { RangeChanged = 0, DateChanged = 1, RangePicked = 2, DatePicked = 3 };

    bool multiSelectMode() const;
    MonthCalendar* activeCalendar() const;
    void createCalendarWindow();
    void destroyCalendarWindow();
    void configureCalendar(MonthCalendar& calendar);
    void placeCalendar();
    void notify(int dispid);
    void requestEditOrThrow(int dispid);
    void putColor(int index, int dispid, OleColor value);
    void applyInitToNow();
    void recordSelection(const MonthCalendar& calendar) const;
    static void selectionOf(const MonthCalendar& calendar, double& start, double& end);
    void postEvent(Posted kind);
    void raisePosted(Posted kind);
    void onSelectionChanged(MonthCalendar* calendar);
    void onDatePicked(MonthCalendar* calendar, bool onDate);
    void onDayStateRequest(MonthCalendar* calendar, const QDate& firstMonth, int months);
    void fireKey(int dispid, QEvent* event);
    void fire(int dispid, QVariantList& args);
    void closePopup(bool ok);
    void paintSurface(QWidget& surface);

    // recorded state
    std::int32_t m_borderStyle = Border3D;
    bool m_borderVisible = true;
    std::optional<QFont> m_font;
    OleColor m_colors[6] = {0x00FFFFFFu, 0x00000000u, 0x00800000u, 0x00FFFFFFu, 0x00FFFFFFu, 0x00808080u};
    std::int16_t m_monthCalStyle = MultiSelect;
    mutable double m_start = 0;
    mutable double m_end = 0;
    mutable double m_today = 0;
    std::int32_t m_popupMonths = 8;
    bool m_usePopupOnly = false;
    std::int32_t m_maxSelCount = 7;
    mutable std::int32_t m_firstDayOfWeek = -1;
    std::int32_t m_popupX = -4000;
    std::int32_t m_popupY = -4000;
    double m_minSelectable = -999.999;
    double m_maxSelectable = 999.999;
    bool m_initToNow = true;

    // host side
    QSize m_extent{250, 190};
    bool m_userMode = true;
    int m_loading = 0;
    QColor m_ambientBack;
    std::optional<QFont> m_ambientFont;
    std::function<bool(int)> m_requestEdit;
    PopupDriver m_popupDriver;
    AboutBoxHandler m_aboutBox;

    // windows
    QPointer<ControlSurface> m_surface;
    QPointer<MonthCalendar> m_calendar;
    QPointer<PopupCalendar> m_popup;
    int m_calendarBusy = 0; // host handlers running inside a calendar's own event handling
};

} // namespace vorrin
