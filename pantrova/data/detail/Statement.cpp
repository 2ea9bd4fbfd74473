#include "Statement.h"

#include "../EngineError.h"

#include <sqlite3.h>

namespace engine::detail {

QString quotedName(const QString& name)
{
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

StoredKind storedKindOf(const QString& declType)
{
    const QString t = declType.toUpper();
    if (t.isEmpty())
        return StoredKind::Plain;
    if (t.startsWith(u"BOOL") || t == u"YESNO" || t == u"BIT")
        return StoredKind::Boolean;
    if (t.startsWith(u"DATE") || t.startsWith(u"TIME"))
        return StoredKind::Date;
    if (t.contains(u"INT") || t == u"LONG" || t == u"SHORT")
        return StoredKind::Whole;
    if (t.contains(u"DOUB") || t.contains(u"REAL") || t.contains(u"FLOA"))
        return StoredKind::Real;
    if (t.contains(u"TEXT") || t.contains(u"CHAR") || t.contains(u"MEMO") || t.contains(u"CLOB"))
        return StoredKind::Text;
    return StoredKind::Plain;
}

Statement::Statement(sqlite3* db, const QString& sql, const QString& fileForErrors)
    : m_db(db), m_sql(sql), m_file(fileForErrors)
{
    if (!m_db)
        throw EngineError(m_file, m_sql, QStringLiteral("The database is not open."));
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
        const int code = sqlite3_extended_errcode(m_db);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw EngineError(m_file, m_sql, reason, EngineError::causeOfSqlite(code));
    }
    if (!m_stmt)
        throw EngineError(m_file, m_sql, QStringLiteral("The statement is empty."));
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::fail(const QString& reason, int resultCode) const
{
    throw EngineError(m_file, m_sql, reason, EngineError::causeOfSqlite(resultCode));
}

int Statement::parameterCount() const
{
    return sqlite3_bind_parameter_count(m_stmt);
}

void Statement::bind(int index, const Value& value)
{
    int rc = SQLITE_OK;
    switch (value.type()) {
    case Value::Type::Null:
        rc = sqlite3_bind_null(m_stmt, index);
        break;
    case Value::Type::Boolean:
        rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? 1 : 0);
        break;
    case Value::Type::Integer:
        rc = sqlite3_bind_int64(m_stmt, index, value.toLong());
        break;
    case Value::Type::Double:
    case Value::Type::Date:
        rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    case Value::Type::Text: {
        const QByteArray utf8 = value.toText().toUtf8();
        rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)), rc);
}

void Statement::bindAll(const QList<Value>& values)
{
    if (values.size() != parameterCount())
        fail(QStringLiteral("The statement expects %1 values but was given %2.")
                 .arg(parameterCount())
                 .arg(values.size()),
             SQLITE_MISUSE);
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
    const int code = sqlite3_extended_errcode(m_db);
    sqlite3_reset(m_stmt);
    fail(reason, code ? code : rc);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::columnDeclType(int i) const
{
    const char* t = sqlite3_column_decltype(m_stmt, i);
    return t ? QString::fromUtf8(t) : QString();
}

qint64 Statement::columnInt64(int i) const
{
    return sqlite3_column_int64(m_stmt, i);
}

int Statement::shapeGeneration() const
{
    return sqlite3_stmt_status(m_stmt, SQLITE_STMTSTATUS_REPREPARE, 0);
}

StoredKind Statement::kindOf(int i) const
{
    const int generation = shapeGeneration();
    if (generation != m_kindsGeneration || m_kinds.size() != size_t(columnCount())) {
        const int n = columnCount();
        m_kinds.clear();
        m_kinds.reserve(size_t(n));
        for (int c = 0; c < n; ++c)
            m_kinds.push_back(storedKindOf(columnDeclType(c)));
        m_kindsGeneration = generation;
    }
    return m_kinds[size_t(i)];
}

Value Statement::column(int i) const
{
    const int type = sqlite3_column_type(m_stmt, i);
    if (type == SQLITE_NULL)
        return {};
    const StoredKind kind = kindOf(i);
    if (type == SQLITE_TEXT || type == SQLITE_BLOB) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i));
        const QString s = QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, i));
        return s;
    }
    switch (kind) {
    case StoredKind::Boolean:
        return Value(sqlite3_column_int64(m_stmt, i) != 0);
    case StoredKind::Date:
        return Value::fromAutomationDate(sqlite3_column_double(m_stmt, i));
    case StoredKind::Real:
        return Value(sqlite3_column_double(m_stmt, i));
    case StoredKind::Text:
        // A number stored in a text column reads back as the text it was.
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i)));
    case StoredKind::Whole:
    case StoredKind::Plain:
        break;
    }
    if (type == SQLITE_INTEGER)
        return Value(qint64(sqlite3_column_int64(m_stmt, i)));
    return Value(sqlite3_column_double(m_stmt, i));
}

void run(sqlite3* db, const QString& fileForErrors, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "unknown error");
        const int code = sqlite3_extended_errcode(db);
        sqlite3_free(error);
        throw EngineError(fileForErrors, sql, reason, EngineError::causeOfSqlite(code));
    }
}

} // namespace engine::detail
