#include "CookbookMenus.h"

#include "CompactMenu.h"
#include "CookBook_Form.h"
#include "recipes/RecipeNew.h"
#include "ui/ErrorGuard.h"

#include <QAction>

namespace pantrova {

void attachCookbookMenus(QWidget* mainWindow)
{
    auto* window = qobject_cast<RecipeNew*>(mainWindow);
    if (!window)
        return;
    QObject::connect(window->CB_Menu, &QAction::triggered, window, [window](bool) {
        ui::guarded(QStringLiteral("Opening the cookbook utility"),
                    [window] { CookBook_Form::ShowModal(window); });
        // A switch shows at the window's next activation; on a desktop that does not activate
        // it again when the manager closes, the switch must happen all the same.
        ui::guarded(QStringLiteral("Opening the cookbook"), [window] { window->Form_Activate(); });
    });
    QObject::connect(window->Compact_Menu, &QAction::triggered, window, [window](bool) {
        ui::guarded(QStringLiteral("Compacting the databases"), [window] { Compact_Menu_Click(*window); });
    });
}

} // namespace pantrova
