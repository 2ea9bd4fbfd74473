#pragma once

namespace pantrova {

class RecipeNew;

// How the main window looks: bold text in the recipe boxes, and the keyboard shortcuts of the
// recipe commands. The bold choice lasts for the run only.
class DisplayOptions
{
public:
    // Bold or normal weight for the recipe's name, number, description, ingredients and
    // instructions.
    static void applyBold(RecipeNew& w, bool bold);

    // Ctrl+N, Ctrl+S, Ctrl+Q on the menu entries and Ctrl+P on the print button, shown in the
    // menus and in the toolbar tooltips. Captions and accessible names stay as they are.
    static void addShortcuts(RecipeNew& w);
};

} // namespace pantrova
