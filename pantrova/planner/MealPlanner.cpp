#include "MealPlanner.h"

#include "MenuForm.h"
#include "MenuPlannerPanel.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"

#include <exception>

namespace pantrova::MealPlanner {

MenuForm* Form()
{
    return MenuForm::Loaded();
}

void Load()
{
    Program& p = program();
    if (Form())
        return;
    auto* form = new MenuForm(p.mainWindow.data());
    try {
        form->Form_Load();
    } catch (const std::exception& e) {
        delete form;
        ui::Dialogs::showError(QStringLiteral("Opening the meal planner"), QString::fromUtf8(e.what()));
        return;
    }
    p.menuForm = form;
}

void Unload()
{
    MenuForm* form = Form();
    if (!form)
        return;
    program().menuForm = nullptr;
    form->Form_Unload();
    // A planner on screen may be inside its own modal loop: it goes once that loop has ended.
    if (form->isVisible()) {
        form->hide();
        form->deleteLater();
    } else {
        delete form;
    }
}

void AttachPanel(QWidget* mainWindow)
{
    if (auto* window = qobject_cast<RecipeNew*>(mainWindow))
        new MenuPlannerPanel(*window);
}

} // namespace pantrova::MealPlanner
