#include "RecipeNew.h"

#include "DisplayOptions.h"
#include "LetterIndex.h"
#include "PageEdits.h"
#include "RecipeEditor.h"
#include "RecipeStore.h"
#include "SectionNavigator.h"
#include "ServingFigures.h"
#include "data/Settings.h"
#include "startup/About_Form.h"
#include "startup/DamagedFiles.h"
#include "startup/Help.h"
#include "startup/Program.h"
#include "startup/SharedRoutines.h"
#include "ui/ErrorGuard.h"
#include "ui/FlexGrid.h"
#include "ui/LetterStrip.h"
#include "ui/PlainTextBox.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace pantrova {

namespace {
// Design values of the window, in twips.
constexpr int kDesignHeight = 7515;
constexpr int kDesignWidth = 9555;
constexpr int kTopBand = 840;
constexpr int kMinGroupGridHeight = 5145;
constexpr int kGridFrame = 45;  // border and room around the name column
constexpr int kScrollBar = 255; // the group grid's scroll bar, when it has more groups than rows
constexpr int kMargin = 60;

const QString kHomePage = QStringLiteral("https://pantrova.org/");
const QString kSupportMail = QStringLiteral("mailto:help@pantrova.org");

// A remembered window size in twips. A value that is not a number or is too small to show the
// window's controls (a damaged settings file) gives the design size rather than a window nobody
// can use.
int rememberedSize(const QString& key, int designSize)
{
    bool ok = false;
    const int twips = Settings::read(key).toInt(&ok);
    return ok && twips >= designSize / 3 ? twips : designSize;
}

bool settingIsTrue(const QString& value)
{
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    return isNumber ? number != 0 : value.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
}
} // namespace

RecipeNew::RecipeNew(QWidget* parent)
    : QMainWindow(parent), Toolbar2(nullptr), Recipe_List(nullptr), SectionGrid(nullptr), GroupGrid(nullptr),
      Frame2(nullptr), m_sections(std::make_unique<SectionNavigator>(*this)),
      m_letters(std::make_unique<LetterIndex>(*this)), m_editor(std::make_unique<RecipeEditor>(*this)),
      m_form(new QWidget(this)), m_topBand(new QWidget(m_form))
{
    setObjectName(QStringLiteral("RecipeNew"));
    setWindowTitle(QStringLiteral("Pantrova"));
    setAccessibleName(QStringLiteral("Pantrova"));
    setCentralWidget(m_form);
    m_form->setObjectName(QStringLiteral("RecipeNew_Form"));

    buildMenus(menuBar());
    buildToolbar(m_topBand);
    Toolbar1->setIconSize(QSize(20, 20));

    Recipe_List = new QComboBox(m_topBand);
    Recipe_List->setObjectName(QStringLiteral("Recipe_List"));
    Recipe_List->setAccessibleName(QStringLiteral("Recipes of the chosen letter"));
    Recipe_List->setEditable(true);
    Recipe_List->setInsertPolicy(QComboBox::NoInsert);
    Recipe_List->setMaxVisibleItems(20);
    Recipe_List->setMinimumWidth(180);
    Recipe_List->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Recipe_List->setMinimumContentsLength(18);

    Toolbar2 = new ui::LetterStrip(m_topBand);
    Toolbar2->setAccessibleName(QStringLiteral("Letters"));

    auto* firstRow = new QHBoxLayout;
    firstRow->setContentsMargins(0, 0, 4, 0);
    firstRow->setSpacing(6);
    firstRow->addWidget(Toolbar1);
    firstRow->addWidget(Recipe_List, 1);
    auto* band = new QVBoxLayout(m_topBand);
    band->setContentsMargins(2, 0, 2, 0);
    band->setSpacing(0);
    band->addLayout(firstRow);
    band->addWidget(Toolbar2);

    Frame2 = new QFrame(m_form);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::NoFrame);

    GroupGrid = new ui::FlexGrid(m_form);
    GroupGrid->setObjectName(QStringLiteral("GroupGrid"));
    GroupGrid->setAccessibleName(QStringLiteral("Recipe groups"));
    GroupGrid->setCols(2);
    GroupGrid->setRows(20);
    GroupGrid->setFixedRows(1);
    GroupGrid->setDefaultRowHeight(255);

    SectionGrid = new ui::FlexGrid(m_form);
    SectionGrid->setObjectName(QStringLiteral("SectionGrid"));
    SectionGrid->setAccessibleName(QStringLiteral("Other sections"));
    SectionGrid->setCols(2);
    SectionGrid->setRows(4);
    SectionGrid->setFixedRows(1);
    SectionGrid->setColWidth(0, 0);
    SectionGrid->setRowHeight(0, 0);
    SectionGrid->table()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Section names are up to 20 characters and the rows are short: a slightly smaller face lets
    // "Baking & Desserts" fit the column.
    QFont sectionFont = SectionGrid->table()->font();
    sectionFont.setPointSizeF(sectionFont.pointSizeF() * 0.9);
    SectionGrid->table()->setFont(sectionFont);
    for (int r = 1; r <= 3; ++r)
        SectionGrid->setRowHeight(r, 245);

    buildPage(m_form);
    Frame2->lower();
    m_edits = std::make_unique<PageEdits>(*this);

    setStyleSheet(QStringLiteral(
        "QLabel[heading=\"true\"] { color: #2F4F3F; font-weight: bold; }"
        "#SectionGrid QTableView { background: #F1E4CC; }"
        "#GroupGrid QTableView { selection-background-color: #C84B31; selection-color: white; }"
        "#SectionGrid QTableView { selection-background-color: #F1E4CC; selection-color: #3A352F; }"
        "QToolButton[objectName^=\"Toolbar2_\"] { border: none; padding: 0px; margin: 0px; }"));
    for (int i = 1; i <= ui::LetterStrip::ButtonCount; ++i)
        Toolbar2->button(i)->setFixedSize(ui::LetterArt::tileSize());

    connectControls();
    DisplayOptions::addShortcuts(*this);
    resize(ui::Twips::toPixelsX(kDesignWidth), ui::Twips::toPixelsY(kDesignHeight));
    for (const auto& attach : program().mainWindowCreated)
        attach(this);
}

RecipeNew::~RecipeNew()
{
    // The controls are destroyed after this part of the window; none of their signals (a combo box
    // reporting its text as it goes) may reach the handlers any more.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    if (!m_unloaded)
        Form_Unload();
}

RecipeNew* RecipeNew::Open()
{
    auto* window = new RecipeNew;
    window->setAttribute(Qt::WA_DeleteOnClose);
    program().mainWindow = window;
    if (!ui::guarded(QStringLiteral("Opening the cookbook ") + program().CurrentCookbookFile,
                     [window] { window->Form_Load(); })) {
        // Without a cookbook there is nothing to show or save: the window closes unseen.
        if (!program().Cookbook.isOpen()) {
            QTimer::singleShot(0, window, &QWidget::close);
            return window;
        }
        window->FirstActivation = true; // the splash must still close when the window first shows
    }
    window->show();
    // A desktop without a window manager never activates the window; the first activation's work
    // (closing the splash) must happen all the same.
    QTimer::singleShot(0, window, [window] {
        if (window->FirstActivation)
            ui::guarded(QStringLiteral("Opening Pantrova"), [window] { window->Form_Activate(); });
    });
    return window;
}

void RecipeNew::connectControls()
{
    // Every handler runs inside the error guard, named after what the person asked for.
    auto on = [this](auto* sender, auto signal, const QString& what, auto handler) {
        connect(sender, signal, this,
                [what, handler](auto... args) { ui::guarded(what, [&] { handler(args...); }); });
    };

    on(GroupGrid, &ui::FlexGrid::MouseDown, QStringLiteral("Showing the recipe group"),
       [this](int button, int, int, int) { GroupGrid_MouseDown(button); });
    on(GroupGrid, &ui::FlexGrid::RowColChange, QStringLiteral("Showing the recipe group"), [this] {
        chooseGroupInCurrentRow();
        GroupGrid->setFocus(); // the keys go on moving through the groups
    });
    on(GroupGrid, &ui::FlexGrid::KeyDown, QStringLiteral("Showing the recipe group"),
       [this](int key, int) { GroupGrid_KeyDown(key); });
    on(SectionGrid, &ui::FlexGrid::Click, QStringLiteral("Showing the section"),
       [this] { SectionGrid_Chosen(); });
    on(Toolbar2, &ui::LetterStrip::ButtonClick, QStringLiteral("Showing the letter's recipes"),
       [this](int index) { Toolbar2_ButtonClick(index); });
    on(Recipe_List, qOverload<int>(&QComboBox::activated), QStringLiteral("Showing the recipe"),
       [this](int index) { Recipe_List_Click(index); });
    for (int n = 1; n <= 8; ++n)
        if (QAction* a = Toolbar1Button(n))
            on(a, &QAction::triggered, a->toolTip(), [this, n](bool) { Toolbar1_ButtonClick(n); });
    on(DisplayPic, &QCheckBox::clicked, QStringLiteral("Changing the default picture"),
       [this](bool) { DisplayPic_Click(); });
    on(AddRecipeMenu, &QAction::triggered, QStringLiteral("Adding a recipe"), [this](bool) { AddRecipe(); });
    on(saverecipemenu, &QAction::triggered, QStringLiteral("Saving the recipe"),
       [this](bool) { SaveRecipeCommand(); });
    on(Add_Pic, &QPushButton::clicked, QStringLiteral("Adding the picture"),
       [this](bool) { Add_Pic_Click(); });
    on(Delete_Pic, &QPushButton::clicked, QStringLiteral("Removing the picture"),
       [this](bool) { Delete_Pic_Click(); });
    on(PicDisplayMenu, &QAction::triggered, QStringLiteral("Changing the default picture"),
       [this](bool checked) { PicDisplayMenu_Click(checked); });
    on(Bold_Menu, &QAction::triggered, QStringLiteral("Changing the fonts"),
       [this](bool checked) { Bold_Menu_Click(checked); });
    on(SSTab1, &QTabWidget::currentChanged, QStringLiteral("Changing the tab"),
       [this](int tab) { SSTab1_Click(tab); });
    on(SMGrid, &ui::FlexGrid::Click, QStringLiteral("Editing the serving figures"),
       [this] { SMGrid_Click(); });
    on(ServingGrid, &ui::FlexGrid::Click, QStringLiteral("Editing the nutrition figures"),
       [this] { ServingGrid_Click(); });

    connect(Quit_Menu, &QAction::triggered, this, &QWidget::close);
    on(About_Menu, &QAction::triggered, QStringLiteral("Showing the about box"),
       [this](bool) { About_Form::showAboutBox(this); });
    on(Contents, &QAction::triggered, QStringLiteral("Opening help"), [](bool) { Help::ShowHelpContents(); });
    on(WebMenu, &QAction::triggered, QStringLiteral("Opening the home page"), [](bool) {
        QString target = kHomePage;
        ShellOpen(target);
    });
    on(EmailMenu, &QAction::triggered, QStringLiteral("Writing to support"), [](bool) {
        QString target = kSupportMail;
        ShellOpen(target);
    });
}

// ---------------------------------------------------------------------------------------------
// Load, activation, resize, unload.

void RecipeNew::Form_Load()
{
    Program& p = program();
    p.MainWindowActive = true;
    if (p.loadPlanner)
        p.loadPlanner();
    DefaultPictureFile.clear();
    Help::SetHelpFile(this);
    setWindowTitle(QStringLiteral("Pantrova - ") + p.CurrentCookbookName);
    LoadedCookbookFile = p.CurrentCookbookFile;
    AddingRecipe = false;
    SetUpNutritionGrids();
    m_keptSPic = Settings::read(QStringLiteral("SPic"));

    const QString folder = p.programDir();
    // Checked before use: a damaged cookbook is set aside for a fresh one, or the load fails.
    p.Cookbook = DamagedFiles::openCookbook(QDir(folder).filePath(p.CurrentCookbookFile));
    if (p.checkCookbookFormat)
        p.checkCookbookFormat(p.Cookbook);

    ShowSection(1);
    GroupGrid->setRow(1);
    qint16 left = 1;
    SelectGroup(left);
    FirstActivation = true;

    if (!m_keptSPic.isEmpty()) {
        DisplayPic->setChecked(m_keptSPic.toInt() != 0);
        DisplayPic_Click();
    }
    MealDay->setText(QStringLiteral("Current day: ") +
                     QLocale().toString(p.CurrentMenuDate, QLocale::ShortFormat));

    SetSizeMenu->setChecked(settingIsTrue(Settings::read(QStringLiteral("Scrn"))));
    if (SetSizeMenu->isChecked()) {
        resize(width(), ui::Twips::toPixelsY(rememberedSize(QStringLiteral("Height"), kDesignHeight)));
        resize(ui::Twips::toPixelsX(rememberedSize(QStringLiteral("Width"), kDesignWidth)), height());
    }
}

void RecipeNew::Form_Activate()
{
    Program& p = program();
    if (p.CurrentCookbookFile != LoadedCookbookFile) {
        // The cookbook manager switched cookbooks: start again from the new one.
        RecipeSet.Close();
        RecipeDetail.Close();
        if (p.Cookbook.isOpen())
            p.Cookbook.Close();
        try {
            Form_Load();
        } catch (...) {
            if (!p.Cookbook.isOpen()) // never an editable window without a cookbook to save to
                QTimer::singleShot(0, this, &QWidget::close);
            throw;
        }
    }
    if (FirstActivation) {
        FirstActivation = false;
        firstActivationStep();
    }
}

void RecipeNew::firstActivationStep()
{
    Program& p = program();
    if (p.aboutForm)
        p.aboutForm->close();
    if (Settings::read(QStringLiteral("DH")) != QStringLiteral("7.0")) {
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        Help::ShowHelpTopic(210);
    }
}

bool RecipeNew::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        ui::guarded(QStringLiteral("Opening the cookbook"), [this] { Form_Activate(); });
    return QMainWindow::event(e);
}

void RecipeNew::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void RecipeNew::Form_Resize()
{
    using ui::Twips;
    const int formWidth = Twips::fromPixelsX(m_form->width());
    const int formHeight = Twips::fromPixelsY(m_form->height());

    m_topBand->setGeometry(0, 0, m_form->width(), Twips::toPixelsY(kTopBand));

    const int scrollRoom = GroupGrid->colWidth(1) < SectionNavigator::WideColumn ? kScrollBar : 0;
    const int gridWidth = GroupGrid->colWidth(1) + scrollRoom + kGridFrame;
    const int sectionHeight = 3 * 245 + kGridFrame;
    // The proportional part: the group grid takes the height the section grid leaves.
    int groupHeight = formHeight - kTopBand - 15 - sectionHeight - kMargin;
    if (groupHeight < kMinGroupGridHeight)
        groupHeight = kMinGroupGridHeight;

    GroupGrid->setGeometry(Twips::toPixelsX(kMargin), Twips::toPixelsY(kTopBand), Twips::toPixelsX(gridWidth),
                           Twips::toPixelsY(groupHeight));
    const int tabLeft = kMargin + gridWidth + kMargin;
    SSTab1->setGeometry(Twips::toPixelsX(tabLeft), Twips::toPixelsY(kTopBand),
                        std::max(0, Twips::toPixelsX(formWidth - tabLeft - kMargin)),
                        std::max(0, Twips::toPixelsY(formHeight - kTopBand - kMargin)));
    SectionGrid->setGeometry(Twips::toPixelsX(kMargin), Twips::toPixelsY(groupHeight + kTopBand + 15),
                             Twips::toPixelsX(gridWidth), Twips::toPixelsY(sectionHeight));

    const int windowHeight = Twips::fromPixelsY(height());
    const int windowWidth = Twips::fromPixelsX(width());
    Frame2->setGeometry(Twips::toPixelsX(kMargin + gridWidth - 100), Twips::toPixelsY(kTopBand),
                        Twips::toPixelsX(std::max(0, windowWidth - gridWidth + 100)),
                        Twips::toPixelsY(std::max(0, windowHeight - 740)));
}

void RecipeNew::closeEvent(QCloseEvent* e)
{
    bool settled = false;
    if (!m_unloaded && (!ui::guarded(QStringLiteral("Saving the recipe"), [&] {
            settled = SettlePendingEdits();
        }) || !settled)) {
        e->ignore();
        return;
    }
    program().MainWindowActive = false;
    Form_Unload();
    e->accept();
}

void RecipeNew::changeEvent(QEvent* e)
{
    // Screen readers announce the window by its accessible name: the title, with the cookbook.
    if (e->type() == QEvent::WindowTitleChange)
        setAccessibleName(windowTitle());
    QMainWindow::changeEvent(e);
}

bool RecipeNew::SettlePendingEdits()
{
    return m_edits->settle();
}

QString RecipeNew::SaveChangesQuestion() const
{
    return m_edits->question();
}

void RecipeNew::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    Program& p = program();
    p.MainWindowActive = false;
    Help::CloseHelp();
    if (p.unloadPlanner)
        p.unloadPlanner();
    const bool remember = SetSizeMenu->isChecked();
    const int h = remember ? ui::Twips::fromPixelsY(height()) : kDesignHeight;
    const int w = remember ? ui::Twips::fromPixelsX(width()) : kDesignWidth;
    Settings::write(QStringLiteral("Height"), QString::number(h));
    Settings::write(QStringLiteral("Width"), QString::number(w));
    Settings::write(QStringLiteral("Scrn"), remember ? QStringLiteral("True") : QStringLiteral("False"));
    RecipeSet.Close();
    RecipeDetail.Close();
    if (p.Cookbook.isOpen())
        p.Cookbook.Close();
}

// ---------------------------------------------------------------------------------------------
// Sections, groups, letters: the work is done by the navigator and the letter index.

void RecipeNew::ShowSection(quint8 section)
{
    m_sections->ShowSection(section);
    Form_Resize(); // the group grid's width follows its column
}

void RecipeNew::SelectGroup(qint16& button)
{
    m_sections->SelectGroup(button);
}

void RecipeNew::SectionGrid_Click()
{
    m_sections->SectionGrid_Click();
}

void RecipeNew::SectionGrid_Chosen()
{
    SectionGrid->setCol(1);
    if (SectionGrid->mouseRow() < 0 || SectionGrid->text().isEmpty())
        return;
    if (!SettlePendingEdits()) {
        SectionGrid->setRow(0);
        return;
    }
    SectionGrid_Click();
}

void RecipeNew::GroupGrid_MouseDown(int button)
{
    if (button != ui::flexLeftButton)
        return;
    // Below the last group, where no row is, a click chooses nothing.
    if (GroupGrid->mouseRow() < 0) {
        GroupGrid->setRow(program().RememberedGroupRow);
        return;
    }
    chooseGroupInCurrentRow();
}

void RecipeNew::GroupGrid_KeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    chooseGroupInCurrentRow();
    GroupGrid->setFocus();
}

void RecipeNew::chooseGroupInCurrentRow()
{
    GroupGrid->setCol(1);
    // The heading and the empty rows choose nothing, so they need no settling either.
    const bool aGroup = GroupGrid->row() > 0 && !GroupGrid->text().isEmpty();
    if (aGroup && !SettlePendingEdits()) {
        GroupGrid->setRow(program().RememberedGroupRow);
        return;
    }
    qint16 left = ui::flexLeftButton;
    SelectGroup(left);
}

void RecipeNew::LoadGroupRecipes()
{
    // Another group is shown: a new recipe that was being entered is given up.
    AddingRecipe = false;
    m_letters->LoadGroupRecipes();
}

void RecipeNew::ShowFirstRecipe()
{
    m_letters->ShowFirstRecipe();
}

void RecipeNew::ShowCurrentRecipe()
{
    m_letters->ShowCurrentRecipe();
}

void RecipeNew::FindRecipe(qint32 number, const QString& name)
{
    m_letters->FindRecipe(number, name);
}

void RecipeNew::StepRecipe(int direction)
{
    m_letters->StepRecipe(direction);
}

void RecipeNew::FillLetterList(QString& letter)
{
    m_letters->FillLetterList(letter);
}

void RecipeNew::MarkLettersWithRecipes()
{
    m_letters->MarkLettersWithRecipes();
}

void RecipeNew::Enable_Buttons2()
{
    m_letters->Enable_Buttons2();
}

void RecipeNew::SetLetterTooltips()
{
    m_letters->SetLetterTooltips();
}

void RecipeNew::Toolbar2_ButtonClick(int index)
{
    // A letter without recipes does nothing; a save may just have emptied the letter.
    if (Toolbar2->buttonToolTip(index).startsWith(u'N') || !SettlePendingEdits() ||
        Toolbar2->buttonToolTip(index).startsWith(u'N'))
        return;
    m_editor->leaveAdding();
    m_letters->LetterButtonClick(index);
}

void RecipeNew::Recipe_List_Click(int index)
{
    if (index < 0 || index >= ListCodes.size() || !RecipeSet.isOpen() || RecipeSet.RecordCount() == 0)
        return;
    // The entry is taken by name and number: settling may save and rebuild the list.
    const qint32 number = ListCodes.at(index);
    const QString name = ListNames.at(index);
    if (!SettlePendingEdits()) {
        restoreListChoice();
        return;
    }
    m_editor->leaveAdding();
    const bool onRecipe = !RecipeSet.isEOF() && !RecipeSet.isBOF();
    const engine::Bookmark shown = onRecipe ? RecipeSet.bookmark() : 0;
    FindRecipe(number, name);
    if (RecipeSet.isEOF()) { // the entry was the recipe just saved under another name
        if (onRecipe)
            RecipeSet.setBookmark(shown);
        restoreListChoice();
        return;
    }
    ShowCurrentRecipe();
}

void RecipeNew::restoreListChoice()
{
    // The list names the recipe on the page again, not the entry the person let go of.
    const QSignalBlocker block(Recipe_List);
    int entry = -1;
    if (!AddingRecipe && RecipeSet.isOpen() && RecipeSet.RecordCount() > 0 && !RecipeSet.isEOF() &&
        !RecipeSet.isBOF()) {
        const QString name = m_letters->currentName();
        const qint32 number = m_letters->currentNumber();
        for (int i = 0; i < Recipe_List->count() && entry < 0; ++i)
            if (ListNames.value(i) == name && ListCodes.value(i) == number)
                entry = i;
    }
    Recipe_List->setCurrentIndex(entry);
    if (entry < 0)
        Recipe_List->setEditText(QString());
}

void RecipeNew::Toolbar1_ButtonClick(int button)
{
    // An open cell editor belongs to the recipe shown now, whatever the command does next.
    m_edits->closeCellEditors();
    switch (button) {
    case 5:
    case 6:
        if (!SettlePendingEdits())
            break;
        StepRecipe(button == 6 ? 1 : 2);
        ShowCurrentRecipe();
        break;
    case 1:
        AddRecipe();
        break;
    case 2:
        SaveRecipeCommand();
        break;
    case 3:
        CancelRecipeAdd();
        break;
    case 4:
        DeleteRecipe();
        break;
    default:
        // Printing comes with the reports.
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// The recipe page.

void RecipeNew::ShowRecipe()
{
    ClearRecipeFields();
    if (RecipeDetail.RecordCount() == 0 || RecipeDetail.isEOF())
        return;
    const engine::Recordset& d = RecipeDetail;
    Recipe_Name->setText(d.Text(QStringLiteral("Name")));
    Description->setPlainText(d.Text(QStringLiteral("Description")));
    Ingrediants->setPlainText(d.Text(QStringLiteral("Ingrediants")));
    Instructions->setPlainText(d.Text(QStringLiteral("Instructions")));
    const qint64 number = d.Fields(QStringLiteral("category_code")).toLong();
    if (number > 1)
        Text1->setText(QStringLiteral("- ") + QString::number(number));

    // A picture that cannot be shown must not keep the rest of the recipe off the page.
    try {
        m_editor->ShowRecipePicture();
    } catch (const std::exception& e) {
        qWarning("The recipe's picture could not be shown: %s", e.what());
    }
    ServingFigures::load(d, *SMGrid, *ServingGrid);
    SSTab1->setCurrentIndex(0);
    if (Recipe_Name->isVisible())
        Recipe_Name->setFocus();
}

void RecipeNew::ClearRecipeFields()
{
    // A figure left in a cell editor must not land on whatever the page shows next.
    m_edits->discardCellEditors();
    clearPageFields();
    m_editor->showDefaultPicture();
    m_edits->markClean();
}

void RecipeNew::SetRecipeFieldsEnabled(const QString& colour, bool& enabled)
{
    setPageFieldsEnabled(colour, enabled);
}

void RecipeNew::ToolBar_1()
{
    for (int n : {1, 2, 4, 5, 6, 8})
        Toolbar1Button(n)->setVisible(true);
    Toolbar1Button(3)->setVisible(false);
    AddRecipeMenu->setVisible(true);
    saverecipemenu->setVisible(true);
    I_Button->setVisible(true);
    m_editor->updatePictureCommands();
}

void RecipeNew::ToolBar_2()
{
    for (int n : {1, 4, 5, 6, 8})
        Toolbar1Button(n)->setVisible(false);
    Toolbar1Button(2)->setVisible(true);
    Toolbar1Button(3)->setVisible(true);
    // The menu entries and their shortcuts follow the toolbar: a first recipe of an empty group
    // can be saved with Ctrl+S as well.
    AddRecipeMenu->setVisible(false);
    saverecipemenu->setVisible(true);
    I_Button->setVisible(true);
    m_editor->updatePictureCommands();
}

void RecipeNew::ToolBar_3()
{
    for (int n : {2, 3, 4, 5, 6, 8})
        Toolbar1Button(n)->setVisible(false);
    Toolbar1Button(1)->setVisible(true);
    AddRecipeMenu->setVisible(true); // also after an Add given up in an empty group
    saverecipemenu->setVisible(false);
    I_Button->setVisible(false);
    m_editor->updatePictureCommands();
}

void RecipeNew::DisplayPic_Click()
{
    const bool on = DisplayPic->isChecked();
    DefaultPictureFile = on ? QStringLiteral("fruits.gif") : QString();
    PicDisplayMenu->setChecked(on);
    DisplayPic->setVisible(!on);
    if (!FirstActivation)
        Settings::write(QStringLiteral("SPic"), on ? QStringLiteral("1") : QStringLiteral("0"));
    // The empty page of a new recipe follows the choice as well as a recipe without a picture.
    if (AddingRecipe || (RecipeSet.isOpen() && RecipeSet.RecordCount() > 0 && !RecipeSet.isEOF() &&
                         !RecipeSet.isBOF() && RecipeSet.Text(QStringLiteral("Picture")).isEmpty()))
        m_editor->showDefaultPicture();
}

// ---------------------------------------------------------------------------------------------
// Recipe editing: the work is done by the editor.

void RecipeNew::AddRecipe()
{
    if (SettlePendingEdits())
        m_editor->AddRecipe();
}

void RecipeNew::SaveRecipeCommand()
{
    m_editor->SaveRecipeCommand();
}

void RecipeNew::SaveRecipe()
{
    m_editor->SaveRecipe();
}

void RecipeNew::CancelRecipeAdd()
{
    m_editor->CancelAdd();
}

void RecipeNew::DeleteRecipe()
{
    m_editor->DeleteRecipe();
}

qint32 RecipeNew::DupNameCheck(const QString& name, qint32& number, qint16& group)
{
    return RecipeStore::DupNameCheck(program().Cookbook, name, number, group);
}

void RecipeNew::Add_Pic_Click()
{
    m_editor->Add_Pic_Click();
}

void RecipeNew::Delete_Pic_Click()
{
    m_editor->Delete_Pic_Click();
}

void RecipeNew::PicDisplayMenu_Click(bool checked)
{
    m_editor->PicDisplayMenu_Click(checked);
}

void RecipeNew::Bold_Menu_Click(bool checked)
{
    DisplayOptions::applyBold(*this, checked);
}

void RecipeNew::SSTab1_Click(int tab)
{
    m_editor->SSTab1_Click(tab);
}

void RecipeNew::SMGrid_Click()
{
    // Only the values under the headings are typed into.
    if (SMGrid->isEnabled() && ServingFigures::isSMValueCell(SMGrid->row(), SMGrid->col()))
        SMGrid->editCell();
}

void RecipeNew::ServingGrid_Click()
{
    if (ServingGrid->isEnabled() &&
        ServingFigures::isServingValueCell(ServingGrid->row(), ServingGrid->col()))
        ServingGrid->editCell();
}

} // namespace pantrova
