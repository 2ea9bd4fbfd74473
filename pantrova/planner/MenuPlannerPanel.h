#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace pantrova {

class MenuForm;
class RecipeNew;

// The main window's "Menu Planner" panel: the meal options, the day of the hidden planner, the
// "Include Ingredients" choice and the commands that add the shown recipe to the chosen meal of
// that day, open the planner, and pop its calendar up. It works on the controls the recipe page
// already has and on the loaded planner window (MenuForm).
//
// When the planner could not be loaded, the commands try to load it again and, failing that,
// say why (the error box names what failed); nothing else on the main window is affected.
class MenuPlannerPanel : public QObject
{
    Q_OBJECT

public:
    explicit MenuPlannerPanel(RecipeNew& window);

    // The panel of a main window, or nullptr when it has none.
    static MenuPlannerPanel* of(QWidget* mainWindow);

    // The entry written for a recipe: "** " + name + suffix + " **", the suffix being empty for an
    // empty number box and " -" followed by the box's text otherwise.
    static QString MenuEntryMarker(const QString& recipeName, const QString& numberBox);

    // Called whenever the planner shows a day: the day on the panel, and Breakfast as the meal.
    // Works without a main window too (the meal choice is the program's).
    static void ShowPlannerDay();

    // Handlers.
    void WhichMeal_Click(int index);
    void MenuAddButton_Click();
    void OpenMenuButton_Click();
    void Show_Calendar_Click();

private:
    void connectControls();
    void showDay();
    MenuForm* planner();

    RecipeNew& m_window;
};

} // namespace pantrova
