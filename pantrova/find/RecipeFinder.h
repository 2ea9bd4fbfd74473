#pragma once

#include "data/RecipeSearch.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace pantrova {

// A recipe the find window lists: where it is (cookbook, section, group) and what it is called.
struct FoundEntry
{
    QString cookbookFile; // as the catalogue and CurDB name it ("recipe20.mdb")
    QString cookbookName; // its display name
    engine::FoundRecipe recipe;
    quint8 section = 0;
    QString sectionName;
    QString groupName;
    // Filled when the search ran, for recipes of cookbooks that are not open (they are closed
    // again at once); read on demand for the open cookbook's.
    std::optional<engine::RecipeSearch::Excerpt> excerpt;

    // The name as the main window lists it: "Soup - 2" for numbers above 1.
    QString displayName() const;
};

// The find window's searches: the open cookbook, or every cookbook of the catalogue, one list.
//
// Recipes whose names hold every word come first (the open cookbook's before the others'); then
// the rest. At most `kMostListed` are listed. Other cookbooks are opened only for the search and
// closed again, so the cookbook manager finds none of them in use. A cookbook that cannot be
// searched (missing, damaged, of the old format, read-only without an index) is named in
// `unsearched`. Used from the user-interface thread only.
class RecipeFinder
{
public:
    static constexpr int kMostListed = 200;

    // Told which cookbook's index is being built, how far it is, and how far it has to go.
    using Progress = std::function<void(const QString& cookbookName, int done, int total)>;

    struct Outcome
    {
        QList<FoundEntry> entries;
        bool more = false;
        QStringList unsearched; // display names
    };

    static Outcome find(const QString& typed, bool allCookbooks, const Progress& progress = {});

    // The excerpt of an entry of the open cookbook (or the one found with it); empty when the
    // recipe no longer holds the words or its cookbook is no longer open.
    static engine::RecipeSearch::Excerpt excerpt(const FoundEntry& entry, const QString& typed);

    // The section a group belongs to; 0 when the cookbook has no such group.
    static quint8 sectionOf(engine::Database& db, qint16 group);

    // Whether the entry is in the cookbook the main window has open.
    static bool inOpenCookbook(const FoundEntry& entry);
};

} // namespace pantrova
