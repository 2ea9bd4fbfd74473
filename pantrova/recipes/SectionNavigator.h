#pragma once

#include <QtGlobal>

namespace pantrova {

class RecipeNew;

// Section and group navigation of the main window: fills GroupGrid with the current section's
// groups under its heading and SectionGrid with the other sections, switches section, and makes
// the group in GroupGrid's current row current. Names taken from the grids go into SQL only as
// safely quoted literals, so a group called "Mom's Pies" is found like any other.
class SectionNavigator
{
public:
    explicit SectionNavigator(RecipeNew& window) : w(window) {}

    void ShowSection(quint8 section);
    void SelectGroup(qint16& button);
    void SectionGrid_Click();

    // Column 1 of both grids: wide while the groups fit, narrower when the group grid scrolls.
    static constexpr int WideColumn = 1930;
    static constexpr int NarrowColumn = 1700;
    // GroupGrid's rows at least: the heading and 19 groups.
    static constexpr int DesignRows = 20;

private:
    RecipeNew& w;
};

} // namespace pantrova
