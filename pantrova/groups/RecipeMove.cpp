#include "RecipeMove.h"

#include "GroupStore.h"
#include "MoverecipeForm.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"
#include "ui/FlexGrid.h"

namespace pantrova::RecipeMove {

namespace {

// Makes the row of `grid` whose name is `name` current; false when no row between `first` and
// `last` has it.
bool selectRowNamed(ui::FlexGrid& grid, const QString& name, int first, int last)
{
    grid.setCol(1);
    for (int r = first; r <= last; ++r) {
        if (grid.textMatrix(r, 1) == name) {
            grid.setRow(r);
            return true;
        }
    }
    return false;
}

} // namespace

void Move_Menu_Click(RecipeNew& w)
{
    engine::Recordset& recipes = w.RecipeSet;
    if (!recipes.isOpen() || recipes.RecordCount() == 0)
        return;
    w.GroupGrid->setCol(1);
    if (w.GroupGrid->text().isEmpty() || w.GroupGrid->row() == 0)
        return;
    if (!w.SettlePendingEdits())
        return;
    // A new recipe not yet saved has no row to move.
    if (w.AddingRecipe || recipes.RecordCount() == 0 || recipes.isEOF() || recipes.isBOF())
        return;

    MoverecipeForm form(w);
    form.Form_Load();
    ui::Dialogs::runModal(form);
    FollowMovedRecipe(w);
}

void FollowMovedRecipe(RecipeNew& w)
{
    Program& p = program();
    if (p.TargetSection == p.CurrentSection && p.TargetGroup == p.CurrentGroup)
        return;
    if (ShowRecipeAt(w, p.TargetSection, p.TargetGroup, p.MovedRecipeName, p.MovedRecipeCode))
        p.MovedRecipeCode = -1;
}

bool ShowRecipeAt(RecipeNew& w, quint8 section, qint16 group, const QString& name, qint32 number)
{
    Program& p = program();
    if (section != p.CurrentSection) {
        const QString sectionName = GroupStore::sectionName(p.Cookbook, section);
        if (!selectRowNamed(*w.SectionGrid, sectionName, 1, 3))
            return false;
        w.SectionGrid_Click();
    }
    // Showing the section made its first group current; when that is the target, its recipes are
    // loaded already and a large group need not be read twice.
    if (p.CurrentGroup != group) {
        const QString groupName = GroupStore::groupName(p.Cookbook, section, group);
        if (!selectRowNamed(*w.GroupGrid, groupName, 1, w.GroupGrid->rows() - 1))
            return false;
        qint16 left = 1;
        w.SelectGroup(left);
    }

    engine::Recordset& recipes = w.RecipeSet;
    if (recipes.RecordCount() == 0)
        return false;
    w.FindRecipe(number, name);
    if (recipes.isEOF())
        recipes.MoveFirst();
    w.ShowCurrentRecipe();
    return true;
}

} // namespace pantrova::RecipeMove
