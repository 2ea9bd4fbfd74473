#pragma once

#include "TestWorld.h"
#include "data/Value.h"
#include "print/Document.h"
#include "ui/ScriptedDialogs.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace pantrova {
class RecipeNew;
class Print_Form;
class ReportWindowForm;
} // namespace pantrova

namespace ui {
class FlexGrid;
}

ui::ScriptedDialogs::Failure failTest();

// A started program in a temporary folder (screen at 96 dpi, no printer) with the main window open on
// the default cookbook, and helpers to put recipes in it and read the report table back. A question
// nobody told `dialogs` to expect fails the test.
struct ReportKitchen
{
    TestWorld world;
    ui::ScriptedDialogs dialogs{failTest()};
    std::unique_ptr<pantrova::RecipeNew> window;

    ReportKitchen();
    ~ReportKitchen();

    void execute(const QString& sql, const QList<engine::Value>& params = {});
    // A recipe with its texts; `fields` sets further fields (name, value) after it is added.
    void addRecipe(int group, const QString& name, int number = 1,
                   const QString& description = QStringLiteral("d"),
                   const QList<std::pair<QString, engine::Value>>& fields = {});

    // Opens the main window (on the cookbook as it now is), showing section 1 and its first group.
    pantrova::RecipeNew& open();
    // Puts a recipe's name and number on the main window's recipe page, as showing it does.
    void showRecipe(const QString& name, int number = 1);
    // A loaded selection window over the main window; with a scope, shown and that scope clicked.
    std::unique_ptr<pantrova::Print_Form> selection(int scope = -1);
    // Clicks "Display Report" and lets `look` see the report window that opens.
    void display(pantrova::Print_Form& form,
                 const std::function<void(pantrova::ReportWindowForm&)>& look = {});

    // A selection window (not shown) set to `scope` and changed by `tick`, and a report window loaded
    // over the report table filled for it.
    struct Report
    {
        std::unique_ptr<pantrova::Print_Form> form;
        std::unique_ptr<pantrova::ReportWindowForm> window;
    };
    Report report(int scope = 1, const std::function<void(pantrova::Print_Form&)>& tick = {});

    // The report table's rows as "Name|number|extra2|extra3|extra5", in table order.
    QStringList reportRows();
};

// Clicks row `row` of a grid as a person does (the mark column).
void clickRow(ui::FlexGrid* grid, int row);
QStringList column(const ui::FlexGrid* grid, int col);

// Reading a built document back: the paragraphs that are not blank lines, and the paragraph (its
// first line, its style) with a given text.
QStringList texts(const print::Document& doc);
int paragraphIndex(const print::Document& doc, const QString& text, int from = 0);
const print::Document::Paragraph& paragraph(const print::Document& doc, const QString& text);
const print::Document::Line& firstLine(const print::Document& doc, const QString& text);
const print::Document::Style& styleOf(const print::Document& doc, const QString& text);
