#pragma once

#include "RecipeImporter.h"

#include <QObject>

class QAction;
class QWidget;

namespace pantrova {

class RecipeNew;

// The main window's "Import Recipes..." command: the person chooses MealMaster files and saved
// recipe web pages (several at once), the recipes go into the current group in one step while a
// progress dialog offers Cancel, a summary says how many came in and which were left out and why,
// and the main window shows the group again with the first imported recipe.
class ImportRecipes : public QObject
{
    Q_OBJECT

public:
    // Adds the command to the File menu of a main window (the hook the program runs for each new
    // main window); other windows are left alone.
    static void attachTo(QWidget* mainWindow);

    explicit ImportRecipes(RecipeNew& window);

    QAction* ImportMenu;

    void ImportMenu_Click();

    static QString fileFilter();
    static QString summaryText(const RecipeImporter::Result& result, const QString& groupName);
    static QString cancelledText();

private:
    RecipeNew& w;
};

} // namespace pantrova
