#pragma once

#include <QString>
#include <QStringList>

// Writes synthetic cookbooks for benchmarks and tests.
//
// A generated cookbook starts as a copy of the template cookbook and gets `recipeCount` recipes:
// `firstGroupCount` of them in group 1 of section 1 (the group the main window opens first), the
// rest spread over the other groups. Text sizes are those of real recipes (a short description, a
// dozen ingredient lines, several paragraphs of instructions); about one name in ten repeats within
// its group, so numbered duplicates ("Soup - 2") occur; every fifth recipe refers to a picture.
struct CookbookShape
{
    int recipeCount = 1000;
    int firstGroupCount = 100;
    int sameNameInFirstGroup = 0; // this many recipes of group 1 share one name ("Chicken Soup")
    unsigned seed = 7;
};

namespace CookbookGenerator {

// Copies `templatePath` to `path` (replacing it) and fills it. Returns the number of recipes written.
int writeCookbook(const QString& templatePath, const QString& path, const CookbookShape& shape);

// Writes a cookbook in the old format: the 20 category tables with recipe fields and `pnames`.
// `tables` limits which category tables exist (empty: all 20). Each table gets `perTable` recipes
// whose names include quotation marks to clean.
void writeOldFormatCookbook(const QString& path, int perTable, const QStringList& personalNames,
                            const QStringList& tables = {});

QStringList oldCategoryTables();

// A realistic recipe name for index `i`.
QString recipeName(int i);

} // namespace CookbookGenerator
