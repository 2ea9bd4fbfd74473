#include "ProgramParts.h"

#include "cookbooks/CookbookChecks.h"
#include "cookbooks/CookbookMenus.h"
#include "data/ProgramLocation.h"
#include "find/FindCommands.h"
#include "groups/GroupCommands.h"
#include "importing/ImportRecipes.h"
#include "ingredients/IngrediantForm.h"
#include "pantrova/planner/CalendarHost.h"
#include "pantrova/planner/MealPlanner.h"
#include "recipes/RecipeNew.h"
#include "reports/PrintCommand.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"

namespace pantrova {

void attachProgramParts(Program& p)
{
    p.registerCalendarControl = [] {
        // Without it only the planner's calendar is missing; the rest of the program works.
        QString why;
        const QString library = ProgramLocation::ofExecutable().libraryFolder;
        if (!ensureCalendarControlRegistered(library, &why))
            ui::Dialogs::showError(QStringLiteral("Registering the calendar control"), why);
    };
    p.loadPlanner = MealPlanner::Load;
    p.unloadPlanner = MealPlanner::Unload;
    p.checkCookbookFormat = [](engine::Database& cookbook) { CookbookChecks::run(cookbook); };

    p.mainWindowCreated.push_back([](QWidget* window) {
        if (auto* w = qobject_cast<RecipeNew*>(window)) {
            GroupCommands::attach(*w);
            IngrediantForm::attach(*w);
        }
    });
    p.mainWindowCreated.push_back(&ImportRecipes::attachTo);
    p.mainWindowCreated.push_back(MealPlanner::AttachPanel);
    p.mainWindowCreated.push_back(attachCookbookMenus);
    p.mainWindowCreated.push_back(&PrintCommand::attach);
    p.mainWindowCreated.push_back([](QWidget* window) {
        if (auto* w = qobject_cast<RecipeNew*>(window))
            FindCommands::attach(*w);
    });
}

} // namespace pantrova
