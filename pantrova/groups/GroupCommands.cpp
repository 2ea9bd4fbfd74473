#include "GroupCommands.h"

#include "GroupStore.h"
#include "NameForm.h"
#include "RecipeMove.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/FlexGrid.h"

#include <QAction>

namespace pantrova {

using ui::Dialogs;

namespace {

// The group of GroupGrid's current row, or nothing when the heading or an empty row is current.
bool groupRowIsCurrent(RecipeNew& w)
{
    w.GroupGrid->setCol(1);
    return w.GroupGrid->row() != 0 && !w.GroupGrid->text().isEmpty();
}

void information(const QString& text)
{
    Dialogs::messageBox(text, ui::MsgButtons::OK, ui::MsgIcon::Information);
}

} // namespace

void GroupCommands::attach(RecipeNew& w)
{
    RecipeNew* window = &w;
    auto on = [window](QAction* action, const QString& what, void (*handler)(RecipeNew&)) {
        QObject::connect(action, &QAction::triggered, window,
                         [window, what, handler] { ui::guarded(what, [&] { handler(*window); }); });
    };
    on(w.AddGroupMenu, QStringLiteral("Adding the recipe group"), &AddGroupMenu_Click);
    on(w.Change_Personal_Menu, QStringLiteral("Renaming the recipe group"), &Change_Personal_Menu_Click);
    on(w.DeleteGroupMenu, QStringLiteral("Deleting the recipe group"), &DeleteGroupMenu_Click);
    on(w.ChangeSectionNameMenu, QStringLiteral("Renaming the recipe section"), &ChangeSectionNameMenu_Click);
    on(w.Move_Menu, QStringLiteral("Moving the recipe"), &RecipeMove::Move_Menu_Click);
}

void GroupCommands::redisplaySection(RecipeNew& w)
{
    w.ShowSection(program().CurrentSection);
    w.GroupGrid->setRow(1);
    qint16 left = 1;
    w.SelectGroup(left);
}

void GroupCommands::AddGroupMenu_Click(RecipeNew& w)
{
    if (!w.SettlePendingEdits())
        return;
    Program& p = program();
    AddGroupNameForm form(&w);
    form.setStore([&p](const QString& name) {
        switch (GroupStore::addGroup(p.Cookbook, p.CurrentSection, name)) {
        case GroupStore::Outcome::NameExists:
            return false;
        case GroupStore::Outcome::NoFreeNumber:
            information(QStringLiteral("Every group number of this cookbook is in use.") + QChar(10) +
                        QStringLiteral("Delete a recipe group you no longer need, then add the new one."));
            return true;
        case GroupStore::Outcome::Done:
            break;
        }
        return true;
    });
    Dialogs::runModal(form);
    redisplaySection(w);
}

void GroupCommands::Change_Personal_Menu_Click(RecipeNew& w)
{
    if (!groupRowIsCurrent(w) || !w.SettlePendingEdits())
        return;
    Program& p = program();
    const qint16 group = p.CurrentGroup;
    ChangeGroupNameForm form(w.GroupGrid->text(), &w);
    form.setStore([&p, group](const QString& name) {
        return GroupStore::renameGroup(p.Cookbook, p.CurrentSection, group, name) !=
               GroupStore::Outcome::NameExists;
    });
    Dialogs::runModal(form);
    redisplaySection(w);
}

void GroupCommands::DeleteGroupMenu_Click(RecipeNew& w)
{
    if (!groupRowIsCurrent(w))
        return;
    const QString name = w.GroupGrid->text();
    // A new recipe still being typed into this group counts once it is saved.
    if (!w.SettlePendingEdits())
        return;
    if (Dialogs::messageBox(QStringLiteral("This will delete the current GROUP") + QChar(10) +
                                QStringLiteral("Do you wish to continue???"),
                            ui::MsgButtons::YesNo) != ui::AnswerYes)
        return;
    Program& p = program();
    if (GroupStore::groupHasRecipes(p.Cookbook, p.CurrentGroup)) {
        information(QStringLiteral("The recipe group: ") + name + QStringLiteral("  contains recipes.") +
                    QChar(10) + QStringLiteral("The recipe group may not be deleted until all recipes") +
                    QChar(10) + QStringLiteral("have been moved or deleted."));
        return;
    }
    if (GroupStore::groupCount(p.Cookbook, p.CurrentSection) == 1) {
        information(QStringLiteral("This is last group in this section.") + QChar(10) +
                    QStringLiteral("The recipe group may not be deleted."));
        return;
    }
    if (GroupStore::deleteGroup(p.Cookbook, p.CurrentSection, p.CurrentGroup))
        redisplaySection(w);
}

void GroupCommands::ChangeSectionNameMenu_Click(RecipeNew& w)
{
    Program& p = program();
    const int rememberedRow = w.GroupGrid->row();
    ChangeSectionNameForm form(GroupStore::sectionName(p.Cookbook, p.CurrentSection), &w);
    form.setStore([&p](const QString& name) {
        return GroupStore::renameSection(p.Cookbook, p.CurrentSection, name) !=
               GroupStore::Outcome::NameExists;
    });
    Dialogs::runModal(form);

    ui::FlexGrid& groups = *w.GroupGrid;
    groups.setCol(1);
    groups.setRow(0);
    groups.setText(GroupStore::sectionName(p.Cookbook, p.CurrentSection) + QChar(10) +
                   QStringLiteral("Recipes"));
    groups.setRow(rememberedRow);
}

} // namespace pantrova
