#pragma once

#include <QString>

#include <functional>

struct sqlite3;

namespace engine::detail {

// The full-text index of a cookbook's recipes, stored in the cookbook file itself.
//
// Two tables of the store's own full-text module index the `recipes` table without copying its
// text ("external content"): pv_recipe_text over the name, description, ingredients and
// instructions, and pv_recipe_names over the name alone, which finds name matches without walking
// every recipe that merely mentions the words. Words are folded the store's standard way
// (unicode61, case and accents removed), so any SQLite build with the module reads and updates the
// file, and no function of ours is needed to keep it right.
//
// Three triggers on `recipes` keep both tables in step with every insert, delete and change of
// text, whoever makes it: the editor's saves, deletes, moves between groups (which change no
// text, so cost nothing), conversion, imports and copies between files. Compaction copies the file
// page by page with the row numbers kept, which is what the index refers to.
//
// Invariants: the index is either absent, or whole (both tables, their storage tables and the three
// triggers, each exactly as this program writes them) and in step with `recipes`. Anything else
// is unsound and is taken down, to be built again on first use.
namespace SearchIndex {

inline constexpr const char* kTextTable = "pv_recipe_text";
inline constexpr const char* kNamesTable = "pv_recipe_names";

enum class Shape {
    Absent,  // no trace of the index
    Current, // everything present, exactly as written by this program
    Unsound, // partly there, or written differently (by another version, or damaged)
};

// Whether the file has a `recipes` table to index (cookbooks of the old format have none).
bool hasRecipes(sqlite3* db, const QString& path);

// What sqlite_master holds of the index. Cheap: reads the schema only.
Shape shapeOf(sqlite3* db, const QString& path);

// Whether the index lists exactly the recipes there are (counts and highest row numbers agree).
// Reads two small storage tables and the smallest index of `recipes`: a few milliseconds for
// 100,000 recipes.
bool isInStep(sqlite3* db, const QString& path);

// Takes down every part of the index that is there, even when parts are missing or damaged. Runs
// inside the caller's transaction.
void drop(sqlite3* db, const QString& path);

// Called with the number of recipes indexed so far and the number there are.
using Progress = std::function<void(int done, int total)>;

// Builds the index afresh in one transaction (taking down what was there), reporting progress
// between batches of recipes. Throws EngineError, leaving the file as it was, when it fails.
void build(sqlite3* db, const QString& path, const Progress& progress);

// Part of bringing a file up to date on opening: an unsound index is taken down (in its own
// transaction), so that it is never read or updated in a state this program did not make.
// Read-only files are left alone. Throws EngineError when the repair fails.
void repairOnOpening(sqlite3* db, const QString& path);

// Registers on a connection the ranking function the searches use: pv_rank(table, weight...)
// gives each found recipe the sum, over the words searched for, of the weights of the fields
// holding that word.
void registerFunctions(sqlite3* db);

} // namespace SearchIndex

} // namespace engine::detail
