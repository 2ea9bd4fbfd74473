#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace pantrova {

class RecipeNew;

// The modal dialog that moves the displayed recipe of the main window to a group of any section.
//
// It names the recipe and where it is now, lists every section and, for the section chosen, its
// groups. Choosing a section sets the program's TargetSection and empties the group choice;
// choosing a group sets TargetGroup to a group of that section. "Move Recipe" (or Enter) moves the
// recipe in one transaction when a group was chosen in this opening and it is not the recipe's own
// group; otherwise it acts as "Cancel". "Cancel", Escape and closing the window set the targets back
// to the current section and group and forget the recipe's name, so the main window stays as it was.
class MoverecipeForm : public QDialog
{
    Q_OBJECT

public:
    explicit MoverecipeForm(RecipeNew& mainWindow);

    std::array<QLabel*, 3> RecipeNameLabel{};
    QLabel* Label1 = nullptr;
    QComboBox* SectionCombo = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* GroupCombo = nullptr;
    QPushButton* MoveButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void Form_Load();
    void SectionCombo_Click();
    void GroupCombo_Click();
    void MoveButton_Click();
    void CancelButton_Click();

    void reject() override;

private:
    RecipeNew& w;
    bool m_groupChosen = false; // a group of TargetSection was chosen in this opening
};

} // namespace pantrova
