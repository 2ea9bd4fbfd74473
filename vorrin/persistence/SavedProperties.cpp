#include "vorrin/persistence/SavedProperties.h"

namespace vorrin {

using namespace component;

const QList<SavedProperty>& SavedProperties::list()
{
    static const QList<SavedProperty> properties = {
        {QStringLiteral("CalBackGroundColor"), 1, VT_UI4},
        {QStringLiteral("CalTextColor"), 2, VT_UI4},
        {QStringLiteral("CalTitleBkColor"), 3, VT_UI4},
        {QStringLiteral("CalTitleTextColor"), 4, VT_UI4},
        {QStringLiteral("CalTrailingTextColor"), 5, VT_UI4},
        {QStringLiteral("CalMonthBkColor"), 6, VT_UI4},
        {QStringLiteral("MonthCalStyle"), 7, VT_I4},
        {QStringLiteral("BorderStyle"), -504, VT_I4},
        {QStringLiteral("BorderVisible"), -519, VT_BOOL},
        {QStringLiteral("Font"), -512, VT_DISPATCH},
        {QStringLiteral("dDate"), 14, VT_DATE},
        {QStringLiteral("StartDate"), 15, VT_DATE},
        {QStringLiteral("EndDate"), 16, VT_DATE},
        {QStringLiteral("PopupMonths"), 17, VT_I4},
        {QStringLiteral("UsePopupOnly"), 18, VT_BOOL},
        {QStringLiteral("MaxSelCount"), 20, VT_I4},
        {QStringLiteral("FirstDayOfWeek"), 22, VT_I4},
        {QStringLiteral("InitToNow"), 29, VT_BOOL},
    };
    return properties;
}

} // namespace vorrin
