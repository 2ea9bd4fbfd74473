#include "WordLists.h"

#include "startup/Program.h"

namespace pantrova {

QString WordLists::tableName(List list)
{
    switch (list) {
    case Amount:
        return QStringLiteral("Amount");
    case Amount2:
        return QStringLiteral("Amount2");
    case Measure:
        return QStringLiteral("Measure");
    case Ingredient:
        break;
    }
    return QStringLiteral("Ingredient");
}

void WordLists::open()
{
    close();
    engine::Database db = program().Workspace().OpenDatabase(QString::fromLatin1(FileName));
    try {
        for (int i = 0; i < Count; ++i) {
            const QString name = tableName(List(i));
            engine::Recordset rs = db.OpenRecordset(name);
            rs.Index(name);
            m_sets[size_t(i)] = rs;
            const int size = db.TableDefs(name).FieldInfo(name).Size;
            m_sizes[size_t(i)] = size > 0 ? size : 255;
        }
    } catch (...) {
        for (engine::Recordset& rs : m_sets)
            rs.Close();
        db.Close();
        throw;
    }
    m_db = db;
}

void WordLists::close()
{
    for (engine::Recordset& rs : m_sets)
        rs.Close();
    if (m_db.isOpen())
        m_db.Close();
    m_db = {};
}

QStringList WordLists::words(List list)
{
    // The list in its index's order, read in one pass: the expression in the select list makes the
    // engine read every row at once rather than row by row as the table-type set would, which for a
    // list of thousands of words is the difference between a few milliseconds and tens of them.
    const QString name = tableName(list);
    engine::Recordset rs =
        m_db.OpenRecordset(QStringLiteral("select (%1) as word from %1 order by %1, rowid").arg(name));
    QStringList result;
    result.reserve(rs.RecordCount());
    for (; !rs.isEOF(); rs.MoveNext())
        result << rs.Text(QStringLiteral("word"));
    rs.Close();
    return result;
}

bool WordLists::seek(List list, const QString& word)
{
    engine::Recordset& rs = set(list);
    rs.Seek(QStringLiteral("="), word);
    return !rs.NoMatch();
}

bool WordLists::contains(List list, const QString& word)
{
    return seek(list, word);
}

bool WordLists::add(List list, const QString& word)
{
    if (seek(list, word))
        return false;
    engine::Recordset& rs = set(list);
    rs.AddNew();
    rs.SetField(tableName(list), word);
    rs.Update();
    return true;
}

std::array<bool, WordLists::Count> WordLists::addAll(const std::array<QString, Count>& words)
{
    std::array<bool, Count> added{};
    try {
        engine::Transaction t(m_db);
        for (int i = 0; i < Count; ++i)
            if (!words[size_t(i)].isEmpty())
                added[size_t(i)] = add(List(i), words[size_t(i)]);
        t.commit();
    } catch (...) {
        for (engine::Recordset& rs : m_sets)
            if (rs.isOpen() && rs.isEditing())
                rs.CancelUpdate();
        throw;
    }
    return added;
}

WordLists::Change WordLists::change(List list, const QString& word, const QString& replacement)
{
    engine::Recordset& rs = set(list);
    if (!seek(list, word))
        return Change::NotStored;
    const engine::Bookmark entry = rs.bookmark();
    if (seek(list, replacement) && rs.bookmark() != entry)
        return Change::Taken;
    rs.setBookmark(entry);
    try {
        rs.Edit();
        rs.SetField(tableName(list), replacement);
        rs.Update();
    } catch (...) {
        if (rs.isEditing())
            rs.CancelUpdate();
        throw;
    }
    return Change::Done;
}

bool WordLists::remove(List list, const QString& word)
{
    if (!seek(list, word))
        return false;
    set(list).Delete();
    return true;
}

} // namespace pantrova
