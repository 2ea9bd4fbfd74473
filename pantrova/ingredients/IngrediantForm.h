#pragma once

#include "WordLists.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace pantrova {

class RecipeNew;

// The ingredient helper: a small tool window that floats above the main window and composes one
// ingredient line from four word lists (an amount, a second amount part, a measure and an
// ingredient), appends it to the ingredients of the recipe on the main window's page, and stores
// the words typed that its lists do not hold yet. Each list's entries can be changed or deleted
// in place through its "Edit/Delete" button.
//
// It is made the first time the main window's "Ingredient Helper" is pressed and shown again by
// each later press, which also opens the word lists afresh. A missing or damaged "Utility.mdb" is
// reported and the helper stays closed; the main window is not affected. Enter adds the line,
// Escape closes the helper, and each list completes a word from its entries as it is typed.
class IngrediantForm : public QDialog
{
    Q_OBJECT

public:
    explicit IngrediantForm(RecipeNew& mainWindow);

    // Connects the main window's I_Button.
    static void attach(RecipeNew& w);
    // The main window's "Ingredient Helper".
    static void I_Button_Click(RecipeNew& w);
    // The helper of that main window, when it has been made.
    static IngrediantForm* of(RecipeNew& w);

    QLabel* Label6 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Amount_List = nullptr;
    QComboBox* Amount2_List = nullptr;
    QPushButton* AMT_Button = nullptr;
    QLabel* Label7 = nullptr;
    QComboBox* Measure_List = nullptr;
    QPushButton* MES_button = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* Ingredient_List = nullptr;
    QPushButton* ING_Button = nullptr;
    QPushButton* I_Add_Button = nullptr;
    QPushButton* I_help_Button = nullptr;

    void Form_Load();
    void FillList(WordLists::List list);
    void I_Add_Button_Click();
    void AMT_Button_Click();
    void MES_button_Click();
    void ING_Button_Click();

    QComboBox* list(WordLists::List which) const;
    // The amount list that last had the focus or a click: the one AMT_Button works on.
    QComboBox* currentAmountList() const { return m_amountList; }
    WordLists& wordLists() { return m_lists; }

    static QString entryPrompt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reopenIfClosed();
    void editEntry(WordLists::List which);
    void listFocused(QComboBox* combo);
    bool refuseTooLong(WordLists::List which, const QString& word);

    RecipeNew& w;
    WordLists m_lists;
    QComboBox* m_amountList = nullptr;
};

} // namespace pantrova
