#pragma once

#include <array>

class QAction;
class QToolBar;
class QWidget;

namespace pantrova {

// The recipe toolbar Toolbar1: buttons numbered 1-8 as the window code counts them, with button 7
// a separator. Each icon button's tooltip is also its accessible name.
struct RecipeToolbar
{
    QToolBar* Toolbar1 = nullptr;

    // Button n of Toolbar1 (1-8); nullptr outside that range.
    QAction* Toolbar1Button(int n) const;
    void buildToolbar(QWidget* parent);

private:
    std::array<QAction*, 9> m_toolbar1{};
};

} // namespace pantrova
