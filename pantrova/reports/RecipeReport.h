#pragma once

#include "print/Picture.h"

#include <QString>

#include <functional>

namespace engine {
class Database;
class Recordset;
class Value;
} // namespace engine
namespace print {
class Document;
}

namespace pantrova {

// The full recipe report: every row of the cookbook's `report` table in the order of its section,
// group and name joined as one text, each recipe under its section and group heading (the first of
// its group), with its title, its picture, its description, ingredients and instructions beside
// their banners, and, when asked for, its serving and nutrition figures.
//
// A recipe starts a new page when its group or section changes, when every recipe is to start on a
// new page, when it has a picture, or when less than 2000 twips remain above the middle of the page;
// otherwise it follows 2000 twips below the one before. Sizes are steps from the document's own
// font size, so every recipe starts at that size again.
//
// Works on a document and a database only, so it is built and checked without any window.
class RecipeReport
{
public:
    struct Options
    {
        bool heading = true;      // section and group headings (all scopes but the displayed recipe)
        bool servingInfo = false; // the serving block
        bool newPageSkip = true;  // every recipe on a new page
        QString exportFile;       // the HTML file to write as well; empty for none
        std::function<void()> beforeExport; // runs before the document is built when exporting
        // Loads the row's picture into the picture given; false when it cannot be loaded.
        std::function<bool(const engine::Recordset& row, print::Picture& picture)> loadPicture;
        print::Picture descriptionBanner;
        print::Picture ingredientsBanner;
        print::Picture instructionsBanner;
    };

    // Builds the report; false, with no document started, when `report` has no rows.
    static bool PrintRecipeReport(print::Document& doc, engine::Database& cookbook, const Options& options);

    // A field as the serving block prints it: the number in its plain invariant form ("0", ".5",
    // "-2.25", at most 15 significant digits), or nothing when the field is Null or not a number.
    static QString NumberText(const engine::Value& field);

    static QString exportMessage(const QString& file);
};

} // namespace pantrova
