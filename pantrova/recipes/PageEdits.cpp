#include "PageEdits.h"

#include "LetterIndex.h"
#include "RecipeNew.h"
#include "ui/Dialogs.h"
#include "ui/FlexGrid.h"
#include "ui/PlainTextBox.h"

#include <QLineEdit>

namespace pantrova {

PageEdits::PageEdits(RecipeNew& window) : w(window)
{
    // textEdited comes only from the person, never from the program setting the text.
    QObject::connect(w.Recipe_Name, &QLineEdit::textEdited, &w, [this] { m_nameTyped = true; });
    for (ui::FlexGrid* grid : {w.SMGrid, w.ServingGrid})
        QObject::connect(grid, &ui::FlexGrid::AfterEdit, &w, [this] { m_figuresTyped = true; });
}

void PageEdits::markClean()
{
    m_nameTyped = false;
    m_figuresTyped = false;
    for (ui::PlainTextBox* box : {w.Description, w.Ingrediants, w.Instructions})
        box->setModified(false);
}

void PageEdits::closeCellEditors()
{
    w.SMGrid->commitEdit();
    w.ServingGrid->commitEdit();
}

void PageEdits::discardCellEditors()
{
    w.SMGrid->cancelEdit();
    w.ServingGrid->cancelEdit();
}

bool PageEdits::hasUnsavedTyping() const
{
    return m_nameTyped || m_figuresTyped || w.Description->isModified() || w.Ingrediants->isModified() ||
           w.Instructions->isModified();
}

QString PageEdits::question() const
{
    QString name;
    if (w.AddingRecipe) {
        name = w.Recipe_Name->text().trimmed();
        if (name.isEmpty())
            name = QStringLiteral("the new recipe");
    } else if (w.RecipeDetail.isOpen() && w.RecipeDetail.RecordCount() > 0 && !w.RecipeDetail.isEOF()) {
        // The recipe as it is stored and listed, whatever its name box says now.
        name =
            LetterIndex::entryText(w.RecipeDetail.Text(QStringLiteral("Name")),
                                   qint32(w.RecipeDetail.Fields(QStringLiteral("category_code")).toLong()));
    } else {
        name = w.Recipe_Name->text().trimmed();
    }
    return QStringLiteral("Save changes to ") + name + u'?';
}

bool PageEdits::settle()
{
    closeCellEditors();
    if (!hasUnsavedTyping())
        return true;
    switch (ui::Dialogs::messageBox(question(), ui::MsgButtons::YesNoCancel, ui::MsgIcon::Question)) {
    case ui::AnswerYes:
        // A refused save (no name) keeps the typing on the page, and the caller stays.
        w.SaveRecipeCommand();
        return !hasUnsavedTyping();
    case ui::AnswerNo:
        discard();
        return true;
    default:
        return false;
    }
}

void PageEdits::discard()
{
    if (w.AddingRecipe) {
        w.CancelRecipeAdd();
    } else if (w.RecipeSet.isOpen() && w.RecipeSet.RecordCount() > 0 && !w.RecipeSet.isEOF() &&
               !w.RecipeSet.isBOF()) {
        w.ShowCurrentRecipe(); // the stored recipe again
    }
    markClean();
}

} // namespace pantrova
