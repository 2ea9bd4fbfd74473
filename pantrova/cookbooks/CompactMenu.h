#pragma once

#include <QString>

namespace pantrova {

class RecipeNew;

// "Compact active database": after the warning, closes the planner and every database, compacts
// the current cookbook, "Utility.mdb" and "menus.mdb" (Compaction), then reopens the cookbook,
// reloads the planner hidden and shows section 1 with its first group. The main window is disabled
// and a progress window shows while the files are closed. When a file cannot be compacted, every
// file is still whole; the cookbook is reopened and the planner reloaded all the same, and the
// message names the files that were compacted and the cause.
void Compact_Menu_Click(RecipeNew& window);

// The warning shown first, line by line, with the cookbook's file in capitals.
QString compactWarning(const QString& cookbookFile);

} // namespace pantrova
