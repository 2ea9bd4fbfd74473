#pragma once

#include <QDate>

namespace engine {
class Database;
class Recordset;
} // namespace engine
namespace print {
class Document;
class VSPrinter;
} // namespace print

namespace pantrova {

// Printing the planner's menus: the stored menu of one day, or of the Sunday-to-Saturday week
// around it, written down two columns (each day's date in the person's long date format, then each
// meal that has a text under its name in capitals) and sent straight to the printer, without a
// preview or a question. A day or week with nothing stored prints nothing and says nothing.
//
// Days are found by their date value, not by comparing date texts, so they are found whatever the
// person's language and date format, and also when an older version stored a time of day with them.
class MenuPrinting
{
public:
    // The stored menus of `day`, or of its week, in date order.
    static engine::Recordset DayMenus(engine::Database& menus, QDate day);
    static engine::Recordset WeekMenus(engine::Database& menus, QDate day);
    // The Sunday and Saturday of the week that holds `day`.
    static QDate weekStart(QDate day);
    static QDate weekEnd(QDate day) { return weekStart(day).addDays(6); }

    // Writes the menus of `rows` into `doc`; false, with no document started, when there are none.
    static bool BuildMenuDocument(print::Document& doc, engine::Recordset& rows);

    // Builds the day's (or week's) menus in the planner's print component and prints them at once.
    // Returns the pages sent (0 when nothing is stored or the person cancels the print dialog).
    static int PrintMenus(print::VSPrinter& printer, engine::Database& menus, QDate day, bool week);
};

} // namespace pantrova
