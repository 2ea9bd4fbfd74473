#include "Recordset.h"

#include "EngineError.h"
#include "detail/FieldValues.h"
#include "detail/RecordsetState.h"
#include "detail/SqlFunctions.h"

#include <sqlite3.h>

#include <algorithm>

namespace engine {

using detail::RecordsetState;
using detail::Statement;

namespace detail {

void RecordsetState::requireOpen() const
{
    if (!open || !db || !db->isOpen())
        throw EngineError(db ? db->path : QString(), sql, QStringLiteral("The recordset is closed."));
}

void RecordsetState::loadKeys()
{
    keys.clear();
    deleted.clear();
    if (snapshot) {
        keys.resize(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            keys[i] = qint64(i);
    } else {
        QString query;
        if (tableType) {
            QStringList order;
            for (const QString& c : indexColumns)
                order.append(db->orderedColumn(table, c, kOrderCollation));
            order.append(QStringLiteral("rowid"));
            query =
                QStringLiteral("SELECT rowid FROM %1 ORDER BY %2").arg(quotedName(table), order.join(u", "));
        } else {
            query = QStringLiteral("SELECT %1.rowid FROM %1 %2").arg(quotedName(table), rest);
        }
        Statement st(db->db, query, db->path);
        st.bindAll(tableType ? QList<Value>() : params);
        while (st.step())
            keys.push_back(st.columnInt64(0));
    }
    deleted.assign(keys.size(), 0);
    liveCount = int(keys.size());
    cacheValid = false;
}

void RecordsetState::loadColumns()
{
    // A field added through this database since the names were read: prepare the row read anew.
    if (rowStatement && columnsSchemaGeneration == db->schemaGeneration())
        return;
    rowStatement = std::make_unique<Statement>(
        db->db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selectList, quotedName(table)),
        db->path);
    columnsSchemaGeneration = db->schemaGeneration();
    readColumnNames();
}

void RecordsetState::readColumnNames()
{
    names.clear();
    nameIndex.clear();
    for (int i = 0; i < rowStatement->columnCount(); ++i) {
        names.append(rowStatement->columnName(i));
        nameIndex.insert(names.last().toLower(), i);
    }
    columnsShapeGeneration = rowStatement->shapeGeneration();
}

void RecordsetState::readCurrent()
{
    requireOpen();
    if (!atRow() || deleted[size_t(pos)])
        throw EngineError(db->path, sql, QStringLiteral("No current record."));
    const qint64 key = keys[size_t(pos)];
    if (cacheValid && cachedKey == key && (snapshot || columnsSchemaGeneration == db->schemaGeneration()))
        return;
    if (snapshot) {
        values = rows[size_t(key)];
    } else {
        loadColumns();
        rowStatement->reset();
        rowStatement->bind(1, Value(key));
        if (!rowStatement->step()) {
            rowStatement->reset();
            throw EngineError(db->path, sql, QStringLiteral("Record is deleted."));
        }
        if (rowStatement->shapeGeneration() != columnsShapeGeneration) {
            // Another connection changed the table: its columns are what the statement reads now.
            readColumnNames();
            db->forgetSchema();
            columnsSchemaGeneration = db->schemaGeneration();
        }
        values.clear();
        for (int i = 0; i < rowStatement->columnCount(); ++i)
            values.append(rowStatement->column(i));
        rowStatement->reset();
    }
    cachedKey = key;
    cacheValid = true;
}

qsizetype RecordsetState::positionOf(qint64 key) const
{
    const auto it = std::find(keys.begin(), keys.end(), key);
    return it == keys.end() ? -1 : qsizetype(it - keys.begin());
}

void RecordsetState::release()
{
    rowStatement.reset();
    open = false;
    cacheValid = false;
}

} // namespace detail

bool Recordset::isOpen() const
{
    return d && d->open && d->db && d->db->isOpen();
}

RecordsetState& Recordset::state() const
{
    if (!d)
        throw EngineError({}, {}, QStringLiteral("Object variable not set: the recordset was never opened."));
    d->requireOpen();
    return *d;
}

namespace {
void requireNotEditing(const RecordsetState& s)
{
    if (s.mode != RecordsetState::Mode::None)
        throw EngineError(s.db->path, s.sql,
                          QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
}

// Steps from `from` in `step` direction to the next row that was not deleted.
qsizetype liveFrom(const RecordsetState& s, qsizetype from, int step)
{
    const auto n = qsizetype(s.keys.size());
    while (from >= 0 && from < n && s.deleted[size_t(from)])
        from += step;
    return from;
}
} // namespace

void Recordset::MoveFirst()
{
    auto& s = state();
    s.mode = RecordsetState::Mode::None;
    if (s.liveCount == 0)
        throw EngineError(s.db->path, s.sql, QStringLiteral("No current record."));
    s.pos = liveFrom(s, 0, 1);
}

void Recordset::MoveLast()
{
    auto& s = state();
    s.mode = RecordsetState::Mode::None;
    if (s.liveCount == 0)
        throw EngineError(s.db->path, s.sql, QStringLiteral("No current record."));
    s.pos = liveFrom(s, qsizetype(s.keys.size()) - 1, -1);
}

void Recordset::MoveNext()
{
    auto& s = state();
    s.mode = RecordsetState::Mode::None;
    if (s.pos >= qsizetype(s.keys.size()))
        throw EngineError(s.db->path, s.sql, QStringLiteral("No current record."));
    s.pos = liveFrom(s, s.pos + 1, 1);
}

void Recordset::MovePrevious()
{
    auto& s = state();
    s.mode = RecordsetState::Mode::None;
    if (s.pos < 0)
        throw EngineError(s.db->path, s.sql, QStringLiteral("No current record."));
    s.pos = liveFrom(s, s.pos - 1, -1);
}

bool Recordset::isEOF() const
{
    const auto& s = state();
    return s.liveCount == 0 || s.pos >= qsizetype(s.keys.size());
}

bool Recordset::isBOF() const
{
    const auto& s = state();
    return s.liveCount == 0 || s.pos < 0;
}

int Recordset::RecordCount() const
{
    return state().liveCount;
}

int Recordset::AbsolutePosition() const
{
    const auto& s = state();
    if (!s.atRow())
        return -1;
    int live = 0;
    for (qsizetype i = 0; i < s.pos; ++i)
        live += s.deleted[size_t(i)] ? 0 : 1;
    return live;
}

Value Recordset::Fields(const QString& name) const
{
    auto& s = state();
    if (s.mode != RecordsetState::Mode::None) {
        for (const auto& [field, value] : s.pending)
            if (field.compare(name, Qt::CaseInsensitive) == 0)
                return value;
        if (s.mode == RecordsetState::Mode::Adding) {
            if (!s.snapshot)
                s.loadColumns();
            if (!s.nameIndex.contains(name.toLower()))
                throw EngineError(s.db->path, s.sql,
                                  QStringLiteral("Item not found in this collection: %1").arg(name));
            return {};
        }
    }
    s.readCurrent();
    const auto it = s.nameIndex.constFind(name.toLower());
    if (it == s.nameIndex.constEnd())
        throw EngineError(s.db->path, s.sql,
                          QStringLiteral("Item not found in this collection: %1").arg(name));
    return *it < s.values.size() ? s.values[*it] : Value();
}

QStringList Recordset::FieldNames() const
{
    auto& s = state();
    if (!s.snapshot)
        s.loadColumns();
    return s.names;
}

bool Recordset::HasField(const QString& name) const
{
    auto& s = state();
    if (!s.snapshot)
        s.loadColumns();
    return s.nameIndex.contains(name.toLower());
}

Bookmark Recordset::bookmark() const
{
    const auto& s = state();
    if (!s.atRow() || s.deleted[size_t(s.pos)])
        throw EngineError(s.db->path, s.sql, QStringLiteral("No current record."));
    return s.keys[size_t(s.pos)];
}

void Recordset::setBookmark(Bookmark mark)
{
    auto& s = state();
    const qsizetype p = s.positionOf(mark);
    if (p < 0 || s.deleted[size_t(p)])
        throw EngineError(s.db->path, s.sql, QStringLiteral("Not a valid bookmark."));
    s.mode = RecordsetState::Mode::None;
    s.pos = p;
}

void Recordset::Index(const QString& indexName)
{
    auto& s = state();
    if (!s.tableType)
        throw EngineError(s.db->path, s.sql,
                          QStringLiteral("Operation is not supported for this type of object."));
    s.indexColumns = s.db->indexColumns(s.table, indexName);
    s.indexName = indexName;
    s.loadKeys();
    s.pos = s.liveCount > 0 ? liveFrom(s, 0, 1) : 0;
}

QString Recordset::Index() const
{
    return state().indexName;
}

void Recordset::Seek(const QString& comparison, const Value& key)
{
    auto& s = state();
    if (!s.tableType || s.indexColumns.isEmpty())
        throw EngineError(s.db->path, s.sql,
                          QStringLiteral("Operation is not supported without a current index."));
    static const QStringList comparisons = {QStringLiteral("="), QStringLiteral(">="), QStringLiteral(">"),
                                            QStringLiteral("<="), QStringLiteral("<")};
    if (!comparisons.contains(comparison))
        throw EngineError(s.db->path, s.sql,
                          QStringLiteral("Invalid comparison '%1' for Seek.").arg(comparison));
    s.mode = RecordsetState::Mode::None;
    const QString keyColumn = s.indexColumns.first();
    const bool descending = comparison.startsWith(u'<');
    Statement st(s.db->db,
                 QStringLiteral("SELECT rowid FROM %1 WHERE %2 %3 ? ORDER BY %4 %5, rowid %5 LIMIT 1")
                     .arg(detail::quotedName(s.table),
                          s.db->orderedColumn(s.table, keyColumn, detail::kTextCollation), comparison,
                          s.db->orderedColumn(s.table, keyColumn, detail::kOrderCollation),
                          descending ? QStringLiteral("DESC") : QStringLiteral("ASC")),
                 s.db->path);
    st.bind(1, key);
    s.noMatch = true;
    if (st.step()) {
        const qsizetype p = s.positionOf(st.columnInt64(0));
        if (p >= 0 && !s.deleted[size_t(p)]) {
            s.pos = p;
            s.noMatch = false;
        }
    }
}

bool Recordset::NoMatch() const
{
    return state().noMatch;
}

void Recordset::AddNew()
{
    auto& s = state();
    if (s.snapshot)
        throw EngineError(s.db->path, s.sql, QStringLiteral("Database or object is read-only."));
    s.mode = RecordsetState::Mode::Adding;
    s.pending.clear();
}

void Recordset::Edit()
{
    auto& s = state();
    if (s.snapshot)
        throw EngineError(s.db->path, s.sql, QStringLiteral("Database or object is read-only."));
    s.readCurrent();
    s.mode = RecordsetState::Mode::Editing;
    s.pending.clear();
}

void Recordset::SetField(const QString& name, const Value& value)
{
    auto& s = state();
    if (s.mode == RecordsetState::Mode::None)
        throw EngineError(s.db->path, s.sql,
                          QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    // Fields are checked against the table, so a mistyped name fails here and not at Update.
    const QList<detail::ColumnInfo>& cols = s.db->columns(s.table);
    const auto col = std::find_if(cols.begin(), cols.end(), [&](const detail::ColumnInfo& c) {
        return c.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (col == cols.end())
        throw EngineError(s.db->path, s.sql,
                          QStringLiteral("Item not found in this collection: %1").arg(name));

    const detail::FieldValue fitted = detail::valueForField(col->declType, value);
    if (!fitted.refusal.isEmpty())
        throw EngineError(
            s.db->path, s.sql,
            QStringLiteral("Data type conversion error: %1 for field %2.").arg(fitted.refusal, col->name),
            EngineError::Cause::BadValue);
    const Value& stored = fitted.stored;
    for (auto& [field, pendingValue] : s.pending) {
        if (field.compare(col->name, Qt::CaseInsensitive) == 0) {
            pendingValue = stored;
            return;
        }
    }
    s.pending.append({col->name, stored});
}

void Recordset::Update()
{
    auto& s = state();
    if (s.mode == RecordsetState::Mode::None)
        throw EngineError(s.db->path, s.sql,
                          QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    QStringList names;
    QList<Value> values;
    for (const auto& [field, value] : s.pending) {
        names.append(detail::quotedName(field));
        values.append(value);
    }
    qint64 key = 0;
    if (s.mode == RecordsetState::Mode::Adding) {
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(detail::quotedName(s.table));
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < names.size(); ++i)
                marks.append(QStringLiteral("?"));
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(detail::quotedName(s.table), names.join(u", "), marks.join(u", "));
        }
        Statement st(s.db->db, sql, s.db->path);
        st.bindAll(values);
        st.step();
        key = sqlite3_last_insert_rowid(s.db->db);
    } else {
        key = s.keys[size_t(s.pos)];
        if (!names.isEmpty()) {
            QStringList sets;
            for (const QString& n : names)
                sets.append(n + QStringLiteral(" = ?"));
            Statement st(s.db->db,
                         QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                             .arg(detail::quotedName(s.table), sets.join(u", ")),
                         s.db->path);
            values.append(Value(key));
            st.bindAll(values);
            st.step();
        }
    }
    const bool added = s.mode == RecordsetState::Mode::Adding;
    s.mode = RecordsetState::Mode::None;
    s.pending.clear();
    s.cacheValid = false;
    if (s.tableType) {
        // A table-type set follows its index: read the order again and stay on the row.
        s.loadKeys();
        s.pos = s.positionOf(key);
    } else if (added) {
        s.keys.push_back(key);
        s.deleted.push_back(0);
        ++s.liveCount;
        s.pos = qsizetype(s.keys.size()) - 1;
    }
}

void Recordset::CancelUpdate()
{
    auto& s = state();
    s.mode = RecordsetState::Mode::None;
    s.pending.clear();
}

bool Recordset::isEditing() const
{
    return state().mode != RecordsetState::Mode::None;
}

void Recordset::Delete()
{
    auto& s = state();
    requireNotEditing(s);
    if (s.snapshot)
        throw EngineError(s.db->path, s.sql, QStringLiteral("Database or object is read-only."));
    if (!s.atRow() || s.deleted[size_t(s.pos)])
        throw EngineError(s.db->path, s.sql, QStringLiteral("No current record."));
    Statement st(s.db->db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(detail::quotedName(s.table)),
                 s.db->path);
    st.bind(1, Value(s.keys[size_t(s.pos)]));
    st.step();
    s.deleted[size_t(s.pos)] = 1;
    --s.liveCount;
    s.cacheValid = false;
}

void Recordset::Close()
{
    if (d)
        d->release();
}

} // namespace engine
