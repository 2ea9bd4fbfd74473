#pragma once

#include "TestWorld.h"
#include "data/Value.h"
#include "ui/ScriptedDialogs.h"

#include <QList>
#include <QString>

#include <memory>

namespace pantrova {
class RecipeNew;
class Print_Form;
} // namespace pantrova

namespace ui {
class FlexGrid;
}

// A started program in a temporary folder with the main window open on the default cookbook, and
// helpers to put recipes in it and read the report table back.
struct ReportKitchen
{
    TestWorld world;
    std::unique_ptr<pantrova::RecipeNew> window;

    ReportKitchen();
    ~ReportKitchen();

    void execute(const QString& sql, const QList<engine::Value>& params = {});
    // A recipe with its texts; `fields` sets further fields (name, value) after it is added.
    void addRecipe(int group, const QString& name, int number = 1,
                   const QString& description = QStringLiteral("d"),
                   const QList<std::pair<QString, engine::Value>>& fields = {});
    void addSection(int section, const QString& name);
    void addGroup(int group, const QString& name, int section);

    // Opens the main window (on the cookbook as it now is), showing section 1 and its first group.
    pantrova::RecipeNew& open();
    // Puts a recipe's name and number on the main window's recipe page, as showing it does.
    void showRecipe(const QString& name, int number = 1);
    // A loaded selection window over the main window.
    std::unique_ptr<pantrova::Print_Form> selection();

    // The report table's rows as "Name|number|extra2|extra3|extra5", in table order.
    QStringList reportRows();
};

ui::ScriptedDialogs::Failure failTest();
// Clicks row `row` of a grid as a person does (the mark column).
void clickRow(ui::FlexGrid* grid, int row);
