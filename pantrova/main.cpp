// Pantrova: the program's entry. Installs the real dialogs, runs the start-up routine, and hands
// over to the splash, which opens the main window. Closing the main window ends the program.

#include "cookbooks/CookbookChecks.h"
#include "cookbooks/CookbookMenus.h"
#include "data/ProgramFolder.h"
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
#include "startup/StartUp.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QApplication>

#include <exception>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pantrova"));
    QApplication::setQuitOnLastWindowClosed(false);

    pantrova::Program& p = pantrova::program();
    p.showMainWindow = [] {
        pantrova::RecipeNew* window = pantrova::RecipeNew::Open();
        QObject::connect(window, &QObject::destroyed, qApp, &QCoreApplication::quit);
    };
    p.registerCalendarControl = [] {
        // Without it only the planner's calendar is missing; the rest of the program works.
        QString why;
        const QString library = pantrova::ProgramLocation::ofExecutable().libraryFolder;
        if (!pantrova::ensureCalendarControlRegistered(library, &why))
            ui::Dialogs::showError(QStringLiteral("Registering the calendar control"), why);
    };
    p.mainWindowCreated.push_back([](QWidget* window) {
        if (auto* w = qobject_cast<pantrova::RecipeNew*>(window)) {
            pantrova::GroupCommands::attach(*w);
            pantrova::IngrediantForm::attach(*w);
        }
    });
    p.mainWindowCreated.push_back(&pantrova::ImportRecipes::attachTo);
    // The meal planner and the cookbook checks are attached here as their parts arrive
    // (p.loadPlanner, p.unloadPlanner, p.checkCookbookFormat, p.mainWindowCreated).
    p.loadPlanner = pantrova::MealPlanner::Load;
    p.unloadPlanner = pantrova::MealPlanner::Unload;
    p.mainWindowCreated.push_back(pantrova::MealPlanner::AttachPanel);
    p.checkCookbookFormat = [](engine::Database& cookbook) { pantrova::CookbookChecks::run(cookbook); };
    p.mainWindowCreated.push_back(pantrova::attachCookbookMenus);
    p.mainWindowCreated.push_back(&pantrova::PrintCommand::attach);
    p.mainWindowCreated.push_back([](QWidget* window) {
        if (auto* w = qobject_cast<pantrova::RecipeNew*>(window))
            pantrova::FindCommands::attach(*w);
    });

    try {
        pantrova::StartUp::Run(pantrova::ProgramFolder::ofExecutable());
    } catch (const ui::Reported&) {
        return 1; // the cook has been told why already
    } catch (const std::exception& e) {
        // The one failure that ends the program: it cannot run without its data files.
        ui::reportFailure(QStringLiteral("Starting Pantrova"), e,
                          QStringLiteral("Pantrova cannot run without its data files and will close."));
        return 1;
    }
    const int result = QApplication::exec();
    p.reset();
    return result;
}
