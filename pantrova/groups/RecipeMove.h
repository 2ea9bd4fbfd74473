#pragma once

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

} // namespace RecipeMove

} // namespace pantrova
