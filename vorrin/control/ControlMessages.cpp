#include "ControlMessages.h"

#include <QStringList>

namespace vorrin {

namespace {

QString joined(std::initializer_list<const char*> lines, bool trailingBreak)
{
    QStringList parts;
    for (const char* line : lines)
        parts << QString::fromLatin1(line);
    QString text = parts.join(QStringLiteral("\r\n"));
    if (trailingBreak)
        text += QStringLiteral("\r\n");
    return text;
}

} // namespace

QString messageText(Message id)
{
    const char* wrongMethod = "Invalid Method for the current style property.";
    switch (id) {
    case Message::M1:
        return joined({"Invalid MonthCalStyle - Range: 0 - 15"}, false);
    case Message::M2:
        return joined({wrongMethod, "Method: SetSelectedDate", "Property Required: Remove MultiSelect",
                       "Use: SetSelRangeDate"},
                      false);
    case Message::M3:
        return joined({wrongMethod, "Method: GetSelectedDate", "Property Required: Remove MultiSelect",
                       "Use: GetSelRangeDate"},
                      false);
    case Message::M4:
        return joined({"Invalid Range.", "Method: SetSelRangeDate"}, true);
    case Message::M5:
        return joined({wrongMethod, "Method: SetSelRangeDate", "Property Required: MultiSelect",
                       "Use: SetSelectedDate"},
                      false);
    case Message::M6:
        return joined({wrongMethod, "Method: GetSelRangeDate", "Property Required: MultiSelect",
                       "Use: GetSelectedDate"},
                      false);
    case Message::M7:
        return joined({"Invalid property for the current style property.", "Property: MaxSelCount",
                       "Property Required: Add MultiSelect"},
                      true);
    case Message::M8:
        return joined({"Invalid Range for Property MaxSelCount.", "Property: MaxSelCount"}, true);
    case Message::M9:
        return joined({"Unable to retrive value from Property Today.", "Property: Today"}, true);
    case Message::M10:
        return joined({"Invalid Range for Property FirstDayOfWeek.", "Property: FirstDayOfWeek"}, true);
    case Message::M11:
        return joined({"Invalid Range?.", "Method: MaxSelectRange"}, true);
    case Message::M12:
        return joined({wrongMethod, "Method: MinSelectRange", "Property Required: MultiSelect."}, false);
    case Message::M13:
        return joined({"Invalid Range?.", "Method: MinSelectRange"}, true);
    case Message::M14:
        return joined({wrongMethod, "Method: SetDayState",
                       "Property Required: Any style that include the DayStyle bit"},
                      true);
    }
    return {};
}

} // namespace vorrin
