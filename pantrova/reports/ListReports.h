#pragma once

namespace engine {
class Database;
}
namespace print {
class Document;
}

namespace pantrova {

// The two short layouts of the report table, both in order of the recipes' names alone (recipes of
// all chosen groups interleave, and same-named recipes print alike): the names-only list, down two
// columns, and one recipe per 5 by 7 inch card with its ingredients and instructions. Neither prints
// pictures, headings or serving figures, and neither writes an HTML file.
//
// Each returns false, with no document started, when `report` has no rows.
class ListReports
{
public:
    static bool PrintNameList(print::Document& doc, engine::Database& cookbook);
    // The writing area of a card is 6 by 5 inches, half an inch from the paper's top and left edges,
    // on any paper (on Letter the margins are 720, 720, 2880 and 7920 twips).
    static bool PrintRecipeCards(print::Document& doc, engine::Database& cookbook);
};

} // namespace pantrova
