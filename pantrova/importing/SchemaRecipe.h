#pragma once

#include "ImportedRecipe.h"

#include <QJsonValue>

namespace pantrova::importing {

// The recipes of one JSON-LD document in the schema.org vocabulary: a Recipe object, a list of
// them, a "@graph", or Recipes held by other objects (a page's "mainEntity"). Each becomes an
// ImportedRecipe starting at `line`.
//
// Fields read: name (or headline), description, recipeIngredient (or the older ingredients),
// recipeInstructions as text, a list of texts, HowToStep, HowToSection and ItemList objects,
// recipeYield, recipeCategory, image, and from nutrition the calories and the masses of fat,
// saturated fat, cholesterol, sodium, carbohydrate, fiber, sugar and protein (into c1 and the G
// figures, in grams). Texts lose any markup and entities left in them.
//
// The walk goes no deeper than a fixed depth, so a document nested without end costs no more than
// one of that depth.
void collectSchemaRecipes(const QJsonValue& document, int line, QList<ImportedRecipe>& out);

// One Recipe object.
ImportedRecipe schemaRecipe(const QJsonObject& recipe, int line);

} // namespace pantrova::importing
