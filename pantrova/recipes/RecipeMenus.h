#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace pantrova {

// The main window's menus, in their order, each entry under its own name. Entries start enabled,
// visible and unchecked; the check marks of Bold_Menu, PicDisplayMenu and SetSizeMenu are the
// options they stand for.
struct RecipeMenus
{
    QMenu* File_Menu = nullptr;
    QAction* AddRecipeMenu = nullptr;
    QAction* saverecipemenu = nullptr;
    QAction* Quit_Menu = nullptr;

    QMenu* u_Menu = nullptr;
    QAction* CB_Menu = nullptr;
    QAction* MenuMenu = nullptr;
    QAction* Move_Menu = nullptr;
    QAction* AddGroupMenu = nullptr;
    QAction* Change_Personal_Menu = nullptr;
    QAction* DeleteGroupMenu = nullptr;
    QAction* ChangeSectionNameMenu = nullptr;
    QAction* Bold_Menu = nullptr;
    QAction* PicDisplayMenu = nullptr;
    QAction* Compact_Menu = nullptr;
    QAction* SetSizeMenu = nullptr;

    QMenu* Help_Menu = nullptr;
    QAction* About_Menu = nullptr;
    QAction* Contents = nullptr;
    QAction* WebMenu = nullptr;
    QAction* EmailMenu = nullptr;

    void buildMenus(QMenuBar* bar);
};

} // namespace pantrova
