#pragma once

#include <QString>

namespace pantrova {

class RecipeNew;

// The recipe list and the letter index of the main window: which letters of the current group
// have recipes, which letter's recipes fill Recipe_List, and which recipe of the group is shown.
//
// The letter strip numbers its buttons from 1, three per letter: base b = 3(k-1)+1 for letter k is
// the normal look, b+1 the active look, b+2 the no-data look. A recipe's letter is the first
// character of its name, upper-cased; anything outside A-Z (digits, punctuation, accented letters)
// counts as A. All state lives in the window's variables, so other windows see the same values.
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
    void Recipe_List_Click(int index);

    // The letter a recipe name is filed under.
    static QString letterOf(const QString& name);
    static qint16 baseButtonOf(const QString& letter);
    // Recipe_List's text for a recipe: the name, with " - n" when the number is above 1.
    static QString entryText(const QString& name, qint32 number);

private:
    void adoptLetterOfCurrentRow(); // ShowFirstRecipe's step 3
    void openDetail();

    RecipeNew& w;
};

} // namespace pantrova
