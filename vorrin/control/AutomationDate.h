#pragma once

#include <QDate>

namespace vorrin {

// Automation dates: days since 30 December 1899 as a double, the fraction being the time of day.
// The calendar works in whole days, so conversions drop the time; values that are not finite or
// fall outside QDate's range give an invalid QDate, which the calendar refuses.
QDate dateFromAutomation(double value);
double automationFromDate(const QDate& date);

// The control's "no limit" markers for the selectable range, as QDate: invalid means unbounded.
QDate lowerLimitFromAutomation(double value);
QDate upperLimitFromAutomation(double value);
constexpr double NoLowerLimit = -999.999;
constexpr double NoUpperLimit = 999.999;

} // namespace vorrin
