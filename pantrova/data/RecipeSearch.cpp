#include "RecipeSearch.h"

#include "EngineError.h"
#include "detail/DatabaseState.h"
#include "detail/SearchIndex.h"
#include "detail/SearchWords.h"
#include "detail/SqlFunctions.h"
#include "detail/Statement.h"

#include <QSet>

#include <sqlite3.h>

#include <algorithm>

namespace engine {

using detail::DatabaseState;
using detail::Statement;
namespace SearchIndex = detail::SearchIndex;

namespace {

// The field weights of the ranking: name, description, ingredients, instructions.
const char* const kRank = "pv_rank(pv_recipe_text, 8.0, 3.0, 4.0, 1.0)";

const char* const kIdentity = "SELECT Name, category_code, groupnum FROM recipes WHERE rowid = ?1";

// Marks the module puts around found words in names and excerpts; no recipe text holds them.
constexpr char16_t kMarkStart = u'\x02';
constexpr char16_t kMarkEnd = u'\x03';

// Words of context an excerpt shows.
constexpr int kExcerptWords = 14;

// Makes sure the index is there and in step before the first search on this connection. False
// when the cookbook cannot be searched.
bool prepare(DatabaseState& db, const RecipeSearch::Progress& progress)
{
    if (db.searchIndexReady)
        return true;
    if (!SearchIndex::hasRecipes(db.db, db.path))
        return false;
    const bool readOnly = sqlite3_db_readonly(db.db, "main") == 1;
    const SearchIndex::Shape shape = SearchIndex::shapeOf(db.db, db.path);
    if (shape == SearchIndex::Shape::Current && (readOnly || SearchIndex::isInStep(db.db, db.path))) {
        db.searchIndexReady = true;
        return true;
    }
    if (readOnly)
        return false;
    SearchIndex::build(db.db, db.path, progress);
    db.forgetSchema();
    db.searchIndexReady = true;
    return true;
}

// What identifies a recipe to the windows, read from its row; false when the row is gone.
bool readIdentity(Statement& identity, qint64 row, FoundRecipe& found)
{
    identity.reset();
    identity.bind(1, Value(row));
    found.row = row;
    if (!identity.step())
        return false;
    found.name = identity.column(0).toText();
    found.number = qint32(identity.column(1).toLong());
    found.group = qint16(identity.column(2).toLong());
    return true;
}

MarkedText marked(const QString& raw)
{
    MarkedText result;
    result.text.reserve(raw.size());
    qsizetype start = -1;
    bool blank = false;
    bool lineBreak = false;
    auto flushBlank = [&] {
        if (blank && !result.text.isEmpty())
            result.text += lineBreak ? QStringLiteral(" \u00b7 ") : QStringLiteral(" ");
        blank = lineBreak = false;
    };
    for (const QChar c : raw) {
        if (c == kMarkStart) {
            flushBlank();
            start = result.text.size();
        } else if (c == kMarkEnd) {
            if (start >= 0 && result.text.size() > start)
                result.marks.append({start, result.text.size() - start});
            start = -1;
        } else if (c.isSpace()) {
            blank = true;
            lineBreak = lineBreak || c == u'\n' || c == u'\r';
        } else {
            flushBlank();
            result.text += c;
        }
    }
    return result;
}

void sortFound(QList<FoundRecipe>& byName, QList<std::pair<double, FoundRecipe>>& others)
{
    auto nameOrder = [](const FoundRecipe& a, const FoundRecipe& b) {
        const int c = detail::compareText(a.name, b.name);
        return c != 0 ? c < 0 : a.number < b.number;
    };
    std::sort(byName.begin(), byName.end(), nameOrder);
    std::stable_sort(others.begin(), others.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : nameOrder(a.second, b.second);
    });
}

RecipeSearch::Result query(DatabaseState& db, const QString& expression, int limit)
{
    RecipeSearch::Result result;
    result.searched = true;
    if (limit <= 0)
        return result;

    Statement identity(db.db, QString::fromLatin1(kIdentity), db.path);
    auto read = [&](qint64 row, bool byName) {
        FoundRecipe found;
        found.byName = byName;
        readIdentity(identity, row, found);
        return found;
    };

    // Name matches first: the names index finds them without walking every recipe that mentions
    // the words elsewhere.
    QList<FoundRecipe> byName;
    QSet<qint64> named;
    {
        Statement names(
            db.db,
            QStringLiteral("SELECT rowid FROM pv_recipe_names WHERE pv_recipe_names MATCH ?1 LIMIT ?2"),
            db.path);
        names.bind(1, Value(expression));
        names.bind(2, Value(limit + 1));
        while (names.step()) {
            const qint64 row = names.columnInt64(0);
            named.insert(row);
            byName.append(read(row, true));
        }
    }
    QList<std::pair<double, FoundRecipe>> others;
    if (byName.size() > limit) {
        result.more = true;
    } else {
        Statement text(
            db.db,
            QStringLiteral("SELECT rowid, %1 FROM pv_recipe_text WHERE pv_recipe_text MATCH ?1 LIMIT ?2")
                .arg(QLatin1StringView(kRank)),
            db.path);
        text.bind(1, Value(expression));
        text.bind(2, Value(limit + 1));
        int rows = 0;
        while (text.step()) {
            ++rows;
            const qint64 row = text.columnInt64(0);
            if (!named.contains(row))
                others.append({text.column(1).toDouble(), read(row, false)});
        }
        result.more = rows > limit || byName.size() + others.size() > limit;
    }
    sortFound(byName, others);
    result.recipes = byName.mid(0, limit);
    for (qsizetype i = 0; i < others.size() && result.recipes.size() < limit; ++i)
        result.recipes.append(others[i].second);
    return result;
}

} // namespace

bool RecipeSearch::hasWords(const QString& typed)
{
    return !detail::SearchWords::expression(typed).isEmpty();
}

bool RecipeSearch::needsBuilding(Database& db)
{
    DatabaseState& state = db.state();
    if (state.searchIndexReady || !SearchIndex::hasRecipes(state.db, state.path) ||
        sqlite3_db_readonly(state.db, "main") == 1)
        return false;
    return SearchIndex::shapeOf(state.db, state.path) != SearchIndex::Shape::Current ||
           !SearchIndex::isInStep(state.db, state.path);
}

RecipeSearch::Result RecipeSearch::find(Database& db, const QString& typed, int limit,
                                        const Progress& progress)
{
    DatabaseState& state = db.state();
    const QString expression = detail::SearchWords::expression(typed);
    if (!prepare(state, progress))
        return {};
    if (expression.isEmpty()) {
        Result nothing;
        nothing.searched = true;
        return nothing;
    }
    try {
        return query(state, expression, limit);
    } catch (const EngineError& e) {
        // A damaged index is built again from the recipes, once; a damaged cookbook fails as before.
        if (e.cause() != EngineError::Cause::Damaged || sqlite3_db_readonly(state.db, "main") == 1)
            throw;
        state.searchIndexReady = false;
        SearchIndex::build(state.db, state.path, progress);
        state.forgetSchema();
        state.searchIndexReady = true;
        return query(state, expression, limit);
    }
}

RecipeSearch::Excerpt RecipeSearch::excerpt(Database& db, const QString& typed, qint64 row)
{
    DatabaseState& state = db.state();
    const QString expression = detail::SearchWords::expression(typed);
    Excerpt result;
    if (expression.isEmpty() || !state.searchIndexReady)
        return result;
    QString sql = QStringLiteral("SELECT highlight(pv_recipe_text, 0, char(2), char(3))");
    for (int column = 1; column <= 3; ++column)
        sql += QStringLiteral(", snippet(pv_recipe_text, %1, char(2), char(3), '\u2026', %2)")
                   .arg(column)
                   .arg(kExcerptWords);
    sql += QStringLiteral(" FROM pv_recipe_text WHERE pv_recipe_text MATCH ?1 AND rowid = ?2");
    Statement st(state.db, sql, state.path);
    st.bind(1, Value(expression));
    st.bind(2, Value(row));
    if (!st.step())
        return result;
    result.name = marked(st.column(0).toText());
    // The field holding most of the words; on a tie the ingredients, then the description.
    const int preference[] = {2, 1, 3};
    MarkedText best;
    for (const int column : preference) {
        MarkedText candidate = marked(st.column(column).toText());
        if (candidate.marks.size() > best.marks.size())
            best = std::move(candidate);
    }
    if (best.marks.isEmpty()) {
        for (const int column : {1, 2, 3}) {
            best = marked(st.column(column).toText());
            if (!best.text.isEmpty())
                break;
        }
    }
    result.text = std::move(best);
    return result;
}

std::optional<FoundRecipe> RecipeSearch::recipeAt(Database& db, qint64 row)
{
    DatabaseState& state = db.state();
    Statement identity(state.db, QString::fromLatin1(kIdentity), state.path);
    FoundRecipe found;
    if (!readIdentity(identity, row, found))
        return std::nullopt;
    return found;
}

void RecipeSearch::build(Database& db, const Progress& progress)
{
    DatabaseState& state = db.state();
    state.searchIndexReady = false;
    SearchIndex::build(state.db, state.path, progress);
    state.forgetSchema();
    state.searchIndexReady = true;
}

} // namespace engine
