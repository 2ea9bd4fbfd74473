#pragma once

class QAction;

namespace pantrova {

class RecipeNew;
struct FoundEntry;

// The main window's way into finding recipes, and back from a recipe found to the main window.
class FindCommands
{
public:
    // Adds "Find Recipes..." (Ctrl+F) at the top of the main window's Utilities menu.
    static void attach(RecipeNew& w);
    static QAction* findAction(RecipeNew& w);

    enum class Shown {
        Shown,    // the recipe is the main window's displayed recipe
        Declined, // the cook chose not to switch cookbooks, or to stay with unsaved typing
        Gone,     // the recipe is no longer in its cookbook (the cook has been told)
    };

    // Shows a found recipe in the main window: its section, group and letter selected, as after a
    // move. A recipe of another cookbook is shown after the cook agrees to switch to that cookbook,
    // which the main window then opens as the cookbook manager leaves it to. What the cook typed
    // on the recipe page and has not saved is settled first.
    static Shown ShowFound(RecipeNew& w, const FoundEntry& entry);
};

} // namespace pantrova
