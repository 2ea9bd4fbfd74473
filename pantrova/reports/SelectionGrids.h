#pragma once

#include "ReportTable.h"

#include <QPixmap>

namespace engine {
class Database;
}
namespace ui {
class FlexGrid;
}

namespace pantrova {

// The two selection grids of the report selection window: Grid1 lists the sections with their
// groups, Grid2 every recipe; each data row carries its state in column 0 ("1" not selected, "2"
// selected) and the matching mark in column 1.
//
// Grid1 columns: 2 section name (bold, section rows), 3 group name (group rows), 4 section number
// (section rows), 5 group number (group rows), 6 the section number of every row. Grid2 columns:
// 2 name, 3 the number when it is above 1, 4 group number. Columns 0 and 4-6 are hidden.
//
// A grid grows two rows at a time while it is filled, so one empty row may follow the last data
// row; the row count is worked out first and set once, which gives the same rows without growing
// a large grid step by step.
class SelectionGrids
{
public:
    SelectionGrids(ui::FlexGrid& sections, ui::FlexGrid& recipes, QPixmap unmarked, QPixmap marked);

    void SetUpGrids();
    void FillSections(engine::Database& cookbook);
    void FillRecipes(engine::Database& cookbook);

    // A click on the current row of Grid1: a section row marks or unmarks itself and all its groups;
    // a group row toggles itself and unmarks its section. Heading and empty rows change nothing.
    void SectionGridClick();
    // A click on the current row of Grid2 toggles that recipe.
    void RecipeGridClick();

    // The marked groups (scope 4) and recipes (scope 5), in the grids' order.
    std::vector<ReportScope::Group> MarkedGroups() const;
    std::vector<ReportScope::Recipe> MarkedRecipes() const;

    // The row count a grid of `startRows` rows reaches when data rows 1 to `dataRows` are written,
    // growing by two whenever the next row would not fit.
    static int grownRowCount(int startRows, int dataRows);

private:
    void setState(ui::FlexGrid& grid, int row, bool selected);

    ui::FlexGrid& m_sections;
    ui::FlexGrid& m_recipes;
    QPixmap m_unmarked;
    QPixmap m_marked;
};

// Reads a number the way the selection window does: blanks ignored, "." as the point; `fallback`
// when the text is not a number.
double numberOr(const QString& text, double fallback);

} // namespace pantrova
