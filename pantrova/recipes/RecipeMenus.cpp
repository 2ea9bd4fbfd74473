#include "RecipeMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace pantrova {

namespace {
QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Action"));
    return menu;
}

QAction* addEntry(QMenu* menu, const char* name, const QString& caption, bool checkable = false)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}
} // namespace

void RecipeMenus::buildMenus(QMenuBar* bar)
{
    File_Menu = addMenu(bar, "File_Menu", QStringLiteral("File"));
    AddRecipeMenu = addEntry(File_Menu, "AddRecipeMenu", QStringLiteral("Add Recipe"));
    saverecipemenu = addEntry(File_Menu, "saverecipemenu", QStringLiteral("Save Recipe"));
    Quit_Menu = addEntry(File_Menu, "Quit_Menu", QStringLiteral("Quit"));

    u_Menu = addMenu(bar, "u_Menu", QStringLiteral("Utilities"));
    CB_Menu = addEntry(u_Menu, "CB_Menu", QStringLiteral("Add/Change CookBooks"));
    u_Menu->addSeparator();
    MenuMenu = addEntry(u_Menu, "MenuMenu", QStringLiteral("Open Daily Menu Planner"));
    u_Menu->addSeparator();
    Move_Menu =
        addEntry(u_Menu, "Move_Menu", QStringLiteral("Move displayed recipe to another recipe group"));
    u_Menu->addSeparator();
    AddGroupMenu = addEntry(u_Menu, "AddGroupMenu", QStringLiteral("Add a new Recipe Group"));
    Change_Personal_Menu =
        addEntry(u_Menu, "Change_Personal_Menu", QStringLiteral("Change Recipe Group name"));
    DeleteGroupMenu = addEntry(u_Menu, "DeleteGroupMenu", QStringLiteral("Delete Recipe Group"));
    ChangeSectionNameMenu =
        addEntry(u_Menu, "ChangeSectionNameMenu", QStringLiteral("Change Recipe Section Name"));
    u_Menu->addSeparator();
    Bold_Menu = addEntry(u_Menu, "Bold_Menu", QStringLiteral("Use BOLD fonts"), true);
    PicDisplayMenu = addEntry(u_Menu, "PicDisplayMenu",
                              QStringLiteral("Display system default pic when Recipe has no picture"), true);
    u_Menu->addSeparator();
    Compact_Menu = addEntry(u_Menu, "Compact_Menu", QStringLiteral("Compact active database"));
    u_Menu->addSeparator();
    SetSizeMenu = addEntry(u_Menu, "SetSizeMenu", QStringLiteral("Remember screen size"), true);

    Help_Menu = addMenu(bar, "Help_Menu", QStringLiteral("Help"));
    About_Menu = addEntry(Help_Menu, "About_Menu", QStringLiteral("About Pantrova"));
    Contents = addEntry(Help_Menu, "Contents", QStringLiteral("Help"));
    WebMenu = addEntry(Help_Menu, "WebMenu", QStringLiteral("Pantrova Homepage"));
    EmailMenu = addEntry(Help_Menu, "EmailMenu", QStringLiteral("Email Corvell Software"));
}

} // namespace pantrova
