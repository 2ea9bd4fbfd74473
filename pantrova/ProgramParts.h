#pragma once

namespace pantrova {

struct Program;

// Hands the program's parts their hooks: the menus and buttons each part adds to the main window
// when it is created, the meal planner's loading and unloading, the cookbook checks and the
// calendar control's registration. Kept apart from main() so tests can build the main window the
// cook gets, with every part in place.
void attachProgramParts(Program& p);

} // namespace pantrova
