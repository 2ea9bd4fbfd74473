#pragma once

#include <QString>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace ui {
class FlexGrid;
class PlainTextBox;
} // namespace ui

namespace pantrova {

// The tabbed recipe page of the main window (SSTab1) with every control on it under its own name:
// the recipe's name, number, description and picture with the picture and helper buttons, the
// meal-planner panel, the ingredients, the instructions, and the two serving grids.
//
// The page knows only its controls: it lays them out, clears them, greys them, and sets up the
// serving grids' headings. Filling them from a recipe is the window's business.
struct RecipePage
{
    QTabWidget* SSTab1 = nullptr;

    // Tab 0 "Recipe".
    QLabel* Label1 = nullptr;
    QLineEdit* Recipe_Name = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label4 = nullptr;
    ui::PlainTextBox* Description = nullptr;
    QLabel* Pic_Image = nullptr;
    QCheckBox* DisplayPic = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Add_Pic = nullptr;
    QPushButton* Delete_Pic = nullptr;
    QPushButton* I_Button = nullptr;
    QGroupBox* MenuFrame = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* MealDay = nullptr;
    std::array<QRadioButton*, 4> WhichMeal{};
    QCheckBox* IncludeIng = nullptr;
    QPushButton* MenuAddButton = nullptr;
    QPushButton* OpenMenuButton = nullptr;
    QToolButton* Show_Calendar = nullptr;

    // Tab 1 "Ingredients", tab 2 "Instructions". The long texts are plain text in boxes that lay
    // out only what they show, so a text of megabytes opens as quickly as a short one.
    ui::PlainTextBox* Ingrediants = nullptr;
    ui::PlainTextBox* Instructions = nullptr;

    // Tab 3 "Serving Info".
    ui::FlexGrid* SMGrid = nullptr;
    ui::FlexGrid* ServingGrid = nullptr;

    void buildPage(QWidget* parent);

    // Headings, labels, sizes and formats of the two serving grids.
    void SetUpNutritionGrids();
    // Empties the text boxes and the serving grids' value cells (the picture is the window's).
    void clearPageFields();
    // White and enabled, or grey and disabled: the recipe boxes, and the serving grids' state.
    void setPageFieldsEnabled(const QString& colour, bool enabled);
};

} // namespace pantrova
