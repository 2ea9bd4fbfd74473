#pragma once

namespace pantrova {

class RecipeNew;

// The main window's commands that shape the cookbook: adding, renaming and deleting groups of the
// current section, renaming the section, and moving the displayed recipe to another group.
//
// Group commands work on the current section and, for renaming and deleting, on the group of
// GroupGrid's current row; with the heading row current they do nothing. Adding, renaming and
// deleting end by showing the section again with its first group (by name) current; renaming the
// section rewrites the heading and keeps the group shown.
class GroupCommands
{
public:
    // Connects the Utilities menu entries of the main window.
    static void attach(RecipeNew& w);

    static void AddGroupMenu_Click(RecipeNew& w);
    static void Change_Personal_Menu_Click(RecipeNew& w);
    static void DeleteGroupMenu_Click(RecipeNew& w);
    static void ChangeSectionNameMenu_Click(RecipeNew& w);

    // ShowSection with the current section, then its first group made current.
    static void redisplaySection(RecipeNew& w);
};

} // namespace pantrova
