#pragma once

#include "DatabaseState.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace engine::detail {

// The cursor behind a Recordset handle. See Recordset.h for the behaviour it promises.
struct RecordsetState
{
    std::shared_ptr<DatabaseState> db;
    bool open = true;
    bool tableType = false;
    bool snapshot = false; // read-only rows held in memory (joins, grouping)
    QString sql;           // as the caller wrote it, for messages
    QString table;         // the one table rows come from
    QString selectList;    // columns read for the current row
    QString rest;          // translated WHERE/ORDER BY for a SQL keyset
    QList<Value> params;

    std::vector<qint64> keys;  // row identities in order
    std::vector<char> deleted; // parallel to keys
    qsizetype pos = -1;        // -1 before the first row, keys.size() after the last
    int liveCount = 0;

    // Current row cache.
    qint64 cachedKey = 0;
    bool cacheValid = false;
    QStringList names;
    QHash<QString, int> nameIndex; // lower-case name -> column
    QList<Value> values;
    std::unique_ptr<Statement> rowStatement;
    quint64 columnsSchemaGeneration = 0; // the database's schema generation the names were read at
    int columnsShapeGeneration = 0;      // the row statement's shape the names were read at

    // Snapshot rows.
    std::vector<QList<Value>> rows;

    // Table-type index.
    QString indexName;
    QStringList indexColumns;
    bool noMatch = false;

    // Editing.
    enum class Mode { None, Adding, Editing } mode = Mode::None;
    QList<QPair<QString, Value>> pending;

    void requireOpen() const;
    void loadKeys();
    void loadColumns();
    void readColumnNames();
    bool atRow() const { return pos >= 0 && pos < qsizetype(keys.size()); }
    void readCurrent();
    qsizetype positionOf(qint64 key) const;
    void release();
};

} // namespace engine::detail
