#pragma once

#include "RecipeStore.h"

#include <QImage>
#include <QString>

namespace pantrova {

class RecipeNew;

// Adding, saving, cancelling and deleting recipes on the main window's recipe page, and the
// recipe's picture.
//
// Works on the window's controls, recordsets and state variables, so other windows see the same
// values. Promises:
// - a save is all or nothing: when it fails the cookbook is as it was, the page keeps what was
//   typed, and the window stays in the state it was in (adding stays adding);
// - after a save or a delete the recipe list, the letter strip and the page agree with the cookbook,
//   refreshed through the letter index, which reads only names and numbers;
// - the adding state ends whenever the person leaves the new recipe for another recipe, letter or
//   group, so a later Save never stores a copy of a recipe that was only looked at;
// - picture commands act only on a recipe that is shown and saved.
class RecipeEditor
{
public:
    explicit RecipeEditor(RecipeNew& window) : w(window) {}

    void AddRecipe();
    void SaveRecipeCommand();
    void SaveRecipe();
    void CancelAdd();
    void DeleteRecipe();

    void Add_Pic_Click();
    void Delete_Pic_Click();
    void PicDisplayMenu_Click(bool checked);
    // The picture step of showing a recipe: the recipe's own picture, or the default one. A picture
    // that cannot be read is dropped from the recipe (it counts as having none from then on).
    void ShowRecipePicture();
    void showDefaultPicture();
    void showImage(const QImage& picture);

    void SSTab1_Click(int tab);

    // Ends the adding state without saving, before the window shows something else.
    void leaveAdding();
    // The picture buttons are usable only while a saved recipe is shown.
    void updatePictureCommands();

    // The file dialog's filter of picture files, and the filter preselected (JPEG).
    static QString pictureFilter();
    static constexpr int PictureFilterIndex = 2;
    static QString refusedPictureMessage(const QString& file);
    QString copyQuestion() const;

    QString programFolder() const;

private:
    RecipeText pageText(const QString& name) const;
    void finishGridEditing();
    void reopenRecipeSet();
    // Shows the recipe set's current row: the list of its letter, the letter strip (rebuilt when
    // `rebuildStrip`), and the page.
    void showCurrentRow(bool rebuildStrip);
    void openDetailOfCurrentRow();
    void showEmptyGroup();

    RecipeNew& w;
};

} // namespace pantrova
