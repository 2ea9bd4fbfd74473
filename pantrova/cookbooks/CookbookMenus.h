#pragma once

class QWidget;

namespace pantrova {

// Connects the main window's "Add/Change CookBooks" (CB_Menu) to the cookbook manager and
// "Compact active database" (Compact_Menu) to compaction. Registered as a mainWindowCreated hook.
void attachCookbookMenus(QWidget* mainWindow);

} // namespace pantrova
