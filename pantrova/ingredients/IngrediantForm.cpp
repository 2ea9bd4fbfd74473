#include "IngrediantForm.h"

#include "data/EngineError.h"
#include "data/Workspace.h"
#include "recipes/RecipeNew.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/Twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace pantrova {

using ui::Dialogs;

namespace {

constexpr int kBelowMainTop = 1900;        // twips from the main window's top edge
constexpr int kLeftOfMainRightEdge = 2500; // twips from the main window's right edge

// How the lists are named to the cook in messages.
QString listTitle(WordLists::List which)
{
    switch (which) {
    case WordLists::Amount:
        return QStringLiteral("Amount");
    case WordLists::Amount2:
        return QStringLiteral("second Amount");
    case WordLists::Measure:
        return QStringLiteral("Measure");
    case WordLists::Ingredient:
        break;
    }
    return QStringLiteral("Ingrediant");
}

QComboBox* wordCombo(QWidget* parent, const char* name, const QString& accessibleName)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setAccessibleName(accessibleName);
    combo->setEditable(true);
    // Typed words are stored by "Add to Ingredients", never by Enter.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setModel(new QStringListModel(combo));
    combo->setMaxVisibleItems(20);
    combo->setCursor(Qt::PointingHandCursor);
    combo->lineEdit()->setCursor(Qt::IBeamCursor);
    return combo;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QString& description = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(caption);
    b->setAccessibleDescription(description);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

void reportUnusableWordLists(const engine::EngineError& e)
{
    const QString file = QString::fromLatin1(WordLists::FileName);
    const QString path = engine::Workspace::resolvePath(file);
    const QString text =
        QFileInfo::exists(path)
            ? QStringLiteral("The ingredient helper cannot use its word lists: the file \"%1\" is damaged.")
                  .arg(file)
            : QStringLiteral("The ingredient helper cannot find its word lists: the file \"%1\" is missing "
                             "from the program folder.")
                  .arg(file);
    Dialogs::messageBox(text + QStringLiteral("\n\nDetails: ") + e.reason() + QStringLiteral("\nFile: ") +
                            path,
                        ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
}

} // namespace

IngrediantForm::IngrediantForm(RecipeNew& mainWindow) : QDialog(&mainWindow, Qt::Tool), w(mainWindow)
{
    // A tool window of the main window floats above it and goes with it, while the dialogs the
    // main window opens still come up above the helper; above every window of the desktop it
    // would hide them.
    setObjectName(QStringLiteral("IngrediantForm"));
    setAccessibleName(QStringLiteral("Ingredient Helper"));
    setWindowTitle(QString());
    setModal(false);

    Label6 = label(this, "Label6", QStringLiteral("Ingredient Helper"));
    QFont title = Label6->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.2);
    Label6->setFont(title);
    Label6->setAlignment(Qt::AlignCenter);

    Label3 = label(this, "Label3", QStringLiteral("Amount"));
    Amount_List = wordCombo(this, "Amount_List", QStringLiteral("Amount"));
    Amount2_List = wordCombo(this, "Amount2_List", QStringLiteral("Second amount part"));
    AMT_Button = button(this, "AMT_Button", QStringLiteral("Edit/Delete"),
                        QStringLiteral("Change or delete the chosen amount"));
    Label7 = label(this, "Label7", QStringLiteral("Measure"));
    Measure_List = wordCombo(this, "Measure_List", QStringLiteral("Measure"));
    MES_button = button(this, "MES_button", QStringLiteral("Edit/Delete"),
                        QStringLiteral("Change or delete the chosen measure"));
    Label8 = label(this, "Label8", QStringLiteral("Ingrediant"));
    Ingredient_List = wordCombo(this, "Ingredient_List", QStringLiteral("Ingredient"));
    ING_Button = button(this, "ING_Button", QStringLiteral("Edit/Delete"),
                        QStringLiteral("Change or delete the chosen ingredient"));
    I_Add_Button = button(this, "I_Add_Button", QStringLiteral("Add to Ingredients"));
    I_Add_Button->setDefault(true);
    I_help_Button = button(this, "I_help_Button", QStringLiteral("Help"));
    Label3->setBuddy(Amount_List);
    Label7->setBuddy(Measure_List);
    Label8->setBuddy(Ingredient_List);
    for (QPushButton* b : {AMT_Button, MES_button, ING_Button})
        b->setEnabled(false);
    m_amountList = Amount_List;

    Amount_List->setMinimumContentsLength(4);
    Amount2_List->setMinimumContentsLength(4);
    Measure_List->setMinimumContentsLength(12);
    Ingredient_List->setMinimumContentsLength(22);

    auto* grid = new QGridLayout;
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(Amount_List, 0, 1);
    grid->addWidget(Amount2_List, 0, 2);
    grid->addWidget(AMT_Button, 0, 3);
    grid->addWidget(Label7, 1, 0);
    grid->addWidget(Measure_List, 1, 1, 1, 2);
    grid->addWidget(MES_button, 1, 3);
    grid->addWidget(Label8, 2, 0);
    grid->addWidget(Ingredient_List, 2, 1, 1, 2);
    grid->addWidget(ING_Button, 2, 3);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(I_Add_Button, 1);
    buttons->addWidget(I_help_Button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label6);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    // Tab walks the four lists first, then the buttons.
    const QList<QWidget*> tabOrder{Amount_List, Amount2_List, Measure_List, Ingredient_List, I_Add_Button,
                                   AMT_Button,  MES_button,   ING_Button,   I_help_Button};
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    for (int i = 0; i < WordLists::Count; ++i) {
        list(WordLists::List(i))->installEventFilter(this);
        list(WordLists::List(i))->lineEdit()->installEventFilter(this);
    }

    auto on = [this](QPushButton* b, const QString& what, void (IngrediantForm::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, what, handler] { ui::guarded(what, [&] { (this->*handler)(); }); });
    };
    on(I_Add_Button, QStringLiteral("Adding the ingredient line"), &IngrediantForm::I_Add_Button_Click);
    on(AMT_Button, QStringLiteral("Changing the amount"), &IngrediantForm::AMT_Button_Click);
    on(MES_button, QStringLiteral("Changing the measure"), &IngrediantForm::MES_button_Click);
    on(ING_Button, QStringLiteral("Changing the ingredient"), &IngrediantForm::ING_Button_Click);
}

void IngrediantForm::attach(RecipeNew& w)
{
    RecipeNew* window = &w;
    connect(w.I_Button, &QPushButton::clicked, window, [window] {
        ui::guarded(QStringLiteral("Opening the ingredient helper"), [window] { I_Button_Click(*window); });
    });
}

IngrediantForm* IngrediantForm::of(RecipeNew& w)
{
    return w.findChild<IngrediantForm*>(QStringLiteral("IngrediantForm"), Qt::FindDirectChildrenOnly);
}

void IngrediantForm::I_Button_Click(RecipeNew& w)
{
    w.SSTab1->setCurrentIndex(1);
    IngrediantForm* form = of(w);
    if (!form)
        form = new IngrediantForm(w);
    try {
        form->m_lists.open();
        if (!form->isVisible())
            form->Form_Load();
    } catch (const engine::EngineError& e) {
        form->m_lists.close();
        form->hide();
        reportUnusableWordLists(e);
        return;
    }
    form->show();
    form->raise();
    form->activateWindow();
}

QComboBox* IngrediantForm::list(WordLists::List which) const
{
    switch (which) {
    case WordLists::Amount:
        return Amount_List;
    case WordLists::Amount2:
        return Amount2_List;
    case WordLists::Measure:
        return Measure_List;
    case WordLists::Ingredient:
        break;
    }
    return Ingredient_List;
}

QString IngrediantForm::entryPrompt()
{
    return QStringLiteral("Make desired changes to entry.") + QChar(10) +
           QStringLiteral("To delete entry enter DELETE");
}

void IngrediantForm::Form_Load()
{
    for (int i = 0; i < WordLists::Count; ++i)
        FillList(WordLists::List(i));
    const QRect main = w.frameGeometry();
    move(main.x() + main.width() - ui::Twips::toPixelsX(kLeftOfMainRightEdge),
         main.y() + ui::Twips::toPixelsY(kBelowMainTop));
}

void IngrediantForm::FillList(WordLists::List which)
{
    QComboBox* combo = list(which);
    QStringList items{QStringLiteral(" ")};
    items += m_lists.words(which);
    static_cast<QStringListModel*>(combo->model())->setStringList(items);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

bool IngrediantForm::refuseTooLong(WordLists::List which, const QString& word)
{
    if (m_lists.fits(which, word))
        return false;
    Dialogs::messageBox(
        QStringLiteral("An entry of the %1 list can have at most %2 characters; the one typed "
                       "has %3.")
                .arg(listTitle(which))
                .arg(m_lists.fieldSize(which))
                .arg(word.size()) +
            QChar(10) + QStringLiteral("Please shorten it and try again."),
        ui::MsgButtons::OK, ui::MsgIcon::Information);
    list(which)->setFocus();
    return true;
}

void IngrediantForm::reopenIfClosed()
{
    // Compacting the data files closes every database; the helper may have stayed open meanwhile.
    if (!m_lists.isOpen())
        m_lists.open();
}

void IngrediantForm::I_Add_Button_Click()
{
    if (!w.Ingrediants->isEnabled()) {
        Dialogs::messageBox(QStringLiteral("There is no recipe to add the line to.") + QChar(10) +
                                QStringLiteral("Choose a recipe, or add a new one, first."),
                            ui::MsgButtons::OK, ui::MsgIcon::Information);
        return;
    }
    reopenIfClosed();
    std::array<QString, WordLists::Count> typed;
    std::array<QString, WordLists::Count> newWords;
    for (int i = 0; i < WordLists::Count; ++i) {
        const auto which = WordLists::List(i);
        typed[size_t(i)] = list(which)->currentText();
        // Blanks alone (the first item of every list) are no word.
        if (typed[size_t(i)].trimmed().isEmpty())
            continue;
        if (refuseTooLong(which, typed[size_t(i)]))
            return;
        newWords[size_t(i)] = typed[size_t(i)];
    }

    ui::BusyCursor busy;
    ING_Button->setEnabled(false);
    const QString line = QString(typed[0] + u' ' + typed[1] + u' ' + typed[2] + u' ' + typed[3]).trimmed();
    const std::array<bool, WordLists::Count> added = m_lists.addAll(newWords);

    QTextCursor end(w.Ingrediants->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QChar(10) + line);
    w.Ingrediants->setTextCursor(end);
    w.Ingrediants->ensureCursorVisible();

    for (int i = 0; i < WordLists::Count; ++i) {
        const auto which = WordLists::List(i);
        if (added[size_t(i)])
            FillList(which);
        list(which)->setCurrentIndex(-1);
        list(which)->clearEditText();
    }
}

void IngrediantForm::AMT_Button_Click()
{
    editEntry(m_amountList == Amount2_List ? WordLists::Amount2 : WordLists::Amount);
}

void IngrediantForm::MES_button_Click()
{
    editEntry(WordLists::Measure);
}

void IngrediantForm::ING_Button_Click()
{
    editEntry(WordLists::Ingredient);
}

void IngrediantForm::editEntry(WordLists::List which)
{
    QComboBox* combo = list(which);
    const QString entry = combo->currentText();
    if (entry.isEmpty())
        return;
    const std::optional<QString> answer =
        Dialogs::inputBox(entryPrompt(), QStringLiteral("Entry Modification"), entry);
    if (!answer || answer->isEmpty() || *answer == entry)
        return;
    reopenIfClosed();
    if (!m_lists.contains(which, entry))
        return;

    const QString deleteWord = QStringLiteral("DELETE");
    QString newText = entry;
    if (answer->trimmed() == deleteWord) {
        m_lists.remove(which, entry);
        newText.clear();
    } else if (answer->trimmed().toUpper() != deleteWord) {
        // "delete" in other letters, blanks or not, is taken for a mistyped DELETE: nothing changes.
        if (refuseTooLong(which, *answer))
            return;
        if (m_lists.change(which, entry, *answer) == WordLists::Change::Taken) {
            Dialogs::messageBox(
                QStringLiteral("\"%1\" is in the %2 list already.").arg(*answer, listTitle(which)),
                ui::MsgButtons::OK, ui::MsgIcon::Information);
            return;
        }
        newText = *answer;
    }
    FillList(which);
    combo->setEditText(newText);
}

void IngrediantForm::listFocused(QComboBox* combo)
{
    const bool amount = combo == Amount_List || combo == Amount2_List;
    if (amount)
        m_amountList = combo;
    AMT_Button->setEnabled(amount);
    MES_button->setEnabled(combo == Measure_List);
    ING_Button->setEnabled(combo == Ingredient_List);
}

bool IngrediantForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (!combo && watched)
        combo = qobject_cast<QComboBox*>(watched->parent());
    if (combo) {
        // Enter adds the line with the words as they stand, completions included; left to the list,
        // it would first swap a typed word for a stored one that differs in letter case.
        if (event->type() == QEvent::KeyPress && !combo->view()->isVisible()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                I_Add_Button->click();
                return true;
            }
        }
        if (event->type() == QEvent::FocusIn)
            listFocused(combo);
        else if (event->type() == QEvent::MouseButtonPress && (combo == Amount_List || combo == Amount2_List))
            m_amountList = combo;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace pantrova
