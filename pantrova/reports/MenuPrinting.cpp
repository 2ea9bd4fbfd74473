#include "MenuPrinting.h"

#include "data/Database.h"
#include "data/Recordset.h"
#include "data/Value.h"
#include "print/Document.h"
#include "print/VSPrinter.h"

#include <QLocale>

#include <array>

namespace pantrova {

namespace {

engine::Recordset menusBetween(engine::Database& menus, QDate first, QDate last)
{
    // From the start of the first day to the start of the day after the last.
    return menus.OpenRecordset(
        QStringLiteral("select * from mymenus where menudate >= ? and menudate < ? order by menudate"),
        {engine::Value(first), engine::Value(last.addDays(1))});
}

void blank(print::Document& doc, int count = 1)
{
    for (int i = 0; i < count; ++i)
        doc.paragraph(QStringLiteral("\n"));
}

} // namespace

QDate MenuPrinting::weekStart(QDate day)
{
    return day.addDays(-(day.dayOfWeek() % 7)); // Sunday is day 7 of an ISO week
}

engine::Recordset MenuPrinting::DayMenus(engine::Database& menus, QDate day)
{
    return menusBetween(menus, day, day);
}

engine::Recordset MenuPrinting::WeekMenus(engine::Database& menus, QDate day)
{
    return menusBetween(menus, weekStart(day), weekEnd(day));
}

bool MenuPrinting::BuildMenuDocument(print::Document& doc, engine::Recordset& rows)
{
    if (rows.RecordCount() == 0)
        return false;
    doc.clear();
    doc.setTitle(QStringLiteral("Menus"));
    doc.setExportFile({});
    doc.setColumns(2);
    doc.start();
    static const std::array<std::pair<const char*, const char*>, 4> meals{
        {{"Breakfast", "BREAKFAST"}, {"Lunch", "LUNCH"}, {"Dinner", "DINNER"}, {"Other", "OTHER"}}};
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        doc.setFontBold(true);
        doc.setFontName(QStringLiteral("Arial"));
        doc.setFontSize(12);
        doc.paragraph(
            QLocale().toString(rows.Fields(QStringLiteral("menudate")).toDate(), QLocale::LongFormat));
        blank(doc);
        doc.setFontSize(10);
        blank(doc);
        for (const auto& [field, heading] : meals) {
            const QString text = rows.Text(QString::fromLatin1(field));
            if (text.isEmpty())
                continue;
            doc.paragraph(QString::fromLatin1(heading));
            doc.setFontBold(false);
            doc.setFontSize(8);
            blank(doc, 2);
            doc.paragraph(text);
            // The size after a breakfast is one step up from its text's; after the others, 10.
            doc.setFontSize(qstrcmp(field, "Breakfast") == 0 ? doc.fontSize() + 1 : 10);
            doc.setFontBold(true);
            blank(doc, 2);
        }
        doc.setCurrentY(doc.currentY() + 600);
    }
    doc.end();
    return true;
}

int MenuPrinting::PrintMenus(print::VSPrinter& printer, engine::Database& menus, QDate day, bool week)
{
    engine::Recordset rows = week ? WeekMenus(menus, day) : DayMenus(menus, day);
    if (!BuildMenuDocument(printer.document(), rows))
        return 0;
    return printer.printDocument();
}

} // namespace pantrova
