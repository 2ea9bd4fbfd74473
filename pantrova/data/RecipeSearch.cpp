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

// Words an excerpt shows, and how many of them come before the first word found.
constexpr int kExcerptWords = 14;
constexpr int kWordsBefore = 3;

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

using Spans = QList<std::pair<qsizetype, qsizetype>>;

// The part of `text` from word `first` up to (not including) word `last`, with "…" where text is
// left out, line breaks as " · " and other runs of blanks as one blank; the spans follow.
MarkedText cut(const QString& text, const QList<detail::SearchWords::Word>& words, qsizetype first,
               qsizetype last, const Spans& spans)
{
    MarkedText result;
    if (words.isEmpty() || first >= last)
        return result;
    // Punctuation before the first word and after the last belongs to the excerpt when nothing is left out
    // there.
    const qsizetype from = first == 0 ? 0 : words[first].start;
    const qsizetype to = last == words.size() ? text.size() : words[last - 1].start + words[last - 1].length;
    // Where each character of the text lands in the excerpt.
    QList<qsizetype> place(to - from + 1, 0);
    if (first > 0)
        result.text += QStringLiteral("\u2026 ");
    const qsizetype opening = result.text.size();
    bool blank = false, lineBreak = false;
    for (qsizetype i = from; i < to; ++i) {
        const QChar c = text[i];
        if (c.isSpace()) {
            blank = true;
            lineBreak = lineBreak || c == u'\n' || c == u'\r';
        } else {
            if (blank && result.text.size() > opening)
                result.text += lineBreak ? QStringLiteral(" \u00b7 ") : QStringLiteral(" ");
            blank = lineBreak = false;
        }
        place[i - from] = result.text.size();
        if (!c.isSpace())
            result.text += c;
    }
    place[to - from] = result.text.size();
    for (const auto& [start, length] : spans)
        if (start >= from && start + length <= to)
            result.marks.append({place[start - from], place[start + length - from] - place[start - from]});
    if (last < words.size())
        result.text += QStringLiteral(" \u2026");
    return result;
}

// A field's excerpt: the words around the first word found, or its first words.
MarkedText excerptOf(const QString& text, const QList<detail::SearchWords::Part>& parts)
{
    const QList<detail::SearchWords::Word> words = detail::SearchWords::split(text);
    const Spans spans = detail::SearchWords::locate(parts, words);
    qsizetype first = 0;
    if (!spans.isEmpty()) {
        while (first < words.size() && words[first].start < spans.first().first)
            ++first;
        // A few words before the first found, and a full excerpt's worth when the text ends soon after.
        first = std::max<qsizetype>(0, std::min(first - kWordsBefore, words.size() - kExcerptWords));
    }
    return cut(text, words, first, std::min<qsizetype>(words.size(), first + kExcerptWords), spans);
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
    // Read from the recipe itself, not the index: one row, marked in memory, costs far less than
    // asking the index where the words stand (which reads every recipe holding a word beginning).
    DatabaseState& state = db.state();
    Statement st(
        state.db,
        QStringLiteral("SELECT Name, Description, Ingrediants, Instructions FROM recipes WHERE rowid = ?1"),
        state.path);
    st.bind(1, Value(row));
    Excerpt result;
    if (!st.step())
        return result;
    const QList<detail::SearchWords::Part> parts = detail::SearchWords::parse(typed);
    const QString name = st.column(0).toText();
    result.name.text = name;
    result.name.marks = detail::SearchWords::locate(parts, detail::SearchWords::split(name));
    // The field holding most of the words; on a tie the ingredients, then the description.
    for (const int column : {2, 1, 3}) {
        MarkedText candidate = excerptOf(st.column(column).toText(), parts);
        if (candidate.marks.size() > result.text.marks.size())
            result.text = std::move(candidate);
    }
    // Only the name holds the words: the start of the description, else of the other fields.
    if (result.text.marks.isEmpty())
        for (const int column : {1, 2, 3}) {
            result.text = excerptOf(st.column(column).toText(), {});
            if (!result.text.text.isEmpty())
                break;
        }
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
