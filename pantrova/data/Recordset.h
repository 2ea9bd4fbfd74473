#pragma once

#include "Value.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace engine {

namespace detail {
struct RecordsetState;
}

// A remembered row of a recordset (its storage identity).
using Bookmark = qint64;

// A set of rows with a current row.
//
// Opened on a SQL text it is a keyset cursor: opening runs the query once and keeps the identities
// of its rows in the query's order; a row's values are read when it becomes current, so memory
// grows with the number of rows, not their text. Opened on a table name it is table-type: rows in
// the order of the current named index (Index), found by key with Seek.
//
// Editing: AddNew or Edit, set fields, Update. After Update the row stays current. On a SQL
// recordset a new row joins the set at its end (the set is not re-sorted until it is opened
// again); on a table-type recordset it takes its place in the index order. Delete removes the
// current row; the position then sits on the gap and MoveNext goes to the row after it.
//
// RecordCount is the full number of rows at all times (a keyset knows it from the start), so both
// "above 0" tests and counts after MoveLast hold. A cheap handle; copies share one cursor.
class Recordset
{
public:
    Recordset() = default;

    bool isOpen() const;

    // Navigation.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    bool isEOF() const; // EOF itself is a C library macro
    bool isBOF() const;
    int RecordCount() const;
    int AbsolutePosition() const; // 0-based position of the current row, -1 at BOF/EOF

    // Fields of the current row.
    Value Fields(const QString& name) const;
    QString Text(const QString& name) const { return Fields(name).toText(); }
    QStringList FieldNames() const;
    bool HasField(const QString& name) const;

    Bookmark bookmark() const;
    void setBookmark(Bookmark mark);

    // Table-type only.
    void Index(const QString& indexName);
    QString Index() const;
    void Seek(const QString& comparison, const Value& key);
    bool NoMatch() const;

    // Changes.
    void AddNew();
    void Edit();
    void SetField(const QString& name, const Value& value);
    void Update();
    void CancelUpdate();
    void Delete();
    bool isEditing() const;

    void Close();

private:
    friend class Database;
    explicit Recordset(std::shared_ptr<detail::RecordsetState> s) : d(std::move(s)) {}
    detail::RecordsetState& state() const;
    std::shared_ptr<detail::RecordsetState> d;
};

} // namespace engine
