#include "PrintCommand.h"

#include "Print_Form.h"
#include "recipes/RecipeNew.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QAction>
#include <QMenu>

#include <memory>

namespace pantrova {

void PrintCommand::attach(QWidget* mainWindow)
{
    auto* window = qobject_cast<RecipeNew*>(mainWindow);
    if (!window)
        return;
    QAction* button = window->Toolbar1Button(8);
    auto* entry = new QAction(QStringLiteral("Print Recipe..."), window);
    entry->setObjectName(QStringLiteral("PrintMenu"));
    // The shortcut belongs to the menu entry, where it is shown; two actions with one shortcut
    // would leave it doing nothing.
    entry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    if (button)
        button->setShortcut({});
    window->File_Menu->insertAction(window->Quit_Menu, entry);
    window->File_Menu->insertSeparator(window->Quit_Menu);

    const auto open = [window] {
        ui::guarded(QStringLiteral("Opening the report selection"), [window] { OpenPrintForm(*window); });
    };
    QObject::connect(entry, &QAction::triggered, window, open);
    if (button) {
        QObject::connect(button, &QAction::triggered, window, open);
        // While a recipe is being added the print button is hidden; so is printing from the menu.
        const auto follow = [button, entry] {
            entry->setEnabled(button->isVisible() && button->isEnabled());
        };
        QObject::connect(button, &QAction::changed, entry, follow);
        follow();
    }
}

void PrintCommand::OpenPrintForm(RecipeNew& mainWindow)
{
    // Reports read the stored recipes: typing still on the page is saved or given up first, so
    // what is printed is what the cook sees.
    if (!mainWindow.SettlePendingEdits())
        return;
    auto form = std::make_unique<Print_Form>(mainWindow, &mainWindow);
    {
        const ui::BusyCursor busy;
        form->Form_Load();
    }
    ui::Dialogs::runModal(*form);
}

} // namespace pantrova
