#pragma once

class QWidget;

namespace pantrova {

class RecipeNew;

// The main window's print command: its "Print Recipe" toolbar button, a "Print Recipe..." entry in
// its File menu and Ctrl+P open the report selection window modally.
class PrintCommand
{
public:
    // Attaches the command to a newly created main window (a mainWindowCreated call).
    static void attach(QWidget* mainWindow);
    // Shows the report selection window modally, with the busy pointer while it loads.
    static void OpenPrintForm(RecipeNew& mainWindow);
};

} // namespace pantrova
