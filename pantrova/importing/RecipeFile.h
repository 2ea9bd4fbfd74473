#pragma once

#include "ImportedRecipe.h"

#include <QString>

namespace pantrova::importing {

// What kind of recipe file a file is.
enum class RecipeFileKind { MealMaster, WebPage };

// Reads one recipe file from disk: its text (see recipeText), then the recipes in it, by the kind
// its name suggests (".html" and ".htm" are web pages; ".mmf", ".mm" and ".txt" MealMaster files)
// or, for other names, by what it holds. A file that cannot be read, is too large to be a recipe
// file, or holds no recipe becomes one skipped entry at line 0 saying why.
ParsedFile readRecipeFile(const QString& path, RecipeFileKind* kind = nullptr);

// The largest file taken as a recipe file.
constexpr qint64 MaxRecipeFileSize = 256LL * 1024 * 1024;

} // namespace pantrova::importing
