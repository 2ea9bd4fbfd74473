#pragma once

#include "ImportedRecipe.h"

#include <QStringView>

namespace pantrova::importing {

// Reads the MealMaster text format: any number of recipes in one file, each opening with a header
// line ("MMMMM----- Recipe via ..." or "---------- Recipe via ...") and closing with "MMMMM" or
// "-----" on a line of its own. Whatever lies between recipes (mail headers, notes, damaged
// recipes) is passed over.
//
// A recipe holds the fields "Title:", "Categories:" and "Yield:" (or "Servings:"), then its
// ingredients in fixed columns (amount in columns 1-7, unit code in 9-10, text from 12; a second
// column of the same shape from column 41), lines beginning with "-" in the text column that
// continue the ingredient above, headings such as "MMMMM-----FILLING-----" that divide the list,
// and then the directions. Unit codes are written out ("ts" becomes "tsp"). A two-column block is
// read down its left column, then down its right one.
//
// Every line is looked at a fixed number of times, so the work grows with the size of the file
// whatever it holds.
ParsedFile parseMealMaster(QStringView text);

// Whether the text holds at least one MealMaster header line.
bool looksLikeMealMaster(QStringView text);

} // namespace pantrova::importing
