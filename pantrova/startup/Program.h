#pragma once

#include "data/Database.h"
#include "data/Workspace.h"

#include <QDate>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace pantrova {

// The program-wide values, in one small explicit place: what the start-up routine settles (the
// program folder, the workspace, the current cookbook file and name, splash mode), what the main
// window shares with the other windows (the open cookbook, the current section and group), the
// planner's values, and the calls into parts that other people build (the meal planner, the
// cookbook format checks, the calendar control's registration, opening the main window).
//
// A call left empty does nothing, so every window runs on its own in tests. Used from the
// user-interface thread only. Tests call reset() between cases.
struct Program
{
    QString folder; // the program folder, the current directory during the run
    // Where the templates, the help file and the artwork are read; empty: the program folder.
    QString shippedFolder;
    std::unique_ptr<engine::Workspace> workspace;
    QString CurrentCookbookFile; // the CurDB value, such as "recipe20.mdb"
    QString CurrentCookbookName; // its display name from the catalogue, empty when it has no row
    bool SplashMode = false;

    // Shared with the windows that work on the open cookbook.
    engine::Database Cookbook;
    quint8 CurrentSection = 0;
    qint16 CurrentGroup = 0;
    quint16 RememberedGroupRow = 0; // a section may hold more groups than 8 bits can count

    // Moving the displayed recipe to another group: the target chosen last, and the recipe the main
    // window looks for in it afterwards (MovedRecipeCode is -1 once it has been found).
    quint8 TargetSection = 0;
    qint16 TargetGroup = 0;
    QString MovedRecipeName;
    qint32 MovedRecipeCode = 0;

    // The planner's program-wide values.
    bool MainWindowActive = false;
    QDate CurrentMenuDate = QDate::currentDate();
    qint32 CurrentMeal = -1;

    // Windows that outlive a single call.
    QPointer<QWidget> aboutForm; // the splash or about box while it is up
    QPointer<QWidget> mainWindow;
    QPointer<QWidget> menuForm; // the meal planner while it is loaded, shown or hidden

    // Calls into other parts of the program.
    std::function<void()> showMainWindow;          // the splash's leave step opens the main window
    std::function<void()> registerCalendarControl; // first start: make the calendar control known
    std::function<void()> loadPlanner;             // main window load: the planner, hidden
    std::function<void()> unloadPlanner;           // main window unload
    std::function<void(engine::Database&)> checkCookbookFormat; // the checks run on every opened cookbook
    // Called with the main window once its controls exist, so the parts built on it (cookbook
    // manager, group dialogs, planner panel, reports, ingredient helper) can connect its menu
    // entries and buttons.
    std::vector<std::function<void(QWidget* mainWindow)>> mainWindowCreated;

    engine::Workspace& Workspace();
    // The program folder: `folder`, else the current directory.
    QString programDir() const;
    // The folder the shipped files are read from: shippedFolder, else the program folder, else the
    // current directory.
    QString shippedDir() const;
    void reset();
};

Program& program();

} // namespace pantrova
