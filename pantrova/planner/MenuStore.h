#pragma once

#include "data/Database.h"
#include "data/Recordset.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace pantrova {

// The four meals of a day, in the planner's order: 0 Breakfast, 1 Lunch, 2 Dinner, 3 Other.
using MealTexts = std::array<QString, 4>;

// A day's stored menu: its meal texts (Null read as empty), its automatic-deletion mark, and the
// record's position for a later delete.
struct StoredMenu
{
    MealTexts meals;
    bool autodelete = false;
    engine::Bookmark bookmark = 0;
};

// The menus database ("menus.mdb") and its table `mymenus`, one record per planned day.
//
// It keeps the database open with a table-type recordset on `mymenus` in the order of the
// "master" index (the day), the way the planner window uses it for as long as it is loaded. Every
// change is one transaction: a save that fails, or a purge that fails, leaves the file as it was,
// and the recordset is brought back in step with the file. A day is always found with an equality
// seek on the day alone, and a save edits that day's record when there is one, so a day never gets
// a second record. Dates are days (no time of day). Used from the user-interface thread only.
class MenuStore
{
public:
    static QString fileName() { return QStringLiteral("menus.mdb"); }
    static const std::array<const char*, 4>& mealFields();

    // Opens "menus.mdb" in `folder` through the program's workspace. Throws engine::EngineError
    // when the file is missing, damaged or lacks the table or its indexes.
    void open(const QString& folder);
    void close();
    bool isOpen() const { return m_database.isOpen(); }
    engine::Database& database() { return m_database; }

    std::optional<StoredMenu> find(QDate day);
    // Writes the day's menu and returns the record's position.
    engine::Bookmark save(QDate day, const MealTexts& meals, const QString& dayName, bool autodelete);
    // Deletes the record at `bookmark`.
    void remove(engine::Bookmark bookmark);
    // Deletes the menus marked for automatic deletion whose day is before `today`; returns how many.
    int purgeBefore(QDate today);
    // The days in [from, until) that have a stored menu, in order.
    QList<QDate> daysWithMenus(QDate from, QDate until);
    int recordCount() const;

private:
    template <class Work> auto inTransaction(Work work);
    void resync();

    engine::Database m_database;
    engine::Recordset m_menus; // table-type, index "master"
};

} // namespace pantrova
