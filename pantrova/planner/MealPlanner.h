#pragma once

class QWidget;

namespace pantrova {

class MenuForm;

// The meal planner's life beside the main window. The program registers these as its planner
// hooks: the main window's load loads the planner hidden, its unload unloads it, and compaction
// unloads and loads it again around its work. Both are safe to call in any order and any number
// of times: loading a loaded planner and unloading an unloaded one do nothing.
//
// A planner that cannot load (a missing or damaged menus database) says why in an error box and
// leaves the main window working without it; the panel's commands try again when used.
namespace MealPlanner {

void Load();
void Unload();
// Gives a new main window its planner panel (a mainWindowCreated hook).
void AttachPanel(QWidget* mainWindow);
// The loaded planner window, or nullptr.
MenuForm* Form();

} // namespace MealPlanner

} // namespace pantrova
