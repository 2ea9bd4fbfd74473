#pragma once

#include <QSet>
#include <QString>

namespace engine::detail {

// Translates the program's legacy SQL dialect into SQLite's.
//
// - isnull, isnumeric, str and Format become the registered pv_ functions (ISNULL is an operator
//   keyword in SQLite, so the names cannot be kept); str() of a date column becomes pv_strdate so a
//   date reads as its date text, not as a day count.
// - Inside ORDER BY, "+" joins text ("||") and every term sorts with our ordering (PV_ORDER).
// - Inside WHERE, ON and HAVING, every text column compares with our comparison (PV_TEXT), so
//   the file's declared collation (the standard NOCASE) never decides what a statement finds.
// - #M/d/yyyy# date literals become automation-date numbers.
// Quoted literals, bracketed names and "?" parameters pass through untouched.
class SqlDialect
{
public:
    // `dateColumns`, `textColumns`: lower-case names of the database's date and text columns.
    static QString translate(const QString& sql, const QSet<QString>& dateColumns = {},
                             const QSet<QString>& textColumns = {});
};

// The parts of "SELECT list FROM table [WHERE ...] [ORDER BY ...]" over a single table, the shape
// every updatable recordset of the program has. `ok` is false for anything else (joins, grouping,
// functions in the select list), which then opens as a read-only snapshot.
struct SingleTableSelect
{
    bool ok = false;
    QString selectList; // "*" or a column list
    QString table;      // without brackets
    QString rest;       // "WHERE ... ORDER BY ..." or empty
};
SingleTableSelect parseSingleTableSelect(const QString& translatedSql);

// "INSERT INTO [file].table SELECT ..." or "INSERT INTO table SELECT ...".
struct InsertSelect
{
    bool ok = false;
    QString file; // empty when the target is in the same database
    QString table;
    QString select;
};
InsertSelect parseInsertSelect(const QString& sql);

} // namespace engine::detail
