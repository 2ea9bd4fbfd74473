#pragma once

#include <QString>

namespace pantrova {

class RecipeNew;

// What the person typed on the main window's recipe page and has not saved.
//
// Only typing counts: the program filling the page (showing a recipe, emptying it for a new one)
// is no change, and neither is typing undone again or a figure typed back to what it was. A figure still open
// in a serving grid's cell editor belongs to the page it was typed on: settling the page first closes the
// editor into that page, so it can never land on the recipe shown next.
//
// Settling is what every command that replaces the page does first (another recipe, letter, group
// or section, Add, closing the window, and the other windows before they act on the shown recipe):
// when the page holds unsaved typing the person is asked "Save changes to <recipe>?". Yes saves as
// the Save command does, No puts the page back to the stored recipe (or gives up the new one), and
// Cancel leaves everything as it is and tells the caller to stay.
class PageEdits
{
public:
    explicit PageEdits(RecipeNew& window);

    // The page now shows what is stored (or an empty new recipe): nothing typed yet.
    void markClean();
    // Closes open cell editors into the page, keeping what was typed in them.
    void closeCellEditors();
    // Closes open cell editors throwing away what was typed in them.
    void discardCellEditors();
    bool hasUnsavedTyping() const;

    // The question asked when the page holds unsaved typing.
    QString question() const;
    // See the class comment; true when the caller may go on.
    bool settle();

private:
    void discard();

    RecipeNew& w;
    bool m_nameTyped = false;
    bool m_figuresTyped = false;
};

} // namespace pantrova
