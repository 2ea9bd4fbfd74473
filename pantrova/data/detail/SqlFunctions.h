#pragma once

#include <QString>

struct sqlite3;

namespace engine::detail {

// Our own orderings of text, applied by the engine's statements only (stored files declare the
// standard NOCASE, so any tool can read them): PV_ORDER for ORDER BY (case and accents ignored,
// then accents, then the exact text), PV_TEXT for comparisons in WHERE (case ignored).
inline constexpr const char* kOrderCollation = "PV_ORDER";
inline constexpr const char* kTextCollation = "PV_TEXT";

// Registers on a connection what the program's SQL dialect needs from the store:
// - the collations PV_ORDER and PV_TEXT above, and UNICASE, the one files of the first layout
//   declared (case folded, other letters by code), so their indexes read right until upgraded;
// - pv_str, pv_strdate, pv_isnull, pv_isnumeric, pv_format: the legacy str, isnull, isnumeric and
//   Format functions, which the dialect translator renames to these.
void registerDialect(sqlite3* db);

// PV_ORDER as a plain function, for callers that sort in memory the way the engine's statements do.
int compareText(const QString& a, const QString& b);

} // namespace engine::detail
