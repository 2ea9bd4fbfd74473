#pragma once

#include "RecipeMenus.h"
#include "RecipePage.h"
#include "RecipeToolbar.h"
#include "data/Recordset.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class QComboBox;
class QFrame;

namespace ui {
class FlexGrid;
class LetterStrip;
} // namespace ui

namespace pantrova {

class LetterIndex;
class PageEdits;
class RecipeEditor;
class SectionNavigator;

// The main window: one section of the open cookbook with its groups on the left, the recipe
// toolbar, the letter strip and the recipe list at the top, and the recipe page on the right.
//
// It opens the current cookbook when it loads and keeps it open (program().Cookbook), shows
// section 1 with its first group and that group's first recipe, reloads everything when it is
// activated after a cookbook switch, keeps the layout rules when resized, and writes the window
// settings when it unloads. Before anything replaces the recipe page (another recipe, letter,
// group or section, Add, closing) the page is settled: unsaved typing is saved, given up or kept
// as the person answers (SettlePendingEdits). Its controls, recordsets and state variables are
// public because the
// other windows work on them directly; the routines of the section grids and of the letter index
// live in SectionNavigator and LetterIndex, reached through the routines below.
class RecipeNew : public QMainWindow, public RecipeMenus, public RecipeToolbar, public RecipePage
{
    Q_OBJECT

public:
    explicit RecipeNew(QWidget* parent = nullptr);
    ~RecipeNew() override;

    // Creates the window, runs its load and shows it; the window deletes itself when closed.
    static RecipeNew* Open();

    // Controls outside the recipe page.
    ui::LetterStrip* Toolbar2;
    QComboBox* Recipe_List;
    ui::FlexGrid* SectionGrid;
    ui::FlexGrid* GroupGrid;
    QFrame* Frame2;

    // The recordsets over the open cookbook.
    engine::Recordset RecipeSet;    // the current group's recipes; its current row is the shown recipe
    engine::Recordset RecipeDetail; // the shown recipe, opened afresh for each display
    engine::Recordset GroupSet;
    engine::Recordset SectionSet;

    // Window state.
    QString LoadedCookbookFile;
    bool FirstActivation = false;
    bool AddingRecipe = false;
    engine::Bookmark SavedBookmark = 0;
    QString DefaultPictureFile;
    QString CurrentGroupName;
    QList<qint32> ListCodes;
    QStringList ListNames;
    qint16 ActiveLetterButton = 0;
    qint16 PreviousLetterButton = 0;
    qint16 NewLetterButton = 0;
    qint16 OldLetterButton = 0;
    QString CurrentLetter;
    QString NewLetter;
    QString LastAnswer;

    // Makes the recipe page safe to replace. Closes any open cell editor into the recipe it was
    // opened on; when the page holds unsaved typing, asks "Save changes to <recipe>?" with Yes, No
    // and Cancel: Yes saves as the Save command does, No puts the stored recipe back on the page
    // (or gives up a new one). Returns false when the person cancelled or the save was refused (no
    // name): the caller must then leave the page as it is. Afterwards the recipe set's current row
    // is the recipe shown. A failing save throws, like the Save command. Every window that is about
    // to act on or replace the shown recipe calls this first.
    bool SettlePendingEdits();
    QString SaveChangesQuestion() const;
    // Makes the recipe list name the recipe on the page (no entry while a recipe is being added).
    void restoreListChoice();

    // Window events.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();

    // Sections and groups.
    void ShowSection(quint8 section);
    void SelectGroup(qint16& button);
    void SectionGrid_Click();

    // The recipe list and the letter strip.
    void LoadGroupRecipes();
    void ShowFirstRecipe();
    void ShowCurrentRecipe();
    void FindRecipe(qint32 number, const QString& name);
    void StepRecipe(int direction);
    void FillLetterList(QString& letter);
    void MarkLettersWithRecipes();
    void Enable_Buttons2();
    void SetLetterTooltips();
    void Toolbar2_ButtonClick(int index);
    void Recipe_List_Click(int index);

    // The recipe page.
    void ShowRecipe();
    void ClearRecipeFields();
    void SetRecipeFieldsEnabled(const QString& colour, bool& enabled);
    void ToolBar_1();
    void ToolBar_2();
    void ToolBar_3();
    void DisplayPic_Click();
    void Toolbar1_ButtonClick(int button);

    // Recipe editing, pictures, serving figures and display options (the work is RecipeEditor's).
    void AddRecipe();
    void SaveRecipeCommand();
    void SaveRecipe();
    void CancelRecipeAdd();
    void DeleteRecipe();
    qint32 DupNameCheck(const QString& name, qint32& number, qint16& group);
    void Add_Pic_Click();
    void Delete_Pic_Click();
    void PicDisplayMenu_Click(bool checked);
    void Bold_Menu_Click(bool checked);
    void SSTab1_Click(int tab);
    void SMGrid_Click();
    void ServingGrid_Click();

    LetterIndex& letters() { return *m_letters; }
    RecipeEditor& editor() { return *m_editor; }
    PageEdits& pageEdits() { return *m_edits; }

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void connectControls();
    void firstActivationStep();
    // What the person does in the group and section grids.
    void GroupGrid_MouseDown(int button);
    void GroupGrid_KeyDown(int key);
    void chooseGroupInCurrentRow();
    void SectionGrid_Chosen();

    std::unique_ptr<SectionNavigator> m_sections;
    std::unique_ptr<LetterIndex> m_letters;
    std::unique_ptr<RecipeEditor> m_editor;
    std::unique_ptr<PageEdits> m_edits;
    QWidget* m_form;    // the client area the layout rules place controls on
    QWidget* m_topBand; // Toolbar1, Recipe_List and Toolbar2
    QString m_keptSPic;
    bool m_unloaded = false;
};

} // namespace pantrova
