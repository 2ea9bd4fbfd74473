#include "RecipePage.h"

#include "ScaledPicture.h"
#include "ToolbarArt.h"
#include "ui/FlexGrid.h"
#include "ui/Named.h"
#include "ui/PlainTextBox.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace pantrova {

namespace {

using ui::named;

QLabel* heading(const QString& caption, const char* name)
{
    auto* label = named(new QLabel(caption), name, caption.trimmed());
    label->setProperty("heading", true);
    return label;
}

void setBackground(QWidget* w, const QString& colour)
{
    // The legacy colour numbers are 0x00BBGGRR; the two the window uses are greys, the same either way.
    const QColor c = ui::colorFromRgbNumber(colour.toUInt());
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, c);
    w->setPalette(pal);
}

} // namespace

void RecipePage::buildPage(QWidget* parent)
{
    SSTab1 = named(new QTabWidget(parent), "SSTab1", QStringLiteral("Recipe page"));
    SSTab1->setDocumentMode(false);

    // Tab 0: the recipe at a glance.
    auto* recipeTab = named(new QWidget, "SSTab1_Recipe");
    Label1 = heading(QStringLiteral("RECIPE NAME"), "Label1");
    Recipe_Name = named(new QLineEdit, "Recipe_Name", QStringLiteral("Recipe name"));
    // No limit while typing: blanks typed before the name must not use up its 50 characters; the
    // name is trimmed first and cut to 50 when it is saved.
    Label1->setBuddy(Recipe_Name);
    Text1 = named(new QLineEdit, "Text1", QStringLiteral("Recipe number"));
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);
    Text1->setFixedWidth(44);
    Text1->setAlignment(Qt::AlignCenter);
    Label4 = heading(QStringLiteral("DESCRIPTION"), "Label4");
    Description = named(new ui::PlainTextBox, "Description", QStringLiteral("Description"));
    Label4->setBuddy(Description);

    Pic_Image = named(new ScaledPicture, "Pic_Image", QStringLiteral("Recipe picture"));
    Pic_Image->setMinimumSize(150, 100);
    Pic_Image->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    Pic_Image->setFrameShape(QFrame::StyledPanel);
    DisplayPic =
        named(new QCheckBox(QStringLiteral("Display Default Recipe Picture for Recipes with no picture")),
              "DisplayPic", QStringLiteral("Display Default Recipe Picture for Recipes with no picture"));

    Frame1 = named(new QGroupBox, "Frame1", QStringLiteral("Picture and ingredient helper"));
    Add_Pic =
        named(new QPushButton(QStringLiteral("Add/Change Pic")), "Add_Pic", QStringLiteral("Add/Change Pic"));
    Delete_Pic =
        named(new QPushButton(QStringLiteral("Delete Pic")), "Delete_Pic", QStringLiteral("Delete Pic"));
    I_Button = named(new QPushButton(QStringLiteral("Ingredient Helper")), "I_Button",
                     QStringLiteral("Ingredient Helper"));
    auto* frame1Layout = new QVBoxLayout(Frame1);
    frame1Layout->setContentsMargins(6, 6, 6, 6);
    frame1Layout->setSpacing(4);
    frame1Layout->addWidget(Add_Pic);
    frame1Layout->addWidget(Delete_Pic);
    frame1Layout->addWidget(I_Button);

    MenuFrame = named(new QGroupBox, "MenuFrame", QStringLiteral("Menu Planner"));
    Label9 = heading(QStringLiteral("Menu Planner"), "Label9");
    Label10 = named(new QLabel(QStringLiteral("Select desired meal  ")), "Label10",
                    QStringLiteral("Select desired meal"));
    MealDay = named(new QLabel(QStringLiteral("Current day:")), "MealDay", QStringLiteral("Current day"));
    const char* meals[] = {"Breakfast", "Lunch", "Dinner", "Other"};
    for (int i = 0; i < 4; ++i) {
        WhichMeal[size_t(i)] = named(new QRadioButton(QString::fromLatin1(meals[i])), "WhichMeal",
                                     QString::fromLatin1(meals[i]));
        WhichMeal[size_t(i)]->setObjectName(QStringLiteral("WhichMeal_") + QString::number(i));
    }
    IncludeIng = named(new QCheckBox(QStringLiteral("Include Ingredients")), "IncludeIng",
                       QStringLiteral("Include Ingredients"));
    MenuAddButton = named(new QPushButton(QStringLiteral("Add Recipe to Menu")), "MenuAddButton",
                          QStringLiteral("Add Recipe to Menu"));
    OpenMenuButton = named(new QPushButton(QStringLiteral("Open Menu Planner")), "OpenMenuButton",
                           QStringLiteral("Open Menu Planner"));
    Show_Calendar = named(new QToolButton, "Show_Calendar", QStringLiteral("Show the calendar"));
    Show_Calendar->setToolTip(QStringLiteral("Show the calendar"));
    Show_Calendar->setIcon(ToolbarArt::icon(ToolbarArt::Kind::Calendar));
    Show_Calendar->setIconSize(QSize(20, 20));
    Show_Calendar->setAutoRaise(true);

    auto* menuLayout = new QGridLayout(MenuFrame);
    menuLayout->setContentsMargins(8, 6, 8, 8);
    menuLayout->setVerticalSpacing(3);
    menuLayout->addWidget(Label9, 0, 0);
    menuLayout->addWidget(Show_Calendar, 0, 1, Qt::AlignRight);
    menuLayout->addWidget(MealDay, 1, 0, 1, 2);
    menuLayout->addWidget(Label10, 2, 0, 1, 2);
    auto* mealsLayout = new QGridLayout;
    mealsLayout->setHorizontalSpacing(10);
    mealsLayout->setVerticalSpacing(2);
    for (int i = 0; i < 4; ++i)
        mealsLayout->addWidget(WhichMeal[size_t(i)], i / 2, i % 2);
    menuLayout->addLayout(mealsLayout, 3, 0, 1, 2);
    menuLayout->addWidget(IncludeIng, 4, 0, 1, 2);
    menuLayout->addWidget(MenuAddButton, 5, 0, 1, 2);
    menuLayout->addWidget(OpenMenuButton, 6, 0, 1, 2);
    menuLayout->setRowStretch(7, 1);

    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(4);
    nameRow->addWidget(Recipe_Name, 1);
    nameRow->addWidget(Text1);

    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->setSpacing(6);
    pictureColumn->addWidget(Pic_Image, 1);
    pictureColumn->addWidget(Frame1);

    auto* recipeLayout = new QGridLayout(recipeTab);
    recipeLayout->setContentsMargins(10, 8, 10, 8);
    recipeLayout->setVerticalSpacing(4);
    recipeLayout->setHorizontalSpacing(10);
    recipeLayout->addWidget(Label1, 0, 0, 1, 2);
    recipeLayout->addLayout(nameRow, 1, 0, 1, 2);
    recipeLayout->addWidget(Label4, 2, 0, 1, 2);
    recipeLayout->addWidget(Description, 3, 0, 1, 2);
    recipeLayout->addLayout(pictureColumn, 4, 0);
    recipeLayout->addWidget(MenuFrame, 4, 1);
    recipeLayout->addWidget(DisplayPic, 5, 0, 1, 2);
    recipeLayout->setRowStretch(3, 2);
    recipeLayout->setRowStretch(4, 3);
    recipeLayout->setColumnStretch(0, 1);
    recipeLayout->setColumnStretch(1, 1);

    // Tab 1 and tab 2: the long texts.
    Ingrediants = named(new ui::PlainTextBox, "Ingrediants", QStringLiteral("Ingredients"));
    Instructions = named(new ui::PlainTextBox, "Instructions", QStringLiteral("Instructions"));
    auto wrap = [](QWidget* content, const char* name) {
        auto* tab = named(new QWidget, name);
        auto* layout = new QVBoxLayout(tab);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->addWidget(content);
        return tab;
    };

    // Tab 3: the serving grids.
    SMGrid = named(new ui::FlexGrid, "SMGrid", QStringLiteral("Servings and calories"));
    ServingGrid = named(new ui::FlexGrid, "ServingGrid", QStringLiteral("Nutrition per serving"));
    auto* servingTab = named(new QWidget, "SSTab1_Serving");
    auto* servingLayout = new QVBoxLayout(servingTab);
    servingLayout->setContentsMargins(8, 8, 8, 8);
    servingLayout->addWidget(SMGrid);
    servingLayout->addWidget(ServingGrid, 1);

    SSTab1->addTab(recipeTab, QStringLiteral("Recipe"));
    SSTab1->addTab(wrap(Ingrediants, "SSTab1_Ingredients"), QStringLiteral("Ingredients"));
    SSTab1->addTab(wrap(Instructions, "SSTab1_Instructions"), QStringLiteral("Instructions"));
    SSTab1->addTab(servingTab, QStringLiteral("Serving Info"));
}

void RecipePage::SetUpNutritionGrids()
{
    SMGrid->setRows(2);
    SMGrid->setCols(4);
    SMGrid->setFixedRows(1);
    SMGrid->setRowHeight(0, 500);
    SMGrid->setRowHeight(1, 300);
    const char* smHeadings[] = {"# of Servings", "Serving Size", "Total Calories", "Calories from Fat"};
    for (int c = 0; c < 4; ++c) {
        SMGrid->setColWidth(c, 1195);
        SMGrid->setTextMatrix(0, c, QString::fromLatin1(smHeadings[c]));
        for (int r = 0; r < 2; ++r) {
            SMGrid->setRow(r);
            SMGrid->setCol(c);
            SMGrid->setCellAlignment(ui::flexAlignCenterCenter);
        }
    }
    SMGrid->setFixedHeight(ui::Twips::toPixelsY(500 + 300) + 4);

    ServingGrid->setRows(13);
    ServingGrid->setCols(3);
    ServingGrid->setFixedRows(1);
    ServingGrid->setColWidth(0, 2600);
    ServingGrid->setColWidth(1, 1100);
    ServingGrid->setColWidth(2, 1100);
    ServingGrid->setRowHeight(0, 500);
    const char* headings[] = {"(amounts per serving)", "# Grams", "% of Daily Value"};
    for (int c = 0; c < 3; ++c) {
        ServingGrid->setRow(0);
        ServingGrid->setCol(c);
        ServingGrid->setText(QString::fromLatin1(headings[c]));
        ServingGrid->setCellAlignment(ui::flexAlignCenterCenter);
    }
    ServingGrid->setCol(0);
    ServingGrid->setCellBackColor(ui::colorFromRgbNumber(14737632));
    struct Nutrient
    {
        const char* label;
        bool large;
    };
    const Nutrient nutrients[] = {
        {"Total Fat", true},
        {"     Saturated Fat", false},
        {"     Polyunsaturated Fat", false},
        {"     Monounsaturated Fat", false},
        {"Choresterol", true},
        {"Sodium", true},
        {"Total Carbohydrate", true},
        {"     Dietary Fiber", false},
        {"          Soluble Fiber", false},
        {"     Sugars", false},
        {"     Other", false},
        {"Protein", true},
    };
    for (int r = 1; r <= 12; ++r) {
        const Nutrient& n = nutrients[r - 1];
        ServingGrid->setRow(r);
        ServingGrid->setCol(0);
        ServingGrid->setText(QString::fromLatin1(n.label));
        ServingGrid->setCellAlignment(ui::flexAlignLeftCenter);
        if (n.large)
            ServingGrid->setCellFontSize(10);
        for (int c = 1; c <= 2; ++c) {
            ServingGrid->setCol(c);
            ServingGrid->setCellAlignment(ui::flexAlignCenterCenter);
            ServingGrid->setCellFontBold(false);
        }
    }
    ServingGrid->setRow(1);
    ServingGrid->setCol(1);
    SMGrid->setRow(1);
    SMGrid->setCol(0);
}

void RecipePage::clearPageFields()
{
    Recipe_Name->clear();
    Description->clear();
    Ingrediants->clear();
    Instructions->clear();
    Text1->clear();
    for (int c = 0; c < 4; ++c)
        SMGrid->setTextMatrix(1, c, QString());
    for (int r = 1; r <= 12; ++r) {
        ServingGrid->setTextMatrix(r, 1, QString());
        ServingGrid->setTextMatrix(r, 2, QString());
    }
}

void RecipePage::setPageFieldsEnabled(const QString& colour, bool enabled)
{
    for (QWidget* w : {static_cast<QWidget*>(Recipe_Name), static_cast<QWidget*>(Description),
                       static_cast<QWidget*>(Ingrediants), static_cast<QWidget*>(Instructions)}) {
        w->setEnabled(enabled);
        setBackground(w, colour);
    }
    SMGrid->setEnabled(enabled);
    ServingGrid->setEnabled(enabled);
    setBackground(Text1, colour);
}

} // namespace pantrova
