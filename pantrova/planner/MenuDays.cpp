#include "MenuDays.h"

#include <QLocale>

#include <array>

namespace pantrova::MenuDays {

int weekdayNumber(QDate day)
{
    return day.dayOfWeek() % 7 + 1; // Qt counts Monday = 1 ... Sunday = 7
}

QString englishWeekdayName(QDate day)
{
    static const std::array<const char*, 7> names{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
    if (!day.isValid())
        return {};
    return QString::fromLatin1(names[size_t(weekdayNumber(day) - 1)]);
}

QString headingText(QDate day)
{
    return QLocale().toString(day, QStringLiteral("MMMM dd, yyyy"));
}

QString shortText(QDate day)
{
    return QLocale().toString(day, QLocale::ShortFormat);
}

QDate lastDayOfYear(QDate day)
{
    return QDate(day.year(), 12, 31);
}

} // namespace pantrova::MenuDays
