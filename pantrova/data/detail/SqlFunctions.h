#pragma once

#include <QString>

struct sqlite3;

namespace engine::detail {

// Registers on a connection what the program's SQL dialect needs from the store:
// - the collation UNICASE: text compares without regard to letter case (also beyond ASCII, so é
//   equals É), digits before letters; text columns are declared with it, so where and order by agree;
// - pv_str, pv_strdate, pv_isnull, pv_isnumeric, pv_format: the legacy str, isnull, isnumeric and
//   Format functions, which the dialect translator renames to these.
void registerDialect(sqlite3* db);

// The collation as a plain function, for callers that sort in memory the same way the store does.
int compareText(const QString& a, const QString& b);

} // namespace engine::detail
