#include "AutomationDate.h"

#include <cmath>

namespace vorrin {

namespace {
const QDate epoch(1899, 12, 30);
}

QDate dateFromAutomation(double value)
{
    // Negative values count whole days backwards with the fraction still running forwards, so the
    // day is the value truncated towards zero.
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return {};
    return epoch.addDays(static_cast<qint64>(std::trunc(value)));
}

double automationFromDate(const QDate& date)
{
    return date.isValid() ? static_cast<double>(epoch.daysTo(date)) : 0.0;
}

QDate lowerLimitFromAutomation(double value)
{
    return value == NoLowerLimit ? QDate() : dateFromAutomation(value);
}

QDate upperLimitFromAutomation(double value)
{
    return value == NoUpperLimit ? QDate() : dateFromAutomation(value);
}

} // namespace vorrin
