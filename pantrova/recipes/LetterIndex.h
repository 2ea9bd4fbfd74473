#pragma once

#include "data/Recordset.h"

#include <QString>

#include <vector>

namespace pantrova {

class RecipeNew;

// The recipe list and the letter index of the main window: which letters of the current group
// have recipes, which letter's recipes fill Recipe_List, and which recipe of the group is shown.
//
// The letter strip numbers its buttons from 1, three per letter: base b = 3(k-1)+1 for letter k is
// the normal look, b+1 the active look, b+2 the no-data look. A recipe's letter is the first
// character of its name, upper-cased; anything outside A-Z (digits, punctuation, accented letters)
// counts as A. The state the other windows read lives in the window's variables.
//
// Reading a whole recipe row is costly (its texts come along), and the letter routines look at every
// recipe of the group. So the index keeps, for the recipe set's rows in the set's order, each row's
// name, number and bookmark, read once: in one pass from a query in the set's order when the set
// has just been opened, or matched by bookmark after changes. MarkLettersWithRecipes reads them
// afresh, as it runs after anything that changes the group's recipes (showing a group's first
// recipe, saving, deleting, moving); the other routines work from them and position the recipe set
// by bookmark. Switching letter or stepping to the next recipe then costs no more than the recipe
// shown.
class LetterIndex
{
public:
    explicit LetterIndex(RecipeNew& window) : w(window) {}

    void LoadGroupRecipes();
    void ShowFirstRecipe();
    void ShowCurrentRecipe();
    void FindRecipe(qint32 number, const QString& name);
    void StepRecipe(int direction);
    void FillLetterList(QString& letter);
    void MarkLettersWithRecipes();
    void LetterOfRecipe(bool makeNew);
    void SetNewLetter(qint16 index);
    void HighlightLetter(qint16& active, qint16& previous);
    void SetLetterTooltips();
    void Enable_Buttons2();
    void LetterButtonClick(int index);

    // The letter a recipe name is filed under.
    static QString letterOf(const QString& name);
    static qint16 baseButtonOf(const QString& letter);
    // Recipe_List's text for a recipe: the name, with " - n" when the number is above 1.
    static QString entryText(const QString& name, qint32 number);

    // Reads the names, numbers and bookmarks of the recipe set's rows again.
    void refresh();
    // What a save or a delete changed. The next refresh then takes every other row's name and number
    // from what the index holds and only walks the set for its order, instead of reading the whole
    // group again; a row it does not know sends it back to reading everything.
    void noteSaved(engine::Bookmark row, const QString& name, qint32 number);
    void noteDeleted(engine::Bookmark row);
    // The recipe set's query for a group.
    static QString recipeSetSql(qint16 group);
    // Opens the recipe detail on the recipe set's current row.
    void openDetailOfCurrentRow();
    // The name and number of the recipe set's current row, as the index knows them.
    QString currentName() const { return currentRow().name; }
    qint32 currentNumber() const { return currentRow().number; }

private:
    struct Entry
    {
        QString name;
        qint32 number = 0;
        engine::Bookmark mark = 0;
    };

    Entry currentRow() const;       // the recipe set's current row, as the index knows it
    void adoptLetterOfCurrentRow(); // ShowFirstRecipe's step 3
    void leaveSetPastItsEnd();
    bool refreshFromNotes();

    RecipeNew& w;
    std::vector<Entry> m_entries; // the recipe set's rows, in its order
    bool m_freshSet = false;      // the set is as opened: no row added or changed since
    bool m_noted = false;         // m_entries holds every row, with the noted change applied
};

} // namespace pantrova
