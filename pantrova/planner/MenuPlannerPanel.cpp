#include "MenuPlannerPanel.h"

#include "MealPlanner.h"
#include "MenuDays.h"
#include "MenuForm.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>

namespace pantrova {

MenuPlannerPanel::MenuPlannerPanel(RecipeNew& window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("MenuPlannerPanel"));
    connectControls();
}

MenuPlannerPanel* MenuPlannerPanel::of(QWidget* mainWindow)
{
    return mainWindow ? mainWindow->findChild<MenuPlannerPanel*>(QStringLiteral("MenuPlannerPanel"),
                                                                 Qt::FindDirectChildrenOnly)
                      : nullptr;
}

void MenuPlannerPanel::connectControls()
{
    auto on = [this](auto* sender, auto signal, const QString& what, auto handler) {
        connect(sender, signal, this,
                [what, handler](auto... args) { ui::guarded(what, [&] { handler(args...); }); });
    };
    for (int i = 0; i < 4; ++i) {
        // Arrow keys move the choice as well as clicks do.
        on(m_window.WhichMeal[size_t(i)], &QRadioButton::toggled, QStringLiteral("Choosing the meal"),
           [this, i](bool checked) {
               if (checked)
                   WhichMeal_Click(i);
           });
    }
    on(m_window.MenuAddButton, &QPushButton::clicked, QStringLiteral("Adding the recipe to the menu"),
       [this](bool) { MenuAddButton_Click(); });
    on(m_window.OpenMenuButton, &QPushButton::clicked, QStringLiteral("Opening the meal planner"),
       [this](bool) { OpenMenuButton_Click(); });
    on(m_window.MenuMenu, &QAction::triggered, QStringLiteral("Opening the meal planner"),
       [this](bool) { OpenMenuButton_Click(); });
    on(m_window.Show_Calendar, &QToolButton::clicked, QStringLiteral("Showing the calendar"),
       [this](bool) { Show_Calendar_Click(); });
}

QString MenuPlannerPanel::MenuEntryMarker(const QString& recipeName, const QString& numberBox)
{
    const QString suffix = numberBox.isEmpty() ? QString() : QStringLiteral(" -") + numberBox;
    return QStringLiteral("** ") + recipeName + suffix + QStringLiteral(" **");
}

void MenuPlannerPanel::ShowPlannerDay()
{
    program().CurrentMeal = 0;
    if (MenuPlannerPanel* panel = of(program().mainWindow.data()))
        panel->showDay();
}

void MenuPlannerPanel::showDay()
{
    m_window.MealDay->setText(QStringLiteral("Current day: ") +
                              MenuDays::shortText(program().CurrentMenuDate));
    m_window.WhichMeal[0]->setChecked(true);
    program().CurrentMeal = 0;
}

MenuForm* MenuPlannerPanel::planner()
{
    if (MenuForm* form = MealPlanner::Form())
        return form;
    // The planner could not be loaded with the main window: try again, so a repaired menus file
    // is picked up; a second failure says why once more.
    MealPlanner::Load();
    return MealPlanner::Form();
}

void MenuPlannerPanel::WhichMeal_Click(int index)
{
    program().CurrentMeal = -1;
    if (index >= 0 && index < 4 && m_window.WhichMeal[size_t(index)]->isChecked())
        program().CurrentMeal = index;
}

void MenuPlannerPanel::MenuAddButton_Click()
{
    const QString marker = MenuEntryMarker(m_window.Recipe_Name->text(), m_window.Text1->text());
    Program& p = program();
    const qint32 chosenMeal = p.CurrentMeal;
    const bool wasLoaded = MealPlanner::Form() != nullptr;
    MenuForm* form = planner();
    if (!form)
        return;
    if (!wasLoaded && chosenMeal != -1) {
        // Loading showed today with Breakfast; the cook had chosen a meal already.
        m_window.WhichMeal[size_t(chosenMeal)]->setChecked(true);
        p.CurrentMeal = chosenMeal;
    }
    if (p.CurrentMeal == -1) {
        ui::Dialogs::messageBox(QStringLiteral("There is no active menu. Open Menu Planner and select day."));
        return;
    }
    QPlainTextEdit* box = form->mealBox(p.CurrentMeal);
    if (!box)
        return;
    QString text = box->toPlainText();
    if (text.contains(marker)) {
        ui::Dialogs::messageBox(
            QStringLiteral("The selected recipe has already been added to selected meal"));
        return;
    }
    if (!text.isEmpty())
        text += u'\n';
    text += marker;
    if (m_window.IncludeIng->isChecked())
        text += u'\n' + m_window.Ingrediants->toPlainText();
    box->setPlainText(text);
    form->SaveMenu();
}

void MenuPlannerPanel::OpenMenuButton_Click()
{
    if (MenuForm* form = planner())
        ui::Dialogs::runModal(*form);
}

void MenuPlannerPanel::Show_Calendar_Click()
{
    if (MenuForm* form = planner())
        form->Display_Year();
    m_window.update();
}

} // namespace pantrova
