#pragma once

#include <QString>

namespace pantrova {

class RecipeNew;

// The main window's "Move displayed recipe to another recipe group": asks for the target in
// MoverecipeForm, and afterwards follows the recipe, showing its new section and group with the
// moved recipe displayed. Does nothing for an empty group, with the heading row of GroupGrid
// current, or while a new recipe is being entered.
namespace RecipeMove {

void Move_Menu_Click(RecipeNew& w);

// Shows the target section and group and displays the moved recipe; nothing when the target is
// where the main window already is (which includes a cancelled move).
void FollowMovedRecipe(RecipeNew& w);

// Shows a recipe of the open cookbook as a move leaves it: its section and group selected, the
// recipe displayed with its letter. The group's first recipe is displayed when the group holds no
// recipe of that name and number. False when the section or group cannot be shown (no such row in
// the grids) or the group holds no recipes.
bool ShowRecipeAt(RecipeNew& w, quint8 section, qint16 group, const QString& name, qint32 number);

} // namespace RecipeMove

} // namespace pantrova
