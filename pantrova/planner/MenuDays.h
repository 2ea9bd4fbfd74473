#pragma once

#include <QDate>
#include <QString>

namespace pantrova {

// How the planner writes and reads its days.
namespace MenuDays {

// The weekday counted from Sunday = 1 to Saturday = 7.
int weekdayNumber(QDate day);
// The English weekday name ("Sunday" ... "Saturday"), whatever the user's language: it is what
// the menus database stores beside each day.
QString englishWeekdayName(QDate day);
// The day as the planner's heading shows it: the user's month name, a two-digit day and the
// year ("March 05, 2001").
QString headingText(QDate day);
// The day as the main window's planner panel shows it: the user's short date.
QString shortText(QDate day);
// 31 December of `day`'s year.
QDate lastDayOfYear(QDate day);

} // namespace MenuDays

} // namespace pantrova
