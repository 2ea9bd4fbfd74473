#include "FindCommands.h"

#include "FindForm.h"
#include "RecipeFinder.h"
#include "cookbooks/CookbookLibrary.h"
#include "data/ProgramFolder.h"
#include "data/RecipeSearch.h"
#include "groups/RecipeMove.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QAction>
#include <QMenu>

namespace pantrova {

using ui::Dialogs;

namespace {

// Makes the found recipe's cookbook current through the cookbook manager's own rules; the main
// window, told to activate, closes the old cookbook and loads the new one. False when the
// cookbook cannot be opened (the cook has been told why).
bool switchCookbook(RecipeNew& w, const QString& name)
{
    const Program& p = program();
    CookbookLibrary::Outcome outcome;
    {
        CookbookLibrary library(ProgramFolder(p.programDir(), p.shippedDir()));
        outcome = library.open(name);
    }
    if (outcome.kind != CookbookLibrary::Outcome::Opened) {
        if (!outcome.message.isEmpty())
            Dialogs::messageBox(outcome.message, ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
        return false;
    }
    w.Form_Activate();
    return true;
}

} // namespace

void FindCommands::attach(RecipeNew& w)
{
    auto* find = new QAction(QStringLiteral("Find Recipes..."), &w);
    find->setObjectName(QStringLiteral("FindMenu"));
    find->setShortcut(QKeySequence::Find);
    QAction* first = w.u_Menu->actions().value(0);
    w.u_Menu->insertAction(first, find);
    w.u_Menu->insertSeparator(first);
    RecipeNew* window = &w;
    QObject::connect(find, &QAction::triggered, window, [window] {
        ui::guarded(QStringLiteral("Opening the find window"), [window] { FindForm::Open(*window); });
    });
}

QAction* FindCommands::findAction(RecipeNew& w)
{
    return w.findChild<QAction*>(QStringLiteral("FindMenu"), Qt::FindDirectChildrenOnly);
}

FindCommands::Shown FindCommands::ShowFound(RecipeNew& w, const FoundEntry& entry)
{
    Program& p = program();
    if (!RecipeFinder::inOpenCookbook(entry)) {
        const int answer =
            Dialogs::messageBox(QStringLiteral("\"%1\" is in the cookbook \"%2\". Switch to that "
                                               "cookbook to show it?")
                                    .arg(entry.displayName(), entry.cookbookName),
                                ui::MsgButtons::YesNo, ui::MsgIcon::Question);
        if (answer != ui::AnswerYes || !w.SettlePendingEdits() || !switchCookbook(w, entry.cookbookName))
            return Shown::Declined;
    } else if (!w.SettlePendingEdits()) {
        return Shown::Declined;
    }
    if (w.AddingRecipe)
        w.CancelRecipeAdd();

    // Where the recipe is now: it may have been renamed or moved since it was found.
    const std::optional<engine::FoundRecipe> recipe =
        engine::RecipeSearch::recipeAt(p.Cookbook, entry.recipe.row);
    const quint8 section = recipe ? RecipeFinder::sectionOf(p.Cookbook, recipe->group) : 0;
    if (!recipe || section == 0 ||
        !RecipeMove::ShowRecipeAt(w, section, recipe->group, recipe->name, recipe->number)) {
        Dialogs::messageBox(
            QStringLiteral("The recipe \"%1\" is no longer in the cookbook.").arg(entry.displayName()),
            ui::MsgButtons::OK, ui::MsgIcon::Information);
        return Shown::Gone;
    }
    return Shown::Shown;
}

} // namespace pantrova
