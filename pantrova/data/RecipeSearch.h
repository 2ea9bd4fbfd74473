#pragma once

#include "Database.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace engine {

// Text with the spans where the words searched for stand.
struct MarkedText
{
    QString text;
    QList<std::pair<qsizetype, qsizetype>> marks; // start and length of each span, in order
};

// A recipe a search found: the row it is stored in, what identifies it to the windows, and whether
// every word searched for is in its name.
struct FoundRecipe
{
    qint64 row = 0;
    QString name;
    qint32 number = 0; // category_code
    qint16 group = 0;  // groupnum
    bool byName = false;
};

// Finding the recipes of a cookbook by the words of their names, descriptions, ingredients and
// instructions.
//
// Words match without regard to case or accents, each as the beginning of a word; text in double
// quotes matches as a phrase; every word must match (see detail/SearchWords.h). The recipes whose
// names hold every word come first, in name order; the others follow, those holding the words in
// their names and ingredients before those holding them only in their instructions.
//
// The search reads a full-text index kept inside the cookbook file (see detail/SearchIndex.h). A
// cookbook that has none yet, or whose index is unsound or out of step, gets one built on its first
// search, reporting progress; an index found damaged while searching is built again once. Used from
// the user-interface thread only.
class RecipeSearch
{
public:
    // Called with the number of recipes indexed so far and the number there are.
    using Progress = std::function<void(int done, int total)>;

    struct Result
    {
        QList<FoundRecipe> recipes;
        bool more = false;     // more recipes match than were listed
        bool searched = false; // false when the cookbook holds no recipes table, or cannot be given an
                               // index (a read-only file without one)
    };

    // Whether the typed text holds anything to search for.
    static bool hasWords(const QString& typed);

    // Whether the next search must first build the index (and will report progress).
    static bool needsBuilding(Database& db);

    // Lists at most `limit` recipes holding the typed words.
    static Result find(Database& db, const QString& typed, int limit, const Progress& progress = {});

    // Where the words stand in a recipe: its name with the words marked, and some fourteen words
    // around the first of them from its ingredients, description or instructions (whichever holds
    // most of them; the start of the description when only the name does), with "…" where text is
    // left out, line breaks as " · " and runs of blanks as one blank. Empty when the row is gone.
    struct Excerpt
    {
        MarkedText name;
        MarkedText text;
    };
    static Excerpt excerpt(Database& db, const QString& typed, qint64 row);

    // The recipe stored in a found row now (it may have been renamed or moved since it was found);
    // nothing when the row is gone.
    static std::optional<FoundRecipe> recipeAt(Database& db, qint64 row);

    // Builds the index afresh (as a first search would when it is missing).
    static void build(Database& db, const Progress& progress = {});
};

} // namespace engine
