#include "vorrin/server/VorrinTypeLibrary.h"

#include "vorrin/server/VariantBridge.h"

#include "vorrin/control/VorrinCtl.h"
#include "vorrin/server/VorrinIdentifiers.h"

namespace vorrin {

using namespace component;

namespace {

QString typeName(ValueType t, const char* enumName)
{
    if (enumName)
        return QLatin1String(enumName);
    switch (t) {
    case ValueType::Void:
        return {};
    case ValueType::Bool:
        return QStringLiteral("VARIANT_BOOL");
    case ValueType::I2:
        return QStringLiteral("short");
    case ValueType::I4:
        return QStringLiteral("long");
    case ValueType::Date:
        return QStringLiteral("DATE");
    case ValueType::Color:
        return QStringLiteral("OLE_COLOR");
    case ValueType::Font:
        return QStringLiteral("IFontDisp*");
    case ValueType::String:
        return QStringLiteral("BSTR");
    case ValueType::Variant:
        return QStringLiteral("VARIANT");
    }
    return {};
}

uint16_t varType(ValueType t)
{
    return static_cast<uint16_t>(VariantBridge::varTypeOf(t));
}

ParamDescription param(const ArgInfo& a)
{
    ParamDescription p;
    p.name = QLatin1String(a.name);
    p.type = static_cast<uint16_t>(varType(a.type) | (a.byRef ? VT_BYREF : 0));
    p.typeName = typeName(a.type, nullptr) + (a.byRef ? QStringLiteral("*") : QString());
    p.out = a.out;
    return p;
}

InterfaceDescription controlInterfaceDescription()
{
    InterfaceDescription i;
    i.name = QStringLiteral("IVorrinCtl");
    i.iid = ids::IID_IVorrinCtl;
    i.description = QStringLiteral("IVorrinCtl Interface");
    i.dual = true;
    for (const MemberInfo& m : VorrinCtl::members()) {
        MemberDescription d;
        d.name = QLatin1String(m.name);
        d.id = m.dispid;
        d.kind = m.kind == MemberInfo::Property ? MemberDescription::Kind::Property
                                                : MemberDescription::Kind::Method;
        d.typeName = typeName(m.type, m.enumName);
        d.type = varType(m.type);
        for (const ArgInfo& a : m.args)
            d.params << param(a);
        if (m.kind == MemberInfo::Property) {
            d.attributes << QStringLiteral("propget");
            if (!m.readOnly)
                d.attributes << QStringLiteral("propput");
            if (m.hasPutRef)
                d.attributes << QStringLiteral("propputref");
        }
        if (m.hidden)
            d.attributes << QStringLiteral("hidden");
        if (m.bindable)
            d.attributes << QStringLiteral("bindable") << QStringLiteral("requestedit");
        if (m.defaultBind)
            d.attributes << QStringLiteral("defaultbind") << QStringLiteral("displaybind");
        d.description =
            (m.kind == MemberInfo::Property ? QStringLiteral("property ") : QStringLiteral("method ")) +
            d.name;
        i.members << d;
    }
    return i;
}

InterfaceDescription eventInterfaceDescription()
{
    InterfaceDescription i;
    i.name = QStringLiteral("_CalEvents");
    i.iid = ids::DIID_CalEvents;
    i.description = QStringLiteral("Event interface for CalCtl");
    i.dispatchOnly = true;
    for (const EventInfo& e : VorrinCtl::events()) {
        MemberDescription d;
        d.name = QLatin1String(e.name);
        d.id = e.dispid;
        d.kind = MemberDescription::Kind::Method;
        for (const ArgInfo& a : e.args)
            d.params << param(a);
        i.members << d;
    }
    return i;
}

TypeLibrary build()
{
    TypeLibrary lib;
    lib.name = QStringLiteral("VorrinLib");
    lib.libId = ids::LIBID_VorrinLib;
    lib.majorVersion = 1;
    lib.minorVersion = 0;
    lib.lcid = ids::kTypeLibLocale;
    lib.description = ids::classDescription();
    lib.className = QStringLiteral("VorrinCtl");
    lib.clsid = ids::CLSID_VorrinCtl;
    lib.classDescription = ids::classDescription();
    lib.defaultInterface = QStringLiteral("IVorrinCtl");
    lib.defaultSource = QStringLiteral("_CalEvents");
    lib.interfaces << controlInterfaceDescription() << eventInterfaceDescription();
    lib.enums << EnumDescription{
        QStringLiteral("BorderStyle"),
        {{QStringLiteral("BorderFlat"), BorderFlat}, {QStringLiteral("Border3D"), Border3D}}};
    lib.enums << EnumDescription{
        QStringLiteral("MonthCalStyle"),
        {{QStringLiteral("DefaultNoMultiSelect"), DefaultNoMultiSelect},
         {QStringLiteral("MultiSelect"), MultiSelect},
         {QStringLiteral("WeekNumbers"), WeekNumbers},
         {QStringLiteral("NoToday"), NoToday},
         {QStringLiteral("WeekNumbersNoToday"), WeekNumbersNoToday},
         {QStringLiteral("MultiSelectWeekNumbers"), MultiSelectWeekNumbers},
         {QStringLiteral("MultiSelectNoToday"), MultiSelectNoToday},
         {QStringLiteral("MultiSelectWeekNumbersNoToday"), MultiSelectWeekNumbersNoToday},
         {QStringLiteral("DayStateNoMultiSelect"), DayStateNoMultiSelect},
         {QStringLiteral("DayStateMultiSelect"), DayStateMultiSelect},
         {QStringLiteral("DayStateWeekNumbers"), DayStateWeekNumbers},
         {QStringLiteral("DayStateNoToday"), DayStateNoToday},
         {QStringLiteral("DayStateWeekNumbersNoToday"), DayStateWeekNumbersNoToday},
         {QStringLiteral("DayStateMultiSelectWeekNumbers"), DayStateMultiSelectWeekNumbers},
         {QStringLiteral("DayStateMultiSelectNoToday"), DayStateMultiSelectNoToday},
         {QStringLiteral("DayStateMultiSelectWeekNumbersNoToday"), DayStateMultiSelectWeekNumbersNoToday}}};
    lib.enums << EnumDescription{QStringLiteral("PopupMonths"),
                                 {{QStringLiteral("Display1Month"), Display1Month},
                                  {QStringLiteral("Display2Months"), Display2Months},
                                  {QStringLiteral("Display3Months"), Display3Months},
                                  {QStringLiteral("Display4Months"), Display4Months},
                                  {QStringLiteral("Display6Months"), Display6Months},
                                  {QStringLiteral("Display9Months"), Display9Months},
                                  {QStringLiteral("Display12Months"), Display12Months}}};
    lib.enums << EnumDescription{QStringLiteral("FirstDayOfWeek"),
                                 {{QStringLiteral("LocaleSpecific"), LocaleSpecific},
                                  {QStringLiteral("Monday"), Monday},
                                  {QStringLiteral("Tuesday"), Tuesday},
                                  {QStringLiteral("Wednesday"), Wednesday},
                                  {QStringLiteral("Thursday"), Thursday},
                                  {QStringLiteral("Friday"), Friday},
                                  {QStringLiteral("Saturday"), Saturday},
                                  {QStringLiteral("Sunday"), Sunday}}};
    return lib;
}

} // namespace

const TypeLibrary& VorrinTypeLibrary::get()
{
    static const TypeLibrary lib = build();
    return lib;
}

const InterfaceDescription& VorrinTypeLibrary::controlInterface()
{
    return get().interfaces[0];
}

const InterfaceDescription& VorrinTypeLibrary::eventInterface()
{
    return get().interfaces[1];
}

} // namespace vorrin
