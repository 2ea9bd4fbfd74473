// The calendar control's member tables and its dispatch by DISPID with QVariant values.
#include "VorrinCtl.h"

#include "MonthCalendar.h"
#include "PopupCalendar.h"

#include <QDateTime>

namespace vorrin {

namespace {

using VT = ValueType;

MemberInfo prop(const char* name, int dispid, ValueType type, const char* enumName = nullptr)
{
    MemberInfo m{name, dispid, MemberInfo::Property, type, enumName, {}, {}, {}, {}, {}, {}};
    return m;
}

MemberInfo hidden(MemberInfo m)
{
    m.hidden = true;
    return m;
}

MemberInfo bindable(MemberInfo m, bool isDefault = false)
{
    m.bindable = true;
    m.defaultBind = isDefault;
    return m;
}

MemberInfo method(const char* name, int dispid, std::vector<ArgInfo> args = {})
{
    MemberInfo m{name, dispid, MemberInfo::Method, VT::Void, nullptr, {}, {}, {}, {}, {}, std::move(args)};
    return m;
}

ArgInfo in(const char* name, ValueType type)
{
    return ArgInfo{name, type, false, false};
}

ArgInfo out(const char* name, ValueType type)
{
    return ArgInfo{name, type, true, true};
}

ArgInfo byRef(const char* name, ValueType type)
{
    return ArgInfo{name, type, true, false};
}

[[noreturn]] void mismatch(int dispid)
{
    throw ControlError(Result::TypeMismatch, QString(), dispid);
}

bool toBool(const QVariant& v, int dispid)
{
    if (!v.canConvert<bool>())
        mismatch(dispid);
    return v.toBool();
}

std::int32_t toI4(const QVariant& v, int dispid)
{
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > INT32_MAX)
        mismatch(dispid);
    return static_cast<std::int32_t>(n);
}

double toDate(const QVariant& v, int dispid)
{
    if (v.typeId() == QMetaType::QDate)
        return static_cast<double>(QDate(1899, 12, 30).daysTo(v.toDate()));
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime t = v.toDateTime();
        return static_cast<double>(QDate(1899, 12, 30).daysTo(t.date())) +
               t.time().msecsSinceStartOfDay() / 86400000.0;
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        mismatch(dispid);
    return d;
}

OleColor toColor(const QVariant& v, int dispid)
{
    if (v.typeId() == QMetaType::QColor)
        return VorrinCtl::oleColor(v.value<QColor>());
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok)
        mismatch(dispid);
    return static_cast<OleColor>(n & 0xFFFFFFFFll); // system colours arrive as negative 32-bit values
}

} // namespace

const std::vector<MemberInfo>& VorrinCtl::members()
{
    static const std::vector<MemberInfo> table = {
        prop("BorderStyle", DispId::BorderStyle, VT::I4, "BorderStyle"),
        prop("BorderVisible", DispId::BorderVisible, VT::Bool),
        [] {
            MemberInfo m = prop("Font", DispId::Font, VT::Font);
            m.hasPutRef = true;
            return m;
        }(),
        prop("CalBackGroundColor", DispId::CalBackGroundColor, VT::Color),
        prop("CalTextColor", DispId::CalTextColor, VT::Color),
        prop("CalTitleBkColor", DispId::CalTitleBkColor, VT::Color),
        prop("CalTitleTextColor", DispId::CalTitleTextColor, VT::Color),
        prop("CalTrailingTextColor", DispId::CalTrailingTextColor, VT::Color),
        prop("CalMonthBKColor", DispId::CalMonthBKColor, VT::Color),
        prop("MonthCalStyle", DispId::MonthCalStyle, VT::I4, "MonthCalStyle"),
        prop("DateStartRange", DispId::DateStartRange, VT::Date),
        prop("DateEndRange", DispId::DateEndRange, VT::Date),
        bindable(prop("dDate", DispId::dDate, VT::Date), true),
        bindable(prop("StartDate", DispId::StartDate, VT::Date)),
        bindable(prop("EndDate", DispId::EndDate, VT::Date)),
        prop("PopupMonths", DispId::PopupMonths, VT::I4, "PopupMonths"),
        prop("UsePopupOnly", DispId::UsePopupOnly, VT::Bool),
        prop("MaxSelCount", DispId::MaxSelCount, VT::I4),
        hidden(prop("Today", DispId::Today, VT::Date)),
        prop("FirstDayOfWeek", DispId::FirstDayOfWeek, VT::I4, "FirstDayOfWeek"),
        hidden(prop("PopupPositionX", DispId::PopupPositionX, VT::I4)),
        hidden(prop("PopupPositionY", DispId::PopupPositionY, VT::I4)),
        hidden(prop("MaxSelectRange", DispId::MaxSelectRange, VT::Date)),
        hidden(prop("MinSelectRange", DispId::MinSelectRange, VT::Date)),
        prop("InitToNow", DispId::InitToNow, VT::Bool),
        method("SetSelectedDate", DispId::SetSelectedDate, {in("newVal", VT::Date)}),
        method("GetSelectedDate", DispId::GetSelectedDate, {out("pVal", VT::Date)}),
        method("SetSelRangeDate", DispId::SetSelRangeDate,
               {in("newValStart", VT::Date), in("newValEnd", VT::Date)}),
        method("GetSelRangeDate", DispId::GetSelRangeDate,
               {out("pValStart", VT::Date), out("pValEnd", VT::Date)}),
        method("Popup", DispId::Popup),
        method("SetDayState", DispId::SetDayState, {in("DayState", VT::Variant)}),
        method("GetVisibleMonths", DispId::GetVisibleMonths, {out("MonthCount", VT::I4)}),
        method("AboutBox", DispId::AboutBox),
    };
    return table;
}

const std::vector<EventInfo>& VorrinCtl::events()
{
    static const std::vector<EventInfo> table = {
        {"DateChanged", DispId::EvDateChanged, {in("dSelected", VT::Date)}},
        {"DateRangeChanged", DispId::EvDateRangeChanged, {in("dStart", VT::Date), in("dEnd", VT::Date)}},
        {"DateSelect", DispId::EvDateSelect, {in("dSelected", VT::Date)}},
        {"DateRangeSelect", DispId::EvDateRangeSelect, {in("dStart", VT::Date), in("dEnd", VT::Date)}},
        {"Click", DispId::EvClick, {}},
        {"DayState",
         DispId::EvDayState,
         {in("StartDate", VT::Date), byRef("DayState", VT::Variant), in("bPopup", VT::Bool),
          byRef("bHandled", VT::Bool)}},
        {"KeyDown", DispId::EvKeyDown, {byRef("KeyCode", VT::I2), in("Shift", VT::I2)}},
        {"KeyUp", DispId::EvKeyUp, {byRef("KeyCode", VT::I2), in("Shift", VT::I2)}},
        {"KeyPress", DispId::EvKeyPress, {byRef("KeyAscii", VT::I2)}},
    };
    return table;
}

const MemberInfo* VorrinCtl::findMember(int dispid)
{
    for (const MemberInfo& m : members()) {
        if (m.dispid == dispid)
            return &m;
    }
    return nullptr;
}

const MemberInfo* VorrinCtl::findMember(const QString& name)
{
    for (const MemberInfo& m : members()) {
        if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0)
            return &m;
    }
    return nullptr;
}

const EventInfo* VorrinCtl::findEvent(int dispid)
{
    for (const EventInfo& e : events()) {
        if (e.dispid == dispid)
            return &e;
    }
    return nullptr;
}

QVariant VorrinCtl::getProperty(int dispid) const
{
    switch (dispid) {
    case DispId::BorderStyle:
        return get_BorderStyle();
    case DispId::BorderVisible:
        return get_BorderVisible();
    case DispId::Font:
        return m_font ? QVariant(*m_font) : QVariant();
    case DispId::CalBackGroundColor:
        return get_CalBackGroundColor();
    case DispId::CalTextColor:
        return get_CalTextColor();
    case DispId::CalTitleBkColor:
        return get_CalTitleBkColor();
    case DispId::CalTitleTextColor:
        return get_CalTitleTextColor();
    case DispId::CalTrailingTextColor:
        return get_CalTrailingTextColor();
    case DispId::CalMonthBKColor:
        return get_CalMonthBKColor();
    case DispId::MonthCalStyle:
        return get_MonthCalStyle();
    case DispId::DateStartRange:
    case DispId::DateEndRange: {
        if (!m_calendar)
            return {};
        double value = 0;
        if (dispid == DispId::DateStartRange)
            get_DateStartRange(value);
        else
            get_DateEndRange(value);
        return value;
    }
    case DispId::dDate:
        return get_dDate();
    case DispId::StartDate:
        return get_StartDate();
    case DispId::EndDate:
        return get_EndDate();
    case DispId::PopupMonths:
        return get_PopupMonths();
    case DispId::UsePopupOnly:
        return get_UsePopupOnly();
    case DispId::MaxSelCount:
        return get_MaxSelCount();
    case DispId::Today:
        return get_Today();
    case DispId::FirstDayOfWeek:
        return get_FirstDayOfWeek();
    case DispId::PopupPositionX:
        return get_PopupPositionX();
    case DispId::PopupPositionY:
        return get_PopupPositionY();
    case DispId::MaxSelectRange:
        return get_MaxSelectRange();
    case DispId::MinSelectRange:
        return get_MinSelectRange();
    case DispId::InitToNow:
        return get_InitToNow();
    default:
        throw ControlError(Result::MemberNotFound, QString(), dispid);
    }
}

void VorrinCtl::putProperty(int dispid, const QVariant& value)
{
    switch (dispid) {
    case DispId::BorderStyle:
        return put_BorderStyle(toI4(value, dispid));
    case DispId::BorderVisible:
        return put_BorderVisible(toBool(value, dispid));
    case DispId::Font:
        if (value.typeId() != QMetaType::QFont)
            mismatch(dispid);
        return put_Font(value.value<QFont>());
    case DispId::CalBackGroundColor:
        return put_CalBackGroundColor(toColor(value, dispid));
    case DispId::CalTextColor:
        return put_CalTextColor(toColor(value, dispid));
    case DispId::CalTitleBkColor:
        return put_CalTitleBkColor(toColor(value, dispid));
    case DispId::CalTitleTextColor:
        return put_CalTitleTextColor(toColor(value, dispid));
    case DispId::CalTrailingTextColor:
        return put_CalTrailingTextColor(toColor(value, dispid));
    case DispId::CalMonthBKColor:
        return put_CalMonthBKColor(toColor(value, dispid));
    case DispId::MonthCalStyle:
        return put_MonthCalStyle(toI4(value, dispid));
    case DispId::DateStartRange:
        return put_DateStartRange(toDate(value, dispid));
    case DispId::DateEndRange:
        return put_DateEndRange(toDate(value, dispid));
    case DispId::dDate:
        return put_dDate(toDate(value, dispid));
    case DispId::StartDate:
        return put_StartDate(toDate(value, dispid));
    case DispId::EndDate:
        return put_EndDate(toDate(value, dispid));
    case DispId::PopupMonths:
        return put_PopupMonths(toI4(value, dispid));
    case DispId::UsePopupOnly:
        return put_UsePopupOnly(toBool(value, dispid));
    case DispId::MaxSelCount:
        return put_MaxSelCount(toI4(value, dispid));
    case DispId::Today:
        return put_Today(toDate(value, dispid));
    case DispId::FirstDayOfWeek:
        return put_FirstDayOfWeek(toI4(value, dispid));
    case DispId::PopupPositionX:
        return put_PopupPositionX(toI4(value, dispid));
    case DispId::PopupPositionY:
        return put_PopupPositionY(toI4(value, dispid));
    case DispId::MaxSelectRange:
        return put_MaxSelectRange(toDate(value, dispid));
    case DispId::MinSelectRange:
        return put_MinSelectRange(toDate(value, dispid));
    case DispId::InitToNow:
        return put_InitToNow(toBool(value, dispid));
    default:
        throw ControlError(Result::MemberNotFound, QString(), dispid);
    }
}

QVariant VorrinCtl::invoke(int dispid, QVariantList& args)
{
    const MemberInfo* member = findMember(dispid);
    if (!member || member->kind != MemberInfo::Method)
        throw ControlError(Result::MemberNotFound, QString(), dispid);
    if (args.size() != static_cast<qsizetype>(member->args.size()))
        throw ControlError(Result::BadParamCount, QString(), dispid);

    switch (dispid) {
    case DispId::SetSelectedDate:
        SetSelectedDate(toDate(args.at(0), dispid));
        break;
    case DispId::GetSelectedDate:
        // Without a calendar window the argument stays exactly as the caller passed it.
        if (m_calendar) {
            double value = 0;
            GetSelectedDate(value);
            args[0] = value;
        }
        break;
    case DispId::SetSelRangeDate:
        SetSelRangeDate(toDate(args.at(0), dispid), toDate(args.at(1), dispid));
        break;
    case DispId::GetSelRangeDate:
        if (m_calendar) {
            double start = 0;
            double end = 0;
            GetSelRangeDate(start, end);
            args[0] = start;
            args[1] = end;
        }
        break;
    case DispId::Popup:
        Popup();
        break;
    case DispId::SetDayState:
        SetDayState(args.at(0));
        break;
    case DispId::GetVisibleMonths: {
        std::int32_t count = 0;
        GetVisibleMonths(count);
        args[0] = count;
        break;
    }
    case DispId::AboutBox:
        AboutBox();
        break;
    default:
        throw ControlError(Result::MemberNotFound, QString(), dispid);
    }
    return {};
}

} // namespace vorrin
