#include "MoverecipeForm.h"

#include "GroupStore.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/ErrorGuard.h"
#include "ui/FlexGrid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pantrova {

namespace {

QStringList namesOf(engine::Recordset rs, const QString& field)
{
    QStringList names;
    for (; !rs.isEOF(); rs.MoveNext())
        names << rs.Text(field);
    rs.Close();
    return names;
}

QLabel* label(QWidget* parent, const char* name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

MoverecipeForm::MoverecipeForm(RecipeNew& mainWindow) : QDialog(&mainWindow), w(mainWindow)
{
    setObjectName(QStringLiteral("MoverecipeForm"));
    setAccessibleName(QStringLiteral("Move displayed recipe to another recipe group"));
    setWindowTitle(QString());
    setModal(true);

    for (int i = 0; i < 3; ++i) {
        RecipeNameLabel[size_t(i)] = label(this, "RecipeNameLabel");
        RecipeNameLabel[size_t(i)]->setObjectName(QStringLiteral("RecipeNameLabel_%1").arg(i));
    }
    QFont bold = RecipeNameLabel[0]->font();
    bold.setBold(true);
    RecipeNameLabel[0]->setFont(bold);

    Label1 = label(this, "Label1", QStringLiteral("Select Recipe Section"));
    SectionCombo = new QComboBox(this);
    SectionCombo->setObjectName(QStringLiteral("SectionCombo"));
    SectionCombo->setAccessibleName(Label1->text());
    Label1->setBuddy(SectionCombo);
    Label2 = label(this, "Label2", QStringLiteral("Select Recipe Group"));
    GroupCombo = new QComboBox(this);
    GroupCombo->setObjectName(QStringLiteral("GroupCombo"));
    GroupCombo->setAccessibleName(Label2->text());
    GroupCombo->setMaxVisibleItems(20);
    Label2->setBuddy(GroupCombo);
    for (QComboBox* combo : {SectionCombo, GroupCombo})
        combo->setMinimumContentsLength(20);

    MoveButton = new QPushButton(QStringLiteral("Move Recipe"), this);
    MoveButton->setObjectName(QStringLiteral("MoveButton"));
    MoveButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);

    auto* choices = new QGridLayout;
    choices->addWidget(Label1, 0, 0);
    choices->addWidget(SectionCombo, 1, 0);
    choices->addWidget(Label2, 0, 1);
    choices->addWidget(GroupCombo, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(MoveButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    for (QLabel* l : RecipeNameLabel)
        layout->addWidget(l);
    layout->addSpacing(8);
    layout->addLayout(choices);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto on = [this](auto* sender, auto signal, const QString& what, void (MoverecipeForm::*handler)()) {
        connect(sender, signal, this,
                [this, what, handler] { ui::guarded(what, [&] { (this->*handler)(); }); });
    };
    on(SectionCombo, &QComboBox::activated, QStringLiteral("Listing the section's groups"),
       &MoverecipeForm::SectionCombo_Click);
    on(GroupCombo, &QComboBox::activated, QStringLiteral("Choosing the group"),
       &MoverecipeForm::GroupCombo_Click);
    on(MoveButton, &QPushButton::clicked, QStringLiteral("Moving the recipe"),
       &MoverecipeForm::MoveButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &MoverecipeForm::CancelButton_Click);
}

void MoverecipeForm::Form_Load()
{
    Program& p = program();
    const QString sectionName = GroupStore::sectionName(p.Cookbook, p.CurrentSection);
    // The name the recipe is stored under: the one the main window finds it by after the move.
    const QString recipeName = w.RecipeSet.Text(QStringLiteral("Name"));
    w.GroupGrid->setCol(1);
    RecipeNameLabel[0]->setText(QStringLiteral("Move  '") + recipeName);
    RecipeNameLabel[1]->setText(QStringLiteral("from Section: ") + sectionName);
    RecipeNameLabel[2]->setText(QStringLiteral("           Group: ") + w.GroupGrid->text());
    p.MovedRecipeName = recipeName;

    SectionCombo->clear();
    SectionCombo->addItems(
        namesOf(p.Cookbook.OpenRecordset(QStringLiteral("select * from sections order by sectionname")),
                QStringLiteral("sectionname")));
    SectionCombo->setCurrentIndex(SectionCombo->findText(sectionName, Qt::MatchExactly));
    SectionCombo_Click();
    SectionCombo->setFocus();
}

void MoverecipeForm::SectionCombo_Click()
{
    const QString name = SectionCombo->currentText();
    if (name.isEmpty())
        return;
    Program& p = program();
    p.TargetSection = GroupStore::sectionNumber(p.Cookbook, name);
    m_groupChosen = false;
    GroupCombo->clear();
    GroupCombo->addItems(namesOf(
        p.Cookbook.OpenRecordset(QStringLiteral("select * from groups where section = ? order by groupname"),
                                 {engine::Value(int(p.TargetSection))}),
        QStringLiteral("groupname")));
    GroupCombo->setCurrentIndex(-1);
}

void MoverecipeForm::GroupCombo_Click()
{
    const QString name = GroupCombo->currentText();
    if (name.isEmpty())
        return;
    Program& p = program();
    p.TargetGroup = GroupStore::groupNumber(p.Cookbook, p.TargetSection, name);
    m_groupChosen = p.TargetGroup != 0;
}

void MoverecipeForm::MoveButton_Click()
{
    Program& p = program();
    p.MovedRecipeCode = 1;
    // Without a group chosen here the targets may be left from an earlier move, possibly a group of
    // another section; and moving into its own group would only renumber the recipe.
    if (!m_groupChosen || p.TargetSection == 0 || p.TargetGroup == 0 || p.TargetGroup == p.CurrentGroup) {
        CancelButton_Click();
        return;
    }
    p.MovedRecipeCode = GroupStore::moveRecipe(p.Cookbook, w.RecipeSet, p.TargetGroup);
    accept();
}

void MoverecipeForm::CancelButton_Click()
{
    Program& p = program();
    p.TargetSection = p.CurrentSection;
    p.TargetGroup = p.CurrentGroup;
    p.MovedRecipeName.clear();
    QDialog::reject();
}

void MoverecipeForm::reject()
{
    CancelButton_Click();
}

} // namespace pantrova
