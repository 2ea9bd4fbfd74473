#include "MenuStore.h"

#include "data/Value.h"
#include "startup/Program.h"

#include <QDir>

namespace pantrova {

namespace {
const QString kTable = QStringLiteral("mymenus");
const QString kDayIndex = QStringLiteral("master");
const QString kDay = QStringLiteral("menudate");
const QString kAutodelete = QStringLiteral("autodelete");
} // namespace

const std::array<const char*, 4>& MenuStore::mealFields()
{
    static const std::array<const char*, 4> fields{"Breakfast", "Lunch", "Dinner", "Other"};
    return fields;
}

void MenuStore::open(const QString& folder)
{
    close();
    engine::Database db = program().Workspace().OpenDatabase(QDir(folder).filePath(fileName()));
    try {
        engine::Recordset menus = db.OpenRecordset(kTable);
        menus.Index(kDayIndex);
        m_database = db;
        m_menus = menus;
    } catch (...) {
        db.Close();
        throw;
    }
}

void MenuStore::close()
{
    m_menus.Close();
    if (m_database.isOpen())
        m_database.Close();
    m_menus = {};
    m_database = {};
}

int MenuStore::recordCount() const
{
    return m_menus.RecordCount();
}

std::optional<StoredMenu> MenuStore::find(QDate day)
{
    m_menus.Seek(QStringLiteral("="), engine::Value(day));
    if (m_menus.NoMatch())
        return std::nullopt;
    StoredMenu menu;
    for (size_t i = 0; i < menu.meals.size(); ++i)
        menu.meals[i] = m_menus.Text(QString::fromLatin1(mealFields()[i]));
    menu.autodelete = m_menus.Fields(kAutodelete).toBool();
    menu.bookmark = m_menus.bookmark();
    return menu;
}

// Runs `work` inside one transaction. On failure the file is rolled back, the recordset reads the
// table afresh (it may hold rows the rollback took away), and the failure goes on to the caller.
template <class Work> auto MenuStore::inTransaction(Work work)
{
    try {
        engine::Transaction transaction(m_database);
        auto result = work();
        transaction.commit();
        return result;
    } catch (...) {
        resync();
        throw;
    }
}

void MenuStore::resync()
{
    try {
        if (m_menus.isOpen()) {
            if (m_menus.isEditing())
                m_menus.CancelUpdate();
            m_menus.Index(kDayIndex);
        }
    } catch (...) {
        // The database itself is gone; the caller is already reporting a failure.
    }
}

engine::Bookmark MenuStore::save(QDate day, const MealTexts& meals, const QString& dayName, bool autodelete)
{
    return inTransaction([&] {
        m_menus.Seek(QStringLiteral("="), engine::Value(day));
        if (m_menus.NoMatch())
            m_menus.AddNew();
        else
            m_menus.Edit();
        m_menus.SetField(kDay, engine::Value(day));
        for (size_t i = 0; i < meals.size(); ++i)
            m_menus.SetField(QString::fromLatin1(mealFields()[i]), meals[i]);
        m_menus.SetField(QStringLiteral("Dayname"), dayName);
        m_menus.SetField(kAutodelete, autodelete);
        m_menus.Update();
        return m_menus.bookmark();
    });
}

void MenuStore::remove(engine::Bookmark bookmark)
{
    inTransaction([&] {
        m_menus.setBookmark(bookmark);
        m_menus.Delete();
        return true;
    });
}

int MenuStore::purgeBefore(QDate today)
{
    // Rows marked True sort last in the "deletecheck" order, so walking that index from the first
    // marked row to the end, deleting the past ones, is this one statement.
    const int deleted = inTransaction([&] {
        return m_database.Execute(
            QStringLiteral("delete from mymenus where autodelete <> 0 and menudate < ?"),
            {engine::Value(today)});
    });
    if (deleted > 0)
        m_menus.Index(kDayIndex);
    return deleted;
}

QList<QDate> MenuStore::daysWithMenus(QDate from, QDate until)
{
    engine::Recordset days = m_database.OpenRecordset(
        QStringLiteral("select menudate from mymenus where menudate >= ? and menudate < ? order by menudate"),
        {engine::Value(from), engine::Value(until)});
    QList<QDate> found;
    for (; !days.isEOF(); days.MoveNext()) {
        const engine::Value day = days.Fields(kDay);
        if (!day.isNull())
            found.append(day.toDate());
    }
    days.Close();
    return found;
}

} // namespace pantrova
